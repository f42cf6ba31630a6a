// The typed two-key commands: every pair of two different keys against the move
// engine's own result, the questions, the same-key macros, the pending key and the
// display keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

constexpr std::string_view kLetters = "TFRPLBA";
constexpr std::string_view kAllKeys = "TFRPLBA+-*";

// The question a pair asks, as the user reads it; empty for none.
std::string QuestionOf(char first, char second) {
    if (first == 'A') {
        switch (second) {
            case 'B': return "是否执行简单打乱命令？";
            case 'F': return "是否执行不变色向的下边块移位命令？";
            case 'L': return "是否执行色向第三种变化的下边块移位命令？";
            case 'P': return "是否执行色向第二种变化的下边块移位命令？";
            case 'R': return "是否执行色向第一种变化的下边块移位命令？";
            case 'T': return "是否执行对称打乱命令？";
            default: return std::string("是否执行上边块“") + second + "”到底面的命令？（第五阶段常用）";
        }
    }
    if (second == 'A') {
        switch (first) {
            case 'B': return "是否执行第二种下角块色向变化的命令？（请先转动底面设定位置）";
            case 'F': return "是否执行下角块43和44交换位置的命令？（请先转动底面到需要位置）";
            case 'L': return "是否执行下边块到中边块的命令？（52到34前左）";
            case 'P': return "是否执行下角块对角交换位置的命令？";
            case 'R': return "是否执行下边块到中边块的命令？（54到31前右）";
            case 'T': return "是否执行第一种下角块色向变化的命令？（请再转动底面恢复位置）";
        }
    }
    return {};
}

struct Pair {
    char first, second;
};

std::vector<Pair> AllPairs(bool onlyWithQuestion = false) {
    std::vector<Pair> out;
    for (char a : kLetters)
        for (char b : kAllKeys)
            if (a != b && (!onlyWithQuestion || !QuestionOf(a, b).empty())) out.push_back({a, b});
    return out;
}

std::string PairName(const ::testing::TestParamInfo<Pair>& info) {
    auto name = [](char c) {
        return c == '+' ? std::string("Plus") : c == '-' ? std::string("Minus") : c == '*' ? std::string("Half")
                                                                                         : std::string(1, c);
    };
    return name(info.param.first) + name(info.param.second);
}

class TypedPair : public DocTest, public ::testing::WithParamInterface<Pair> {
protected:
    // A position away from solved, so that every token visibly moves pieces.
    void SetUpPosition() {
        m().RunMoveString(0, "R+;F-;T*;L+;");
        m().ExecuteAndSolve();
        user.Clear();
    }
    std::string Token() const { return {GetParam().first, GetParam().second}; }
    std::string LastHistoryName() const {
        return doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name;
    }
};

TEST_P(TypedPair, YesRunsTheEnginesTokenAndNamesTheHistoryEntryAfterIt) {
    SetUpPosition();
    const std::string token = Token();
    const std::string question = QuestionOf(GetParam().first, GetParam().second);
    // What the move engine itself makes of the token from this position.
    const CubeState before = m().cube;
    m().moveRecord.Clear();
    ASSERT_GE(m().ApplyToken(token), 0) << token;
    const std::string expected = Code();
    const std::string record(m().moveRecord.view());
    m().cube = before;
    m().moveRecord.Clear();

    if (!question.empty()) user.answers.push_back(Answer::Yes);
    doc->OnKey(token[0]);
    EXPECT_EQ(m().inputMode, static_cast<int>(kLetters.find(token[0])) + 1);
    doc->OnKey(token[1]);

    EXPECT_EQ(user.Messages(), question.empty() ? std::vector<std::string>{} : std::vector<std::string>{question});
    EXPECT_EQ(Code(), expected) << token;
    EXPECT_EQ(CodeOf(m().startState), expected) << "the new position is solved from its start";
    EXPECT_EQ(LastHistoryName(), token);
    EXPECT_EQ(LastStatus(), "执行了命令:(" + record + ")，并求出解法。");
    EXPECT_EQ(m().commandText.view(), record);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m().inputMode, 0);
    // Undo returns to the position the pair started from.
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), CodeOf(before));
}

INSTANTIATE_TEST_SUITE_P(EveryPair, TypedPair, ::testing::ValuesIn(AllPairs()), PairName);

class AskedPair : public TypedPair {};

TEST_P(AskedPair, NoRecordsAndChangesNothing) {
    const std::string question = QuestionOf(GetParam().first, GetParam().second);
    SetUpPosition();
    const std::string before = Code();
    const int cursor = doc->cmdCursor;
    user.answers.push_back(Answer::No);
    doc->OnKey(GetParam().first);
    doc->OnKey(GetParam().second);
    EXPECT_EQ(user.Messages(), std::vector<std::string>{question});
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->cmdCursor, cursor);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(Statuses().empty());
    EXPECT_EQ(m().inputMode, 0) << "the pair is complete even when refused";
}

