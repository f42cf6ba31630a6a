#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class MoveEngine : public ModelTest {};

TEST_F(MoveEngine, SolvedCubeHasTheSolvedCodeAndScoresZero) {
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(m().CheckAssembly(), 0);
}

TEST_F(MoveEngine, FrontTurnCarriesCorner21IntoSlot41WithTwist2) {
    EXPECT_EQ(m().ApplyToken("F+"), 1);
    const PieceSlot& p = m().cube.pieces[4][1];
    EXPECT_EQ(p.homeRow, 2);
    EXPECT_EQ(p.homeCol, 1);
    EXPECT_EQ(p.twist, 2);
    // Slot 41 shows F on its front sticker, R on its bottom sticker, T on its right.
    EXPECT_EQ(m().StickerColour(4, 1, 1), 2);
    EXPECT_EQ(m().StickerColour(4, 1, 2), 3);
    EXPECT_EQ(m().StickerColour(4, 1, 3), 1);
}

TEST_F(MoveEngine, KnownStringGivesKnownCode) {
    EXPECT_EQ(m().RunMoveString(0, "F+;T+;R-;"), 3);
    EXPECT_EQ(Code(), "120321140340231421440242130520330511220210430412310110530540123456113000");
}

TEST_F(MoveEngine, EveryFaceTurnHasOrderFourAndItsReverseUndoesIt) {
    for (const char* face : {"T", "F", "R", "P", "L", "B"}) {
        std::string plus = std::string(face) + "+", minus = std::string(face) + "-",
                    half = std::string(face) + "*";
        m().ResetCube();
        m().RunMoveString(0, "R+;F-;T*;L+;");
        std::string before = Code();
        for (int i = 0; i < 4; ++i) m().ApplyToken(plus);
        EXPECT_EQ(Code(), before) << plus;
        m().ApplyToken(plus);
        EXPECT_NE(Code(), before);
        m().ApplyToken(minus);
        EXPECT_EQ(Code(), before) << minus;
        m().ApplyToken(half);
        std::string viaHalf = Code();
        m().ApplyToken(half);
        m().ApplyToken(plus);
        m().ApplyToken(plus);
        EXPECT_EQ(Code(), viaHalf) << half;
    }
}

TEST_F(MoveEngine, RotationsAndTheirReversesCancelAndSharedCodesActAlike) {
    const char* faces = "TFRPLB";
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 6; ++b) {
            if (a == b) continue;
            std::string rot{faces[a], faces[b]}, rev{faces[b], faces[a]};
            m().ResetCube();
            m().RunMoveString(0, "R+;F-;T*;L+;B-;");
            std::string before = Code();
            if (m().FindToken(rot) < 0) {
                // Only the opposite pairs of the front-back axis are missing.
                continue;
            }
            EXPECT_EQ(m().ApplyToken(rot), 0);
            EXPECT_EQ(m().CheckAssembly(), 0) << rot;
            if (m().FindToken(rev) >= 0) {
                m().ApplyToken(rev);
                EXPECT_EQ(Code(), before) << rot << " then " << rev;
            }
        }
    }
    for (int i = 0; i < CTarnexSource::MoveCount(); ++i)
        for (int j = 0; j < CTarnexSource::MoveCount(); ++j)
            if (CTarnexSource::Move(i).code == CTarnexSource::Move(j).code) {
                m().ResetCube();
                m().RunMoveString(0, "R+;F-;T*;");
                m().ApplyToken(CTarnexSource::Move(i).token);
                std::string viaI = Code();
                m().ResetCube();
                m().RunMoveString(0, "R+;F-;T*;");
                m().ApplyToken(CTarnexSource::Move(j).token);
                EXPECT_EQ(Code(), viaI);
            }
}

TEST_F(MoveEngine, CompositeCodesEqualTheReplayOfTheirRecords) {
    for (int i = 0; i < CTarnexSource::MoveCount(); ++i) {
        const MoveEntry& e = CTarnexSource::Move(i);
        m().ResetCube();
        m().RunMoveString(0, e.record);
        std::string replay = Code();
        if (e.token == "AB") {
            EXPECT_EQ(replay.substr(0, 66), std::string(e.code.substr(0, 66)));
            EXPECT_EQ(replay.substr(66), "032320");
            EXPECT_EQ(e.code.substr(66), "000000");
        } else {
            EXPECT_EQ(replay, e.code) << e.token;
        }
        // The turns counted are the face turns of the record.
        m().ResetCube();
        EXPECT_EQ(m().ApplyToken(e.token), e.turns) << e.token;
        EXPECT_EQ(m().moveRecord.view(), e.record);
    }
}

