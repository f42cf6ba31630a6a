#include <gtest/gtest.h>

#include <random>
#include <string>

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