INSTANTIATE_TEST_SUITE_P(PairsWithAQuestion, AskedPair, ::testing::ValuesIn(AllPairs(true)), PairName);

TEST_F(DocTest, TAndPlusAnimateAQuarterTurnOfTheTopFace) {
    doc->OnKey('T');
    doc->OnKey('+');
    EXPECT_EQ(LastStatus(), "执行了命令:(T+;)，并求出解法。");
    EXPECT_EQ(m().animAxis, 'T');
    EXPECT_EQ(m().animAngle, -90);
    // A rotation animates about its axis.
    doc->OnKey('T');
    doc->OnKey('F');
    EXPECT_EQ(m().animAxis, 'X');
    EXPECT_EQ(m().animAngle, 90);
}

TEST_F(DocTest, NetClickAndTypedKeysLeaveTheSameEntryAndTexts) {
    doc->OnKey('R');
    doc->OnKey('-');
    const std::string typedStatus = LastStatus();
    const std::string typedCode = Code();
    doc->OnCommand(cmd::kUndo);
    user.Clear();
    doc->RunTypedCommand("R-");
    EXPECT_EQ(LastStatus(), typedStatus);
    EXPECT_EQ(Code(), typedCode);
    EXPECT_STREQ(doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name, "R-");
}

// ---- same-key macros ----

struct Macro {
    char key;
    const char* questionStart;
    const char* moves;  // nullptr for AA and BB
    const char* result;
};

class KeyMacro : public DocTest, public ::testing::WithParamInterface<Macro> {
protected:
    void SetUp() override {
        DocTest::SetUp();
        m().RunMoveString(0, "F+;R-;B*;");
        m().ExecuteAndSolve();
        doc->SetModifiedFlag(true);
        user.Clear();
    }
};

TEST_P(KeyMacro, YesRunsTheMacro) {
    const Macro& c = GetParam();
    std::string expected;
    if (c.moves) {
        const CubeState before = m().cube;
        m().RunMoveString(0, c.moves);
        expected = Code();
        m().cube = before;
    }
    user.answers.push_back(Answer::Yes);
    doc->OnKey(c.key);
    EXPECT_EQ(m().inputMode, static_cast<int>(kLetters.find(c.key)) + 1);
    doc->OnKey(c.key);

    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0].rfind(c.questionStart, 0), 0u) << user.Messages()[0];
    EXPECT_EQ(LastStatus(), c.result);
    EXPECT_EQ(std::string(doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name),
              std::string(2, c.key));
    if (c.moves) {
        EXPECT_EQ(Code(), expected);
        EXPECT_TRUE(doc->IsModified());
    } else if (c.key == 'A') {
        // The letters pattern, in whatever orientation, solved by its fixed sequence.
        const std::string code = Code();
        bool found = false;
        for (const auto& t : m().talwenCodes) found = found || code.compare(0, kShortCodeLength, t) == 0;
        EXPECT_TRUE(found) << code;
        EXPECT_EQ(m().methodUsed, 0);
        EXPECT_TRUE(doc->IsModified());
    } else {
        EXPECT_EQ(Code(), kSolvedCode);
        EXPECT_FALSE(doc->IsModified()) << "a reset cube has nothing to save";
    }
    EXPECT_EQ(m().inputMode, 0);
}

TEST_P(KeyMacro, NoRecordsAndChangesNothing) {
    const Macro& c = GetParam();
    const std::string before = Code();
    const int cursor = doc->cmdCursor;
    user.answers.push_back(Answer::No);
    doc->OnKey(c.key);
    doc->OnKey(c.key);
    EXPECT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->cmdCursor, cursor);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Statuses().empty());
}

INSTANTIATE_TEST_SUITE_P(
    SevenMacros, KeyMacro,
    ::testing::Values(
        Macro{'T', "是否执行八角法第七阶段调换边块位置的命令，\r\n交换11，51，53", "B*;L+;R-;F*;L-;R+;", "已经调换边块位置。"},
        Macro{'F', "是否执行八角法第三阶段调换角块位置的命令，\r\n“0”", "R-;T+;F-;L*;F+;T-;R+;", "已经调换角块位置“0”。"},
        Macro{'P', "是否执行八角法第三阶段调换角块位置的命令，\r\n“1”", "R-;T+;F-;L*;F+;T-;R-;F*;R*;", "已经调换角块位置“1”。"},
        Macro{'L', "是否执行八角法第三阶段调换角块位置的命令，\r\n“2”", "F*;T+;F*;B*;R*;T+;R*;", "已经调换角块位置“2”。"},
        Macro{'R', "是否执行八角法第七阶段调换边块色向的命令，\r\n改变11，13", "V-;T+;V-;T+;V-;T*;V+;T+;V+;T+;V+;T*;", "已经调换边块色向。"},
        Macro{'A', "是否显示姓名TALWEN字母图案？", nullptr, "已经显示姓名TALWEN字母图案，并求出解法。"},
        Macro{'B', "是否设置成复原状态？", nullptr, "魔方复原了！"}),
    [](const auto& info) { return std::string(2, info.param.key); });