TEST_F(MoveEngine, TableHasItsEntriesInOrder) {
    ASSERT_EQ(CTarnexSource::MoveCount(), 74);
    EXPECT_EQ(CTarnexSource::Move(0).token, "SYS");
    EXPECT_EQ(CTarnexSource::Move(0).record, "nothing;");
    EXPECT_EQ(CTarnexSource::Move(7).token, "BF");
    EXPECT_EQ(CTarnexSource::Move(47).token, "TB");
    EXPECT_EQ(CTarnexSource::Move(52).token, "AB");
    EXPECT_EQ(CTarnexSource::Move(73).token, "TALWEN");
    for (int i = 0; i < CTarnexSource::MoveCount(); ++i) {
        EXPECT_EQ(m().FindToken(CTarnexSource::Move(i).token), i);
        EXPECT_EQ(CTarnexSource::Move(i).code.size(), 72u);
    }
}

TEST_F(MoveEngine, AnyMoveStringKeepsALegalCube) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        m().ResetCube();
        for (int i = 0; i < 30; ++i) m().ApplyToken(CTarnexSource::Move(rng() % 74).token);
        ASSERT_EQ(m().CheckAssembly(), 0) << m().moveRecord.c_str();
    }
}

// Every move, read straight from its 72-digit code: slot s receives the piece of the
// slot the code names with (twist + increment) mod n as C computes it, each face
// position the centre of the position it names with (turns + increment) mod 4. A slot
// or centre the code leaves in place unturned is not touched.
CubeState ReferenceMove(const CubeState& before, std::string_view code) {
    CubeState after = before;
    for (int s = 0; s < 20; ++s) {
        const int row = s / 4 + 1, col = s % 4 + 1;
        if (code[3 * s] - '0' == row && code[3 * s + 1] - '0' == col && code[3 * s + 2] == '0') continue;
        const PieceSlot& from = before.pieces[code[3 * s] - '0'][code[3 * s + 1] - '0'];
        const int n = (row == 2 || row == 4) ? 3 : 2;
        after.pieces[row][col] = PieceSlot{from.homeRow, from.homeCol, (from.twist + (code[3 * s + 2] - '0')) % n};
    }
    for (int k = 1; k <= 6; ++k) {
        const int from = code[60 + k - 1] - '0';
        if (from == k && code[66 + k - 1] == '0') continue;
        after.centres[k] = before.centres[from];
        after.centreTurns[k] = (before.centreTurns[from] + (code[66 + k - 1] - '0')) % 4;
    }
    return after;
}

bool SameState(const CubeState& a, const CubeState& b) {
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            if (a.pieces[r][c].homeRow != b.pieces[r][c].homeRow || a.pieces[r][c].homeCol != b.pieces[r][c].homeCol ||
                a.pieces[r][c].twist != b.pieces[r][c].twist)
                return false;
    for (int k = 0; k < 7; ++k)
        if (a.centres[k] != b.centres[k] || a.centreTurns[k] != b.centreTurns[k]) return false;
    return true;
}

TEST_F(MoveEngine, EveryMoveActsAsItsCodeSaysOnAnyPosition) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 400; ++round) {
        m().ResetCube();
        for (int i = 0; i < 25; ++i) m().ApplyToken(CTarnexSource::Move(rng() % 74).token);
        // Some rounds carry stray twists and centre turns no position of the program
        // has; they must be reduced exactly as the code's arithmetic says.
        if (round % 4 == 3) {
            for (int k = 0; k < 3; ++k) {
                const int r = 1 + static_cast<int>(rng() % 5), c = 1 + static_cast<int>(rng() % 4);
                m().cube.pieces[r][c].twist = static_cast<int>(rng() % 9) - 3;
            }
            m().cube.centreTurns[1 + rng() % 6] = static_cast<int>(rng() % 11) - 5;
        }
        for (int i = 0; i < CTarnexSource::MoveCount(); ++i) {
            const MoveEntry& e = CTarnexSource::Move(i);
            const CubeState before = m().cube;
            const std::size_t recordBefore = m().moveRecord.size();
            const int turnsBefore = m().turnCounter;
            ASSERT_EQ(m().ApplyToken(e.token), e.turns);
            ASSERT_TRUE(SameState(m().cube, ReferenceMove(before, e.code))) << e.token << " in round " << round;
            ASSERT_EQ(m().moveRecord.view().substr(recordBefore), e.record);
            ASSERT_EQ(m().turnCounter, turnsBefore + e.turns);
            m().cube = before;
            m().moveRecord.Clear();
        }
    }
}

