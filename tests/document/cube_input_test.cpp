// Cube input through the document: the input toggle and every way it ends, painting
// the net with the mouse, the palette and its colour choice, and the input tool.
#include <algorithm>
#include <random>

#include "doc_fixture.h"
#include "document/pane_text.h"
#include "document/cube_input.h"
#include "document/input_tool.h"
#include "model/export_maps.h"

namespace velmora::test {
namespace {

class CubeInput : public DocTest {
protected:
    // The middle of a FaceletTable record.
    void ClickCell(int record) {
        const FaceletRecord& r = m().FaceletTable[record];
        doc->InputNetClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void ClickSwatch(int swatch) { ClickCell(kNetCellCount + swatch - 1); }
    // Paints every sticker of net as a person does: the colour on the palette, then
    // the sticker. Centres are clicked until they show their mark.
    void PaintNet(const int (&net)[kFaceletCount]) {
        for (int i = 0; i < kFaceletCount; ++i) {
            if (i % 9 == 4) {
                while (m().facelets[i] != net[i]) ClickCell(i);
                continue;
            }
            ClickSwatch(net[i] <= 6 ? net[i] : net[i] - 1);
            ClickCell(i);
        }
    }
    void StartWith(Answer answer) {
        user.answers.push_back(answer);
        doc->OnCommand(cmd::kStartInput);
    }
    // The net of the present position, as starting input with its preset would paint it.
    void NetOfPresentCube(int (&net)[kFaceletCount]) {
        const int saved[2] = {m().autoDemoCount, m().animAngle};
        m().BeginInput(2);
        std::copy(std::begin(m().facelets), std::end(m().facelets), net);
        m().autoDemoCount = saved[0];
        m().animAngle = saved[1];
    }
    // A scrambled cube held upright (face turns only), solved.
    void Scrambled() {
        std::mt19937 rng(31);
        RandomTurns(m(), rng, 40);
        m().ExecuteAndSolve();
        user.Clear();
    }
};

TEST_F(CubeInput, StartQuestionCancelNoAndYes) {
    Scrambled();
    const std::string before = Code();

    StartWith(Answer::Cancel);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(doc->cmdCursor, 0);
    EXPECT_TRUE(user.CallsOf(ScriptedUser::Kind::SwapButton).empty());

    StartWith(Answer::No);
    EXPECT_EQ(m().inputMode, -1);
    EXPECT_EQ(std::string(doc->commandRing[0].name), "输入魔方");
    EXPECT_EQ(doc->cmdCursor, 1);
    EXPECT_EQ(doc->inCursor, 0);
    EXPECT_EQ(doc->inFloor, 0);
    for (int i = 0; i < kFaceletCount; ++i) EXPECT_EQ(m().facelets[i], i % 9 == 4 ? 0 : i / 9 + 1) << i;
    auto swaps = user.CallsOf(ScriptedUser::Kind::SwapButton);
    ASSERT_EQ(swaps.size(), 1u);
    EXPECT_EQ(swaps[0].value, cmd::kStartInput);
    EXPECT_EQ(swaps[0].value2, cmd::kEndInput);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->IsChecked(cmd::kEndInput));
    EXPECT_EQ(Code(), before);

    // Yes on an upright cube presets its colours: ending at once gives it back.
    user.answers = {Answer::Yes};
    doc->OnCommand(cmd::kUndo);  // nothing painted: abandon
    ASSERT_EQ(m().inputMode, 0);
    user.Clear();
    StartWith(Answer::Yes);
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"开始输入魔方。是否预设成当前魔方的图案？"});
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(Code(), before);
}

