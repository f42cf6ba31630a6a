// The paste command: which texts describe a cube and how, and the document step that
// sets the pasted cube as a new untitled document.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/input_tool.h"
#include "document/pasted_cube.h"
#include "document/doc_fixture.h"
#include "model/move_notation.h"

namespace velmora::test {
namespace {

constexpr std::string_view kScramble = "D2 B2 U' F2 U2 L2 D' F2 R2 U R2 F' L' U' R F' D' U2 B L2 R'";
constexpr std::string_view kSolvedPosition =
    "110120130140210220230240310320330340410420430440510520530540123456000000";
// The position after F* from the solved cube.
constexpr std::string_view kHalfFrontCode =
    "511120130140442220230412341320330311241420430211111520530540123456020000";
constexpr std::string_view kSolvedFacelets = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";

struct PasteCase {
    std::string text;
    PastedKind kind;
    bool ok;
    int turns;         // -1: not looked at
    std::string line;  // a part of the line shown under the field
};

std::string Replaced(std::string_view text, std::size_t at, char c) {
    std::string s(text);
    s[at] = c;
    return s;
}

// 54 moves of single letters: moves, although every letter is one of U R F D L B.
std::string FiftyFourLetterMoves() {
    std::string s;
    for (int i = 0; i < 54; ++i) s += i % 2 ? "U " : "R ";
    return s;
}

const PasteCase kCases[] = {
    {std::string(kScramble), PastedKind::Moves, true, 21, "识别为打乱公式：21步，21转。"},
    {"R+;T+;R-;T-;", PastedKind::Moves, true, 4, "4步"},
    {"  (R U R' U')3\n", PastedKind::Moves, true, 12, "12步，12转"},
    {"M2 E S x", PastedKind::Moves, true, 6, "4步，6转"},
    {FiftyFourLetterMoves(), PastedKind::Moves, true, 54, "54步"},
    {std::string(kSolvedFacelets), PastedKind::Facelets, true, -1, "54位魔方字符串"},
    {"uuuuuuuuu\nrrrrrrrrr\nfffffffff\nddddddddd\nlllllllll\nbbbbbbbbb", PastedKind::Facelets, true, -1, "魔方字符串"},
    {Replaced(kSolvedFacelets, 4, 'R'), PastedKind::Facelets, false, -1, std::string(kNotFaceletStringNote)},
    {std::string(kSolvedPosition), PastedKind::Code, true, -1, "72位位置代码"},
    {std::string(kHalfFrontCode) + "\r\n", PastedKind::Code, true, -1, "72位位置代码"},
    {Replaced(kHalfFrontCode, 0, '9'), PastedKind::Code, false, -1, "不是有效的位置代码"},
    {std::string(kSolvedPosition.substr(0, 71)), PastedKind::Code, false, -1, "不是有效的位置代码"},
    {Replaced(kSolvedPosition, 4, '1'), PastedKind::Code, false, -1, "魔方零件错误"},
    {"", PastedKind::None, false, -1, "请粘贴或输入"},
    {" \t\n", PastedKind::None, false, -1, "请粘贴或输入"},
    {";;;", PastedKind::Moves, false, -1, "没有可以执行的转动"},
    {"R U Q2", PastedKind::Moves, false, -1, "无法识别的转动：“Q2”（第 5 个字符）"},
    {"[R,U,F]", PastedKind::Moves, false, -1, "（第 5 个字符）"},
    {"(R)999999999", PastedKind::Moves, false, -1, "重复次数太大（最多99次）：“999999999”（第 4 个字符）"},
    {"R\aU", PastedKind::Moves, false, -1, "控制字符：“\\x07”（第 2 个字符）"},
    {"((M)91)10", PastedKind::Moves, false, -1, "动作记录最多9999个字符"},
};

class PastedText : public ModelTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PastedText, IsRecognisedOrRefusedWithItsReason) {
    const PasteCase& c = GetParam();
    const PastedCube p = RecognisePastedText(m(), c.text);
    EXPECT_EQ(p.kind, c.kind);
    EXPECT_EQ(p.ok, c.ok);
    EXPECT_NE(p.line.find(c.line), std::string::npos) << p.line;
    if (c.turns >= 0) {
        EXPECT_EQ(p.turns, c.turns);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, PastedText, ::testing::ValuesIn(kCases));

class PasteCommand : public DocTest {
protected:
    std::string NewestHistoryName() const {
        return doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name;
    }
};

// OK behaves like F2: the save question, a new untitled document, the scramble applied
// to the solved cube and solved, one undoable history step, the document modified.
TEST_F(PasteCommand, ScrambleBecomesANewDocumentInOneStep) {
    DealAndSolve("F+;R+;");
    const std::string before = Code();
    doc->SetModifiedFlag(true);
    user.Clear();
    user.answers = {Answer::No};  // do not save the changes
    user.pastedTexts = {std::string(kScramble)};
    ASSERT_TRUE(doc->OnCommand(cmd::kPasteCube));

    auto expected = std::make_unique<CTarnexSource>();
    expected->InitCubeModel();
    std::vector<NotationMove> moves;
    NotationError error;
    ASSERT_TRUE(ParseMoveNotation(kScramble, moves, error));
    expected->RunMoveString(0, OwnMovesText(moves));
    EXPECT_EQ(CodeOf(m().startState), CodeOf(expected->cube));
    EXPECT_EQ(m().lastSolveResult, 1);
    EXPECT_EQ(user.Messages().front(), "是否保存对“无标题”的更改？");
    EXPECT_EQ(NewestHistoryName(), kPasteHistoryName);
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(LastStatus(), "已经粘贴魔方：打乱公式21步，21转，并求出解法。");
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), before);
}