// ---- the pending key ----

TEST_F(DocTest, PendingKeySurvivesStepsUndoAndSolvingThenCompletes) {
    doc->OnKey('F');
    doc->OnKey('*');
    doc->OnKey('T');
    ASSERT_EQ(m().inputMode, 1);
    EXPECT_TRUE(doc->IsChecked(cmd::kKeyT));
    doc->OnCommand(cmd::kStepForward);
    doc->OnCommand(cmd::kUndo);
    doc->OnCommand(cmd::kEightCornerMethod);
    EXPECT_EQ(m().inputMode, 1);
    EXPECT_TRUE(doc->IsChecked(cmd::kKeyT));
    EXPECT_FALSE(doc->IsChecked(cmd::kKeyF));
    EXPECT_EQ(doc->UpdateKeyPane(kCubeViewKind).text.view(), " 请继续输入指令“ T...”");
    doc->OnKey('-');
    EXPECT_EQ(LastStatus(), "执行了命令:(T-;)，并求出解法。");
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_FALSE(doc->IsChecked(cmd::kKeyT));
}

TEST_F(DocTest, SecondKeyPausesTheDemonstrationForFourTicks) {
    m().autoDemoCount = 1;
    doc->OnKey('L');
    EXPECT_EQ(m().autoDemoCount, 1) << "the first key alone changes nothing";
    doc->OnKey('+');
    EXPECT_EQ(m().autoDemoCount, 5);
    for (int i = 0; i < 4; ++i) doc->DemoTick();
    EXPECT_EQ(m().autoDemoCount, 1);
    // Without a demonstration nothing starts one.
    m().autoDemoCount = 0;
    doc->OnKey('L');
    doc->OnKey('-');
    EXPECT_EQ(m().autoDemoCount, 0);
}

TEST_F(DocTest, KeysAreIgnoredInCubeInputAndUnknownKeysEverywhere) {
    const std::string before = Code();
    m().inputMode = -1;
    for (char c : kAllKeys) doc->OnKey(c);
    EXPECT_EQ(m().inputMode, -1);
    EXPECT_FALSE(doc->OnCommand(cmd::kKeyT));
    m().inputMode = 0;
    doc->OnKey('X');
    EXPECT_EQ(m().inputMode, 0);
    doc->OnKey('R');
    doc->OnKey('X');
    EXPECT_EQ(m().inputMode, 3) << "a key outside the ten leaves the first key pending";
    EXPECT_EQ(Code(), before);
    EXPECT_TRUE(user.calls.empty());
}

TEST_F(DocTest, KeyPaneShowsEachPendingKeyInEveryView) {
    for (char key : kLetters) {
        doc->OnKey(key);
        for (int kind : {kNetViewKind, kCubeViewKind, kSolutionViewKind}) {
            const KeyPaneState s = doc->UpdateKeyPane(kind);
            const std::string want = key == 'B' ? "  请继续输入指令\"B...\"，\"BB\"是复原魔方"
                                                : std::string(" 请继续输入指令“ ") + key + "...”";
            EXPECT_EQ(s.text.view(), want) << key << " in view " << kind;
            EXPECT_TRUE(s.poppedOut);
            EXPECT_TRUE(s.enabled);
        }
        m().inputMode = 0;
    }
    EXPECT_EQ(doc->UpdateKeyPane(kSolutionViewKind).text.view(), " 双击选择文字颜色，右击选择屏幕背景颜色");
    EXPECT_FALSE(doc->UpdateKeyPane(4).enabled);
}

// ---- the display keys ----

TEST_F(DocTest, PlusAndMinusZoomInSinglePrecision) {
    float want = 1.0f;
    for (int i = 0; i < 10; ++i) {
        doc->OnCommand(cmd::kKeyPlus);
        want += 0.1f;
        EXPECT_EQ(m().viewZoom, want) << "press " << i + 1;
    }
    EXPECT_NEAR(m().viewZoom, 2.0f, 1e-5f);
    doc->OnCommand(cmd::kKeyMinus);
    EXPECT_EQ(m().viewZoom, want * 0.9f);
    EXPECT_EQ(Statuses().front(), "魔方放大了！");
    EXPECT_EQ(LastStatus(), "魔方缩小了！");
    EXPECT_FALSE(doc->CanUndo()) << "the display keys are not commands on the cube";
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocTest, StarRestoresTheLayoutAndTheCamera) {
    m().viewZoom = 3.3f;
    m().viewTilt = -100;
    m().viewTurn = 12;
    m().viewSpin = 40;
    doc->OnCommand(cmd::kKeyHalf);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::RestoreLayout).size(), 1u);
    EXPECT_EQ(m().viewZoom, 1.0f);
    EXPECT_EQ(m().viewTilt, 27);
    EXPECT_EQ(m().viewTurn, -36);
    EXPECT_EQ(m().viewSpin, 0);
    EXPECT_EQ(LastStatus(), "所有显示位置恢复！");
}

}  // namespace
}  // namespace velmora::test
