// The notation commands of the document: the solution copied in the international
// notation and the solved cube from the menu.
#include <gtest/gtest.h>

#include "doc_fixture.h"
#include "model/move_notation.h"

namespace velmora::test {
namespace {

TEST_F(DocTest, CopiedSolutionIsOneInternationalLineThatSolvesTheCube) {
    DealAndSolve("R+;T+;F-;B*;L-;P+;");
    ASSERT_TRUE(doc->OnCommand(cmd::kCopySolution));
    std::vector<NotationMove> moves;
    NotationError error;
    ASSERT_TRUE(ParseMoveNotation(user.clipboard, moves, error)) << user.clipboard;
    EXPECT_EQ(user.clipboard.find_first_of(";+*\n"), std::string::npos) << user.clipboard;
    m().RunMoveString(0, OwnMovesText(moves));
    EXPECT_EQ(Code().substr(0, kShortCodeLength), std::string(kSolvedCode).substr(0, kShortCodeLength));
}

TEST_F(DocTest, ResetCubeAsksAsBBDoesAndIsUndone) {
    DealAndSolve("R+;T+;F-;");
    const std::string before = Code();
    user.answers = {Answer::No, Answer::Yes};
    doc->OnCommand(cmd::kResetCube);
    EXPECT_EQ(Code(), before);
    doc->OnCommand(cmd::kResetCube);
    EXPECT_EQ(Code(), kSolvedCode);
    EXPECT_EQ(user.Messages(), (std::vector<std::string>{"是否设置成复原状态？", "是否设置成复原状态？"}));
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), before);
}

}  // namespace
}  // namespace velmora::test