TEST_F(PasteCommand, OpensWithTheClipboardOnlyWhenItDescribesACube) {
    user.clipboard = "hello";
    doc->OnCommand(cmd::kPasteCube);
    user.clipboard = std::string(kSolvedFacelets);
    doc->OnCommand(cmd::kPasteCube);
    // A dropped text is shown as it is, whatever it holds.
    doc->PasteCube("hello", true);
    EXPECT_EQ(user.pasteOpenings, (std::vector<std::string>{"", std::string(kSolvedFacelets), "hello"}));
}

TEST_F(PasteCommand, FaceletsAndCodesSetThePositionAndCancelChangesNothing) {
    const std::string before = Code();
    const int cursor = doc->cmdCursor;
    doc->OnCommand(cmd::kPasteCube);  // cancelled
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->cmdCursor, cursor);

    user.pastedTexts = {std::string(kHalfFrontCode)};
    doc->OnCommand(cmd::kPasteCube);
    EXPECT_EQ(CodeOf(m().startState), kHalfFrontCode);

    user.answers = {Answer::No};  // the pasted cube is unsaved: the question comes
    user.pastedTexts = {std::string(kSolvedFacelets)};
    doc->OnCommand(cmd::kPasteCube);
    EXPECT_EQ(CodeOf(m().startState), kSolvedPosition);
    EXPECT_EQ(NewestHistoryName(), kPasteHistoryName);
    EXPECT_EQ(doc->cmdCursor, cursor + 2);
}

TEST_F(PasteCommand, AFaceletStringRefusedByTheInputChecksKeepsTheOpenFile) {
    ASSERT_TRUE(doc->OpenDocumentFile(VELMORA_TEST_DATA "/three_turn_eight_corner.mf"));
    const std::string path = doc->PathName();
    const std::string before = Code();
    // Nine stickers of each colour, but the corner U9 R1 F3 is twisted in place.
    std::string twisted(kSolvedFacelets);
    twisted[8] = 'F';
    twisted[9] = 'U';
    twisted[20] = 'R';
    user.pastedTexts = {twisted};
    user.answers = {Answer::No};  // 是否继续填充魔方颜色？
    doc->OnCommand(cmd::kPasteCube);
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->PathName(), path);
}

}  // namespace
}  // namespace velmora::test
