// Every change of the document marks it as unsaved, whatever made it, and the marks
// the title shows follow the flag; the automatic demonstration's deal gives the file
// back when it is undone.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include "doc_fixture.h"
#include "document/command_string_form.h"
#include "model/facelet_string.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedUser::Kind;

class DocumentChanges : public DocTest {
public:
    // The table's rows act on the fixture from outside it.
    using DocTest::doc;
    using DocTest::m;
    using DocTest::user;

protected:
    void SetUp() override {
        DocTest::SetUp();
        dir = fs::temp_directory_path() /
              ("velmora-changes-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "mine.mf").string();
        // An opened file: its cube turned and saved, nothing unsaved.
        DealAndSolve("F+;R-;T*;L+;");
        ASSERT_TRUE(doc->SaveDocumentFile(file));
        saved = Bytes(file);
        user.Clear();
    }
    void TearDown() override {
        fs::remove_all(dir);
        DocTest::TearDown();
    }
public:
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The mark the title shows: the last flag handed to the window.
    int ShownMark() const {
        auto marks = user.CallsOf(Kind::Modified);
        return marks.empty() ? -1 : marks.back().value;
    }
    std::string FaceletsAfter(std::string_view moves) {
        const CubeState before = m().cube;
        m().RunMoveString(0, moves);
        char text[kFaceletCount + 1];
        WriteFaceletString(m(), true, text);
        m().cube = before;
        return text;
    }

    fs::path dir;
    std::string file;
    std::string saved;
};

struct Change {
    const char* name;
    std::function<void(DocumentChanges&)> run;
};

class EachChange : public DocumentChanges, public ::testing::WithParamInterface<Change> {};

TEST_P(EachChange, MarksTheDocumentAndItsTitle) {
    GetParam().run(*this);
    EXPECT_TRUE(doc->HasUnsavedChanges()) << GetParam().name;
    EXPECT_EQ(ShownMark(), 1) << GetParam().name;
    // Closing now asks, and a save clears the mark.
    user.answers = {Answer::Yes};
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(doc->PathName(), file);
    EXPECT_FALSE(doc->HasUnsavedChanges());
    EXPECT_EQ(ShownMark(), 0);
    EXPECT_NE(Bytes(file), saved) << GetParam().name << ": the change reached the file";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EachChange,
    ::testing::Values(
        Change{"typed turn", [](DocumentChanges& t) { t.doc->RunTypedCommand("R+"); }},
        Change{"two keys", [](DocumentChanges& t) {
                   t.doc->OnKey('F');
                   t.doc->OnKey('-');
               }},
        Change{"layer drag", [](DocumentChanges& t) { ASSERT_EQ(t.doc->TurnLayer(2, 1, -1), 1); }},
        Change{"painted input", [](DocumentChanges& t) {
                   // Begun from the solved colours and ended at once: the solved cube.
                   t.user.answers = {Answer::No};
                   t.doc->OnCommand(cmd::kStartInput);
                   ASSERT_EQ(t.m().inputMode, -1);
                   t.doc->OnCommand(cmd::kEndInput);
                   ASSERT_EQ(t.m().inputMode, 0);
               }},
        Change{"photos or camera", [](DocumentChanges& t) {
                   ASSERT_EQ(t.doc->ApplyPhotoColouring(t.FaceletsAfter("R+;T+;R-;")), 1);
               }},
        Change{"command string", [](DocumentChanges& t) {
                   CommandStringForm form;
                   form.input = "R U R' U'";
                   CommandStringChoice c;
                   ASSERT_TRUE(form.Accept(true, c));
                   t.user.commandStrings.push_back(c);
                   t.doc->OnCommand(cmd::kCommandString);
               }},
        Change{"modify", [](DocumentChanges& t) {
                   CubeState edited = t.m().cube;
                   std::swap(edited.pieces[1][1], edited.pieces[1][2]);
                   std::swap(edited.pieces[1][3], edited.pieces[1][4]);
                   t.user.editedCubes.push_back(edited);
                   t.doc->OnCommand(cmd::kModify);
               }},
        Change{"BB on a file's cube", [](DocumentChanges& t) {
                   t.user.answers = {Answer::Yes};
                   t.doc->OnKey('B');
                   t.doc->OnKey('B');
               }},
        Change{"method", [](DocumentChanges& t) { t.doc->OnCommand(cmd::kEightCornerMethod); }},
        Change{"undo", [](DocumentChanges& t) {
                   t.doc->RunTypedCommand("R+");
                   ASSERT_TRUE(t.doc->SaveDocumentFile(t.file));
                   t.saved = t.Bytes(t.file);
                   t.doc->OnCommand(cmd::kUndo);
               }},
        Change{"a new command that records its step", [](DocumentChanges& t) {
                   // What any command of the common pattern does: record, then change.
                   t.doc->HistoryOp(2, "新命令");
                   t.m().ApplyToken("P+");
                   t.m().ExecuteAndSolve();
               }}),
    [](const ::testing::TestParamInfo<Change>& info) {
        std::string n;
        for (const char* c = info.param.name; *c; ++c) n += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return n;
    });

TEST_F(DocumentChanges, SteppingAndRefusedInputLeaveTheDocumentClean) {
    doc->OnCommand(cmd::kStepForward);
    doc->OnCommand(cmd::kStepForward);
    doc->OnCommand(cmd::kStepBack);
    EXPECT_FALSE(doc->HasUnsavedChanges());
    // A colouring the photos could not make whole changes nothing.
    user.answers = {};
    EXPECT_EQ(doc->ApplyPhotoColouring("UUU"), 0);
    EXPECT_FALSE(doc->HasUnsavedChanges());
    // Input begun and abandoned without painting.
    user.answers = {Answer::No, Answer::Yes};
    doc->OnCommand(cmd::kStartInput);
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(m().inputMode, 0);
    EXPECT_FALSE(doc->HasUnsavedChanges());
    EXPECT_NE(ShownMark(), 1);
}

TEST_F(DocumentChanges, UnsavedChangesStayMarkedWhileACubeIsPainted) {
    doc->RunTypedCommand("R+");
    user.answers = {Answer::No};
    doc->OnCommand(cmd::kStartInput);
    ASSERT_EQ(m().inputMode, -1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->HasUnsavedChanges());
    EXPECT_EQ(ShownMark(), 1);
}

// Undoing the demonstration's deal gives back the user's file with its cube, so that
// Ctrl+S saves there again; redoing it deals into the untitled document once more.
TEST_F(DocumentChanges, UndoingTheDemonstrationsDealGivesTheFileBack) {
    const std::string mine = Code();
    m().autoDemoCount = 16;
    doc->DemoTick();
    ASSERT_NE(Code(), mine);
    EXPECT_EQ(doc->Title(), "无标题");
    EXPECT_FALSE(doc->HasUnsavedChanges());

    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), mine);
    EXPECT_EQ(doc->PathName(), file);
    EXPECT_EQ(doc->Title(), "mine.mf");
    EXPECT_EQ(user.CallsOf(Kind::DocumentPath).back().text, file);
    EXPECT_FALSE(doc->HasUnsavedChanges()) << "the cube is the saved one";
    user.Clear();
    doc->OnCommand(cmd::kFileSave);
    EXPECT_TRUE(user.CallsOf(Kind::SaveDialog).empty());

    doc->OnCommand(cmd::kRedo);
    EXPECT_NE(Code(), mine);
    EXPECT_TRUE(doc->PathName().empty());
    EXPECT_FALSE(doc->HasUnsavedChanges());
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(doc->PathName(), file);
}

TEST_F(DocumentChanges, UndoingADealOfAChangedFileGivesBackItsChanges) {
    doc->RunTypedCommand("R+");
    const std::string turned = Code();
    m().autoDemoCount = 16;
    user.answers = {Answer::No};  // do not save the turn
    doc->DemoTick();
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), turned);
    EXPECT_EQ(doc->PathName(), file);
    EXPECT_TRUE(doc->HasUnsavedChanges());
    EXPECT_EQ(Bytes(file), saved);
}

TEST_F(DocumentChanges, ADealSavedUnderANewNameKeepsThatNameOnUndo) {
    m().autoDemoCount = 16;
    doc->DemoTick();
    const std::string other = (dir / "dealt.mf").string();
    ASSERT_TRUE(doc->SaveDocumentFile(other));
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(doc->PathName(), other);
    EXPECT_TRUE(doc->HasUnsavedChanges());
}

}  // namespace
}  // namespace velmora::test