// The scanning rules, one character at a time: a token is the run of characters
// between separators (codes up to 32, bytes from 128 and the separator set), read in
// capitals with / as * and = as +; at 23 characters it stops growing, further move
// characters are dropped and any other character ends it and is dropped; STOP ends
// the string.
std::vector<std::string> ReferenceTokens(std::string_view text) {
    std::vector<std::string> out;
    std::string token;
    auto ends = [](unsigned char c) {
        return c <= 32 || c >= 128 || std::string_view(";,\r\n\t\v'\"\\ :.[]{}()#").find(static_cast<char>(c)) != std::string_view::npos;
    };
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        char u = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (u == '/') u = '*';
        if (u == '=') u = '+';
        const bool moveChar = std::string_view("*+-BFLPRT").find(u) != std::string_view::npos;
        if (moveChar || (!ends(c) && token.size() < 23)) {
            if (token.size() < 23) token += u;
            continue;
        }
        if (!token.empty()) {
            if (token == "STOP") return out;
            out.push_back(token);
            token.clear();
        }
    }
    return out;
}

TEST_F(MoveEngine, ScannerAgreesWithTheCharacterRulesOnRandomTexts) {
    std::mt19937 rng(4242);
    // Mostly move characters and separators, with letters, STOP, RESET, bytes from 128
    // and long runs mixed in.
    const std::string_view pieces[] = {"R+", "f-", "T*", "b/", "L=", "P+", "TF", "fr", ";", ",", " ", "\t",
                                       "(", ")", "X", "STOP", "RESET", "\xb0\xa1", "AB", "H-", "TALWEN", std::string_view("\0", 1),
                                       "FFFFFFFFFFFFFFFFFFFFFFFFFFFF", "QQQQQQQQQQQQQQQQQQQQQQQQQ", "T0", "SYS"};
    for (int round = 0; round < 3000; ++round) {
        // Every fourth text leads with a bottom or top move that owed turns merge into;
        // the scanning then starts at its fourth character.
        const std::string_view leads[] = {"B-", "B*", "B+", "T-", "T*", "T+", "T0"};
        const bool merging = round % 4 == 0;
        const int pending = merging ? static_cast<int>(rng() % 6) : 0;
        std::string text = merging ? std::string(leads[rng() % std::size(leads)]) : ";";
        const int parts = static_cast<int>(rng() % 30);
        for (int i = 0; i < parts; ++i) text += pieces[rng() % std::size(pieces)];
        m().ResetCube();
        const int got = m().RunMoveString(pending, text);
        const CubeState scanned = m().cube;
        const std::string record(m().moveRecord.view());

        m().ResetCube();
        int expected = 0;
        std::string_view rest = text;
        if (merging) {
            const char turn = text[1];
            const int owed = pending + (turn == '-' ? 1 : turn == '*' ? 2 : turn == '+' ? 3 : 0);
            if (owed % 4 != 0) expected += m().ApplyToken(std::string{text[0], "-*+"[owed % 4 - 1]});
            rest = text.size() >= 3 ? rest.substr(3) : std::string_view{};
        }
        for (const std::string& token : ReferenceTokens(rest)) {
            const int t = m().ApplyToken(token);
            if (t > 0) expected += t;
        }
        ASSERT_EQ(got, expected) << text;
        ASSERT_TRUE(SameState(scanned, m().cube)) << text;
        ASSERT_EQ(record, m().moveRecord.view()) << text;
    }
}