TEST_F(CubeInput, YesWithATurnedCubeExplainsTheConversionBeforeTheNetIsFilled) {
    m().ApplyToken("TF");
    StartWith(Answer::Yes);
    EXPECT_EQ(user.Messages(), (std::vector<std::string>{"开始输入魔方。是否预设成当前魔方的图案？",
                                                         "由于中心小块没有摆正，魔方各小块颜色被自动转换。"}));
    // The whole-cube turn becomes the solved cube in the new colours.
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(CubeInput, PaintingAScrambledCubeSolvesIt) {
    Scrambled();
    const std::string wanted = Code();
    int net[kFaceletCount];
    NetOfPresentCube(net);
    m().ResetCube();
    m().ExecuteAndSolve();
    user.Clear();

    StartWith(Answer::No);
    PaintNet(net);
    const int steps = doc->inCursor;
    EXPECT_GT(steps, 30);
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(user.Messages().back(), "魔方设置成功！");
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_EQ(Code(), wanted);
    EXPECT_TRUE(m().commandText.empty());
    EXPECT_TRUE(doc->IsModified());
    auto swaps = user.CallsOf(ScriptedUser::Kind::SwapButton);
    EXPECT_EQ(swaps.back().value, cmd::kEndInput);
    EXPECT_EQ(swaps.back().value2, cmd::kStartInput);
    // The move engine restores it with the solution.
    m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
    EXPECT_TRUE(PiecesSolved(m().cube));
    m().StepSolution(0);

    // One undo returns to the cube before input.
    doc->OnCommand(cmd::kUndo);
    EXPECT_TRUE(PiecesSolved(m().cube));
    EXPECT_EQ(LastStatus(), "已撤消执行输入魔方，并演示完第 0转！");
}

// The end of input with a fault on the net: each answer and where it leaves input.
struct FaultCase {
    const char* name;
    int fault;  // 0 one sticker of the wrong colour, 1 an edge flipped
    std::vector<Answer> answers;
    int inputModeAfter;
    bool solvedAfter;  // the live cube is the flipped position (accepted) or the old one
    std::vector<std::string> messages;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class CubeInputFault : public CubeInput, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CubeInputFault, EveryAnswerPath) {
    const FaultCase& c = GetParam();
    const std::string before = Code();
    StartWith(Answer::No);
    if (c.fault == 0) {
        ClickSwatch(2);
        ClickCell(0);  // a tenth F sticker
    } else {
        std::swap(m().facelets[7], m().facelets[10]);  // the T-F edge flipped
        doc->HistoryOp(2, {});
    }
    user.Clear();
    int painted[kFaceletCount];
    std::copy(std::begin(m().facelets), std::end(m().facelets), painted);
    user.answers.assign(c.answers.begin(), c.answers.end());
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(user.Messages(), c.messages);
    EXPECT_EQ(m().inputMode, c.inputModeAfter);
    if (c.solvedAfter) {
        EXPECT_NE(Code(), before);
        EXPECT_EQ(m().methodUsed, 1);
        EXPECT_EQ(m().CheckAssembly(), 10);
    } else {
        EXPECT_EQ(Code(), before);
    }
    if (c.inputModeAfter == 0 && !c.solvedAfter) {
        EXPECT_FALSE(doc->CanRedo()) << "the abandoned input cannot be redone";
        EXPECT_EQ(doc->cmdCursor, 0);
    }
    if (c.inputModeAfter == -1) {
        EXPECT_TRUE(user.CallsOf(ScriptedUser::Kind::SwapButton).empty());
        EXPECT_TRUE(std::equal(std::begin(painted), std::end(painted), m().facelets)) << "the painting is kept";
    }
}

// A tenth F sticker leaves eight on T, which is counted first.
const char* const kCountQuestion = "输入魔方T面色块数目错误！是否继续填充魔方颜色？";
const char* const kFlipQuestion = "输入魔方装配错误，至少需要调换边块的色向！是否继续填充魔方颜色？";
const char* const kForce = "是否强制接受装配错误的魔方？";
const char* const kAbandon = "是否放弃输入的魔方？";
const char* const kForcedSolve =
    "魔方装配错误，不能复原！只能用分组法复原成比较整齐的图案。\r\n              至少需要调换边块的色向！";

INSTANTIATE_TEST_SUITE_P(
    Answers, CubeInputFault,
    ::testing::Values(
        FaultCase{"KeepPainting", 0, {Answer::Yes}, -1, false, {kCountQuestion}},
        FaultCase{"Abandon", 0, {Answer::No, Answer::Yes}, 0, false, {kCountQuestion, kAbandon}},
        FaultCase{"FlipKeepPainting", 1, {Answer::Yes}, -1, false, {kFlipQuestion}},
        FaultCase{"FlipAbandon", 1, {Answer::No, Answer::Yes}, 0, false, {kFlipQuestion, kAbandon}},
        // Not continuing is confirmed before the painting goes.
        FaultCase{"FlipNotAbandoned", 1, {Answer::No, Answer::No}, -1, false, {kFlipQuestion, kAbandon}},
        FaultCase{"FlipForced", 1, {Answer::Cancel, Answer::Yes}, 0, true,
                  {kFlipQuestion, kForce, kForcedSolve}},
        FaultCase{"FlipNotForced", 1, {Answer::Cancel, Answer::No}, -1, false, {kFlipQuestion, kForce}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CubeInput, EachPaintingStepUndoesAndRedoesOnItsOwn) {
    StartWith(Answer::No);
    user.Clear();
    ClickSwatch(2);
    EXPECT_EQ(m().selectedColour, 2);
    ClickCell(0);
    ClickCell(0);  // same cell, same colour: shown, not recorded
    EXPECT_EQ(doc->inCursor, 1);
    const std::string cell0 = NetCellName(m(), 0, settings.colourSettings);
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"就绪", cell0, cell0}));
    EXPECT_EQ(cell0.rfind("顶面 第1行第1列 ", 0), 0u) << cell0;
    EXPECT_EQ(m().facelets[0], 2);

    // A centre turns its mark with every click: four clicks, four steps, back to 0.
    for (int mark : {1, 2, 3, 0}) {
        ClickCell(13);
        EXPECT_EQ(m().facelets[13], mark);
    }
    EXPECT_EQ(m().selectedColour, 2);
    EXPECT_EQ(doc->inCursor, 5);
    for (int mark : {3, 2, 1, 0}) {
        doc->OnCommand(cmd::kUndo);
        EXPECT_EQ(m().facelets[13], mark);
    }
    user.Clear();
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(m().facelets[0], 1);
    EXPECT_EQ(LastStatus(), "已撤消点F面颜色！");
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(m().facelets[0], 2);
    EXPECT_EQ(LastStatus(), "已重复点F面颜色！");

    // The spare colours paint too, and the check refuses them.
    ClickSwatch(8);
    EXPECT_EQ(m().selectedColour, 9);
    ClickCell(1);
    EXPECT_EQ(m().facelets[1], 9);
    ClickSwatch(7);
    EXPECT_EQ(m().selectedColour, 8);
}

