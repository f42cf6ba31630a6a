// F2, F3, F4 and F7 deal into a new untitled document, and so do the deals of the
// automatic demonstration: a later save asks for a name instead of overwriting the
// file the document came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "doc_fixture.h"

namespace velmora::test {
namespace {

using Kind = ScriptedUser::Kind;

std::string Bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class NewDeal : public DocTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        DocTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("velmora_untitled_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               std::to_string(GetParam()));
        std::filesystem::create_directories(dir);
        file = (dir / "a.mf").string();
        // An opened file whose cube the user then turned.
        m().RunMoveString(0, "F+;R-;T*;");
        m().ExecuteAndSolve();
        ASSERT_TRUE(doc->SaveDocumentFile(file));
        saved = Bytes(file);
        m().ApplyToken("L+");
        m().ExecuteAndSolve();
        doc->SetModifiedFlag(true);
        user.Clear();
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        DocTest::TearDown();
    }
    std::filesystem::path dir;
    std::string file;
    std::string saved;
};

TEST_P(NewDeal, CancelAtTheSaveQuestionChangesNothing) {
    const std::string before = Code();
    user.answers = {Answer::Cancel};
    EXPECT_TRUE(doc->OnCommand(GetParam()));
    EXPECT_EQ(user.Messages(), std::vector<std::string>{"是否保存对“a.mf”的更改？"});
    EXPECT_EQ(Code(), before);
    EXPECT_EQ(doc->PathName(), file);
    EXPECT_TRUE(doc->IsModified());
}

TEST_P(NewDeal, DealsIntoAnUntitledDocumentSoSaveAsksForAName) {
    const std::string before = Code();
    user.answers = {Answer::No};
    EXPECT_TRUE(doc->OnCommand(GetParam()));
    EXPECT_NE(Code(), before);
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_EQ(doc->Title(), "无标题");
    EXPECT_FALSE(doc->IsModified());

    // Ctrl+S with the save dialog cancelled: the old file keeps its position.
    doc->OnCommand(cmd::kFileSave);
    ASSERT_EQ(user.CallsOf(Kind::SaveDialog).size(), 1u);
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog)[0].heading, "无标题.mf");
    EXPECT_EQ(Bytes(file), saved);
}

TEST_P(NewDeal, YesSavesTheTurnedCubeUnderItsOwnNameFirst) {
    const std::string turned = Code();
    user.answers = {Answer::Yes};
    EXPECT_TRUE(doc->OnCommand(GetParam()));
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_NE(Bytes(file), saved);
    // The file now opens to the turned cube.
    user.Clear();
    ASSERT_TRUE(doc->OpenDocumentFile(file));
    EXPECT_EQ(Code(), turned);
}

INSTANTIATE_TEST_SUITE_P(F2F3F4F7, NewDeal,
                         ::testing::Values(cmd::kFileNew, cmd::kScrambleTop, cmd::kScrambleEdges,
                                           cmd::kScrambleCentres));

TEST_F(DocTest, DemonstrationDealLeavesTheDocumentUntitled) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("velmora_demo_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".mf");
    ASSERT_TRUE(doc->SaveDocumentFile(file.string()));
    const std::string saved = Bytes(file);
    m().autoDemoCount = 16;
    doc->DemoTick();
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_FALSE(doc->IsModified());
    doc->OnCommand(cmd::kFileSave);
    EXPECT_EQ(user.CallsOf(Kind::SaveDialog).size(), 1u);
    EXPECT_EQ(Bytes(file), saved);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace velmora::test
