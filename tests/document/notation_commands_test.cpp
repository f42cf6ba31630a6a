// 编辑 › 复原魔方: the solved cube from the menu, as BB gives it.
#include <gtest/gtest.h>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

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