TEST_F(CubeInput, PaletteAndCellsAreHitOnlyStrictlyInside) {
    StartWith(Answer::No);
    const FaceletRecord& s3 = m().FaceletTable[kNetCellCount + 2];
    const FaceletRecord& s4 = m().FaceletTable[kNetCellCount + 3];
    const FaceletRecord& last = m().FaceletTable[kNetCellCount + kPaletteCellCount - 1];
    struct Point { int x, y, swatch; };
    const Point points[] = {
        {s3.left + 1, s3.top + 1, 3},   {s3.right - 1, s3.bottom - 1, 3}, {s3.left, s3.top + 1, 0},
        {s3.right, s3.top + 1, 0},      {s3.left + 1, s3.top, 0},          {s4.left + 1, s4.bottom - 1, 4},
        {last.left + 1, last.bottom, 0}, {last.left + 1, last.bottom + 40, 0},
    };
    for (const Point& p : points) {
        EXPECT_EQ(PaletteSwatchAt(m(), p.x, p.y), p.swatch) << p.x << "," << p.y;
        m().selectedColour = 1;
        user.Clear();
        doc->InputNetClick(p.x, p.y);
        EXPECT_EQ(m().selectedColour, p.swatch == 0 ? 1 : p.swatch);
        // A miss in the palette column hits no cell: nothing at all happens.
        EXPECT_EQ(user.calls.empty(), p.swatch == 0) << p.x << "," << p.y;
    }
    const FaceletRecord& c = m().FaceletTable[10];
    EXPECT_EQ(FaceletCellAt(m(), c.left + 1, c.top + 1), 10);
    EXPECT_EQ(FaceletCellAt(m(), c.left, c.top + 1), -1);
    EXPECT_EQ(FaceletCellAt(m(), c.left + 1, c.bottom), -1);
    // The repeats around B are not cells of the input net.
    const FaceletRecord& extra = m().FaceletTable[54];
    EXPECT_EQ(FaceletCellAt(m(), extra.left + 2, extra.top + 2), -1);
}