TEST_F(MoveEngine, StringScanningRules) {
    EXPECT_EQ(m().RunMoveString(0, "T+;T+;T+;T+;"), 4);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(m().moveRecord.view(), "T+;T+;T+;T+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "t+;r-"), 2);
    EXPECT_EQ(m().moveRecord.view(), "T+;R-;");

    m().ResetCube();
    m().RunMoveString(0, "T/;R=;");
    EXPECT_EQ(m().moveRecord.view(), "T*;R+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "FT,R+;"), 1);
    EXPECT_EQ(m().moveRecord.view(), "FT,R+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "X+;F+;"), 1);
    EXPECT_EQ(m().moveRecord.view(), "F+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "T+;STOP;F+;"), 1);
    EXPECT_EQ(m().moveRecord.view(), "T+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "F+;RESET;R+;"), 2);
    EXPECT_EQ(m().turnCounter, 1);
    EXPECT_EQ(m().moveRecord.view(), "R+;");
}

TEST_F(MoveEngine, SliceRecordReplaysToTheSamePosition) {
    EXPECT_EQ(m().ApplyToken("H-"), 2);
    EXPECT_EQ(m().moveRecord.view(), "(LF,T+;B-;)");
    std::string viaToken = Code();
    m().ResetCube();
    m().RunMoveString(0, "(LF,T+;B-;)");
    EXPECT_EQ(Code(), viaToken);
}

TEST_F(MoveEngine, PendingTurnsMergeIntoTheLeadingMove) {
    EXPECT_EQ(m().RunMoveString(1, "B+;F-;"), 1);
    EXPECT_EQ(m().moveRecord.view(), "F-;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(2, "F-;"), 2);
    EXPECT_EQ(m().moveRecord.view(), "B*;F-;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(1, "T+;"), 0);
    EXPECT_EQ(m().moveRecord.view(), "");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "T0;F+;"), 1);
    EXPECT_EQ(m().moveRecord.view(), "F+;");

    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(3, "T0;R+;"), 2);  // three owed anticlockwise: T+
    EXPECT_EQ(m().moveRecord.view(), "T+;R+;");

    // Lower case does not merge: the owed turn goes to the bottom.
    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(1, "t+;"), 2);
    EXPECT_EQ(m().moveRecord.view(), "B-;T+;");

    // A text shorter than its consumed head returns the merged total only.
    m().ResetCube();
    EXPECT_EQ(m().RunMoveString(0, "B+"), 1);
    EXPECT_EQ(m().moveRecord.view(), "B+;");
}

TEST_F(MoveEngine, ApplyTokenResetAndUnknown) {
    m().RunMoveString(0, "F+;R-;");
    EXPECT_EQ(m().ApplyToken("RESET"), 0);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(m().turnCounter, 0);
    m().ApplyToken("F+");
    std::string before = Code();
    EXPECT_EQ(m().ApplyToken("T"), -1);
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(m().ApplyToken("t+"), -1);
}

TEST_F(MoveEngine, OverlongTokenIsCutAndNotFound) {
    std::string thirty(30, 'F');
    thirty[1] = '+';
    EXPECT_EQ(m().RunMoveString(0, thirty + ";"), 0);
    EXPECT_EQ(Code(), kSolvedCode);
    // After the cut token the next separator starts afresh.
    EXPECT_EQ(m().RunMoveString(0, thirty + ";R+;"), 1);
}

TEST_F(MoveEngine, AnyBytesNeverBreakTheEngine) {
    std::mt19937 rng(99);
    std::string junk;
    for (int round = 0; round < 200; ++round) {
        junk.assign(rng() % 300, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        m().ResetCube();
        m().RunMoveString(static_cast<int>(rng() % 9) - 4, junk);
        ASSERT_EQ(m().CheckAssembly(), 0);
    }
    std::string huge(1 << 20, 'F');
    for (std::size_t i = 0; i < huge.size(); i += 3) { huge[i + 1 < huge.size() ? i + 1 : i] = '+'; if (i + 2 < huge.size()) huge[i + 2] = ';'; }
    m().ResetCube();
    m().RunMoveString(0, huge);
    EXPECT_LE(m().moveRecord.size(), static_cast<std::size_t>(kRecordCapacity));
    EXPECT_EQ(m().CheckAssembly(), 0);
}

TEST_F(MoveEngine, FullMoveRecordRefusesTheMoveAndSaysSo) {
    // 3,333 turns fill 9,999 characters exactly; the next move is refused.
    for (int i = 0; i < 3333; ++i) ASSERT_EQ(m().ApplyToken("R+"), 1);
    EXPECT_EQ(m().moveRecord.size(), 9999u);
    std::string before = Code();
    EXPECT_EQ(m().ApplyToken("F+"), -1);
    EXPECT_TRUE(m().moveRecordFull);
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(m().turnCounter, 3333);
    EXPECT_NE(std::string(m().statusText.view()).find("动作记录已满"), std::string::npos);
    // The record still replays to the position it describes.
    std::string record(m().moveRecord.view());
    m().ResetCube();
    m().RunMoveString(0, record);
    EXPECT_EQ(Code(), before);
}

TEST_F(MoveEngine, AnimationHints) {
    struct Case { const char* token; int axis; int angle; };
    const Case cases[] = {
        {"T+", 'T', -90}, {"F-", 'F', 90}, {"B*", 'B', 180}, {"TF", 'X', 90}, {"PB", 'X', -90},
        {"BT", 'X', 180}, {"LF", 'Y', 90}, {"RF", 'Y', -90}, {"RL", 'Y', 180}, {"BR", 'Z', 90},
        {"LT", 'Z', -90},
    };
    for (const Case& c : cases) {
        m().animAxis = 'N';
        m().AnimationHint(c.token);
        EXPECT_EQ(m().animAxis, c.axis) << c.token;
        EXPECT_EQ(m().animAngle, c.angle) << c.token;
    }
    m().animAxis = 'Q';
    m().AnimationHint("nothing");
    EXPECT_EQ(m().animAngle, 0);
    EXPECT_EQ(m().animAxis, 'Q');
    m().AnimationHint("A+");
    EXPECT_EQ(m().animAxis, 'Q');
    m().AnimationHint("TT");
    EXPECT_EQ(m().animAngle, 0);
}

}  // namespace
}  // namespace velmora::test