TEST_F(CubeInput, ColourChoiceByRightClickInAndOutOfInputMode) {
    auto swatchMiddle = [&](int swatch, int& x, int& y) {
        const FaceletRecord& r = m().FaceletTable[kNetCellCount + swatch - 1];
        x = (r.left + r.right) / 2;
        y = (r.top + r.bottom) / 2;
    };
    int x, y;
    // Outside input mode the palette is not there.
    swatchMiddle(7, x, y);
    doc->ChooseNetColour(x, y);
    EXPECT_TRUE(user.calls.empty());

    StartWith(Answer::No);
    struct Case { int swatch, index; const char* prompt; const char* done; };
    const Case cases[] = {
        {7, 8, "请选择边框的颜色", "边框的颜色设置成功！"},
        {8, 9, "请选择删除的颜色", "删除的颜色设置成功！"},
        {5, 5, "请选择L面的颜色", "L面颜色设置成功！"},
    };
    for (const Case& c : cases) {
        swatchMiddle(c.swatch, x, y);
        user.Clear();
        user.colours.push_back(0x010203 * c.index);
        doc->ChooseNetColour(x, y);
        EXPECT_EQ(m().selectedColour, SwatchColour(c.swatch));
        EXPECT_EQ(Statuses(), (std::vector<std::string>{c.prompt, c.done}));
        EXPECT_EQ(settings.colourSettings[c.index], 0x010203 * c.index);
        ASSERT_EQ(user.CallsOf(ScriptedUser::Kind::ColourDialog).size(), 1u);
        EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::ColourDialog)[0].value2, 1) << "fully opened";
        user.Clear();
        doc->ChooseNetColour(x, y);  // cancelled
        EXPECT_EQ(Statuses(), (std::vector<std::string>{c.prompt, "就绪"}));
    }
}

TEST_F(CubeInput, InputToolWritesTheNetAsOneStep) {
    StartWith(Answer::No);
    const std::string shown = std::string(kRestoredToolText);
    // Cancel: nothing recorded.
    user.Clear();
    doc->InputTool();
    ASSERT_EQ(user.CallsOf(ScriptedUser::Kind::InputTool).size(), 1u);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::InputTool)[0].text, shown);
    EXPECT_EQ(doc->inCursor, 0);

    // A text shorter than 54 letters: the missing stickers take the erase colour.
    std::string text = shown.substr(0, 20);
    text[0] = 'H';
    user.inputTexts.push_back(text);
    doc->InputTool();
    EXPECT_EQ(doc->inCursor, 1);
    EXPECT_EQ(doc->inputRing[1].marker, '#');
    EXPECT_EQ(m().facelets[kAppletFaceletOrder[0]], 8);
    EXPECT_EQ(m().facelets[kAppletFaceletOrder[1]], 4);
    for (int i = 20; i < kToolTextLength; ++i) {
        const int a = kAppletFaceletOrder[static_cast<std::size_t>(i)];
        EXPECT_EQ(m().facelets[a], a % 9 == 4 ? 0 : 9) << i;
    }
    user.Clear();
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(LastStatus(), "已撤消工具输入！");
    EXPECT_EQ(m().facelets[kAppletFaceletOrder[0]], 4);
    doc->OnCommand(cmd::kRedo);
    EXPECT_EQ(LastStatus(), "已重复工具输入！");
    EXPECT_EQ(m().facelets[kAppletFaceletOrder[0]], 8);
}

TEST_F(CubeInput, CodeDialogOpensAtTheEndOfInputAndAfterTheSolve) {
    StartWith(Answer::No);
    m().showMethodIds = 1;
    user.Clear();
    doc->OnCommand(cmd::kEndInput);
    auto dialogs = user.CallsOf(ScriptedUser::Kind::CodeDialog);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].heading, "第一行是JAVA工具的涂色参数描述；\r\n第二行是ACUBE输入描述。");
    // Its first line is the input tool's text of the same net.
    EXPECT_EQ(dialogs[0].text.substr(0, kToolTextLength), kRestoredToolText);
    EXPECT_EQ(dialogs[0].text.substr(kToolTextLength, 2), "\r\n");
    EXPECT_EQ(dialogs[1].heading, "解法各阶段方法编号");
}

TEST_F(CubeInput, NewAndOpenLeaveInputModeAndTheBottomCentreCorrectionIsReported) {
    for (bool open : {false, true}) {
        StartWith(Answer::No);
        user.Clear();
        if (open)
            ASSERT_TRUE(doc->OpenDocumentFile(VELMORA_TEST_DATA "/three_turn_eight_corner.mf"));
        else
            doc->OnCommand(cmd::kFileNew);
        EXPECT_EQ(m().inputMode, 0);
        auto swaps = user.CallsOf(ScriptedUser::Kind::SwapButton);
        ASSERT_EQ(swaps.size(), 1u);
        EXPECT_EQ(swaps[0].value, cmd::kEndInput);
        EXPECT_TRUE(doc->IsEnabled(cmd::kFileSave));
    }

    // A single quarter turn of the B centre mark is no legal position: the solve puts
    // it right and says so.
    m().ResetCube();
    m().ExecuteAndSolve();
    StartWith(Answer::No);
    ClickCell(49);
    user.Clear();
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(m().inputMode, 0);
    const auto messages = user.Messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), "中心小块色向错误，被自动修正！"), messages.end());
}

// Input clears the modified flag; unsaved changes made before it are still asked for
// while input lasts and are marked again when input is left without a new position.
TEST_F(CubeInput, UnsavedChangesSurviveInputThatIsAbandoned) {
    doc->SetModifiedFlag(true);
    StartWith(Answer::No);
    EXPECT_FALSE(doc->IsModified());

    user.Clear();
    user.answers = {Answer::Cancel};
    doc->OnCommand(cmd::kFileNew);
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"是否保存对“无标题”的更改？"});
    EXPECT_EQ(m().inputMode, -1);

    user.answers = {Answer::Yes};
    doc->OnCommand(cmd::kUndo);  // nothing painted: abandon
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_TRUE(doc->IsModified());

    StartWith(Answer::No);
    ClickSwatch(2);
    ClickCell(0);
    user.answers = {Answer::No, Answer::Yes};
    doc->OnCommand(cmd::kEndInput);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_TRUE(doc->IsModified());

    // Nothing unsaved before input: nothing to ask for.
    doc->SetModifiedFlag(false);
    StartWith(Answer::No);
    user.Clear();
    doc->OnCommand(cmd::kFileNew);
    EXPECT_TRUE(user.Messages().empty());
    EXPECT_EQ(m().inputMode, 0);
}

}  // namespace
}  // namespace velmora::test
