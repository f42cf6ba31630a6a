#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

#include "files/cube_file.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class CubeFileReader : public FolderModelTest {
protected:
    CubeFileReader() : FolderModelTest("velmora-files-") {}

    std::string PathOf(const char* name) const { return (dir / name).string(); }
    void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    int Open(const std::string& bytes) {
        std::istringstream in(bytes);
        return m().LoadCubeFile(in);
    }
    // The position code that heads the solution record.
    std::string StartCode() const { return std::string(model->SolutionRecord.view().substr(0, kCodeLength)); }
    std::string CodeAfter(const char* moves) {
        CTarnexSource other;
        other.InitCubeModel();
        other.RunMoveString(0, moves);
        return CodeOf(other.cube);
    }
    bool LastMessageIs(std::string_view text, Icon icon) const {
        for (auto it = user.calls.rbegin(); it != user.calls.rend(); ++it)
            if (it->kind == ScriptedUser::Kind::Message) return it->text == text && it->icon == icon;
        return false;
    }
    bool AnyTempLeft() const {
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename().string().find(".tmp") != std::string::npos) return true;
        return false;
    }

};

TEST_F(CubeFileReader, FilesOfFewerThanTwoBytesAreRefusedAndChangeNothing) {
    m().RunMoveString(0, "F+;");
    m().ExecuteAndSolve();
    const std::string code = Code(), record(m().SolutionRecord.view());
    for (const std::string& bytes : {std::string(), std::string("1")}) {
        user.Clear();
        EXPECT_EQ(Open(bytes), -1);
        EXPECT_TRUE(LastMessageIs(kNoDataMessage, Icon::Stop));
        EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);

        const std::string path = PathOf("short.mf");
        WriteBytes(path, bytes);
        EXPECT_EQ(m().LoadCubeFile(path.c_str()), -1);
        EXPECT_TRUE(LastMessageIs(kNoDataMessage, Icon::Stop));
        EXPECT_EQ(Code(), code);
        EXPECT_EQ(m().SolutionRecord.view(), record);
    }
}

TEST_F(CubeFileReader, UnreadableFilesAreReportedAsFailures) {
    const std::string missing = PathOf("missing.mf");
    EXPECT_EQ(m().LoadCubeFile(missing.c_str()), -1);
    EXPECT_TRUE(LastMessageIs("不能打开文件“" + missing + "”！", Icon::Stop));
    EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);

    // A folder opens but cannot be read.
    user.Clear();
    m().statusText.Clear();
    EXPECT_EQ(m().LoadCubeFile(dir.string().c_str()), -1);
    EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);
    EXPECT_EQ(user.Messages().size(), 1u);

    std::ifstream closed;  // never opened: reading it fails
    closed.setstate(std::ios::badbit);
    EXPECT_EQ(m().LoadCubeFile(closed), -1);
    EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);
    EXPECT_EQ(Code(), kSolvedCode);
}

TEST_F(CubeFileReader, SavingToAPathReplacesTheFileWholeAndLeavesNoTemporary) {
    const std::string path = PathOf("cube.mf");
    WriteBytes(path, std::string(5000, 'x'));  // longer than the new file
    m().RunMoveString(0, "F+;T+;R-;");
    m().ExecuteAndSolve();
    ASSERT_EQ(m().SaveCubeFile(path.c_str()), 1);
    EXPECT_EQ(m().statusText.view(), kSavedStatus);
    std::ostringstream same;
    m().SaveCubeFile(same);
    EXPECT_EQ(ReadBytes(path), same.str());
    EXPECT_FALSE(AnyTempLeft());
}

TEST_F(CubeFileReader, FailedSavesAreReportedAndNeverDestroyWhatWasThere) {
    const std::string nowhere = PathOf("no-such-folder/cube.mf");
    EXPECT_EQ(m().SaveCubeFile(nowhere.c_str()), -1);
    EXPECT_TRUE(LastMessageIs("不能保存文件“" + nowhere + "”！", Icon::Stop));
    EXPECT_EQ(m().statusText.view(), kSaveFailedStatus);
    EXPECT_FALSE(fs::exists(nowhere));

    // A folder in the way: the temporary file is written but cannot replace it.
    const std::string folder = PathOf("taken.mf");
    fs::create_directories(fs::path(folder) / "inside");
    m().statusText.Clear();
    EXPECT_EQ(m().SaveCubeFile(folder.c_str()), -1);
    EXPECT_EQ(m().statusText.view(), kSaveFailedStatus);
    EXPECT_TRUE(fs::is_directory(fs::path(folder) / "inside"));
    EXPECT_FALSE(AnyTempLeft());

    EXPECT_EQ(m().SaveCubeFile(""), -1);

    std::ofstream closed;  // a stream that refuses every write
    m().statusText.Clear();
    EXPECT_EQ(m().SaveCubeFile(closed), -1);
    EXPECT_EQ(m().statusText.view(), kSaveFailedStatus);
}

TEST_F(CubeFileReader, SavedFilesReopenAtTheirStartWhateverStepTheyWereSavedAt) {
    std::mt19937 rng(20240611);
    constexpr int kPositions = 10000;
    for (int i = 0; i < kPositions; ++i) {
        m().ResetCube();
        RandomTurns(m(), rng, 1 + static_cast<int>(rng() % 30));
        m().ExecuteAndSolve();
        for (int s = static_cast<int>(rng() % 8); s > 0; --s)
            if (m().demoPos < static_cast<int>(m().SolutionRecord.size())) m().StepSolution(+1);
        const std::string code = StartCode();
        std::stringstream file;
        ASSERT_EQ(m().SaveCubeFile(file), 1);
        ASSERT_EQ(m().LoadCubeFile(file), 1);
        ASSERT_EQ(StartCode(), code) << "position " << i;
        ASSERT_EQ(m().demoPos, kRecordMovesStart);
        ASSERT_EQ(Code().substr(0, kShortCodeLength), code.substr(0, kShortCodeLength));
        ASSERT_EQ(m().statusText.view(), kOpenedStatus);
        user.Clear();
    }
}

TEST_F(CubeFileReader, SavedFileReopensThroughItsPath) {
    const std::string path = PathOf("cube.mf");
    m().RunMoveString(0, "F+;T+;R-;L*;");
    m().ExecuteAndSolve();
    m().StepSolution(+1);
    const std::string code = StartCode();
    ASSERT_EQ(m().SaveCubeFile(path.c_str()), 1);
    m().ResetCube();
    m().ExecuteAndSolve();
    ASSERT_EQ(m().LoadCubeFile(path.c_str()), 1);
    EXPECT_EQ(StartCode(), code);
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
}

TEST_F(CubeFileReader, PlainMoveTextsOpenAsTurnsOfTheSolvedCube) {
    m().RunMoveString(0, "L+;");  // the current cube does not count
    EXPECT_EQ(Open("F+;R+;"), 1);
    EXPECT_EQ(StartCode(), CodeAfter("F+;R+;"));
    EXPECT_EQ(m().statusText.view(), kOpenedStatus);

    // Only the first 500 bytes are read: 166 quarter turns of T, then F turns.
    std::string text;
    for (int i = 0; i < 166; ++i) text += "T+;";
    text += "  ";
    ASSERT_EQ(text.size(), kCubeFileHeadBytes);
    for (int i = 0; i < 33; ++i) text += "F+;";
    text += ".";
    ASSERT_EQ(text.size(), 600u);
    EXPECT_EQ(Open(text), 1);
    EXPECT_EQ(StartCode(), CodeAfter("T*;"));
}

TEST_F(CubeFileReader, RecordSavedBeforeAnySolveOpensAsTheHtmlRunAsMoves) {
    std::stringstream file;
    ASSERT_EQ(m().SolutionRecord.view(), "  ");
    ASSERT_EQ(m().SaveCubeFile(file), 1);
    // The first 500 bytes hold the page's head and no move token.
    EXPECT_EQ(m().LoadCubeFile(file), 1);
    EXPECT_TRUE(LastMessageIs("文件中没有转动魔方的数据", Icon::Stop));
    EXPECT_EQ(StartCode(), kSolvedCode);
    EXPECT_EQ(m().statusText.view(), kOpenedStatus);
}

TEST_F(CubeFileReader, RandomBytesNeverBreakTheReader) {
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        std::string bytes(rng() % 700, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() % 5 == 0 ? "TFRPLB+-*;,"[rng() % 11] : rng());
        int r = Open(bytes);
        if (bytes.size() < 2) {
            EXPECT_EQ(r, -1);
        }
        EXPECT_EQ(m().statusText.view(), r == 1 ? kOpenedStatus : kOpenFailedStatus);
        EXPECT_LE(m().SolutionRecord.size(), static_cast<std::size_t>(kRecordCapacity));
        user.Clear();
    }
}

// A head that cannot be read as what it looks like fails the open and leaves the cube
// and its solution as they were: never a part of it run, never another position.
TEST_F(CubeFileReader, UnreadableHeadsFailTheOpenAndKeepTheCube) {
    struct Head {
        std::string bytes;
        std::string message;
    };
    const std::string halfFront = CodeAfter("F*;");
    ASSERT_EQ(halfFront[0], '5');
    const Head heads[] = {
        {"9" + halfFront.substr(1) + "  1 F*;\r\n<HTML>F+;</HTML>", "不能读取文件！"},
        {std::string("R+;\0T+;F+;", 10), "文件中的转动数据有控制字符“\\x00”（第4个字节），文件没有打开！"},
        {"F+;R+;\x1b[2J", "文件中的转动数据有控制字符“\\x1B”（第7个字节），文件没有打开！"},
    };
    m().RunMoveString(0, "L+;");
    m().ExecuteAndSolve();
    const std::string code = Code(), record(m().SolutionRecord.view());
    for (const Head& h : heads) {
        user.Clear();
        EXPECT_EQ(Open(h.bytes), -1);
        EXPECT_TRUE(LastMessageIs(h.message, Icon::Stop)) << h.message;
        EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);
        EXPECT_EQ(Code(), code);
        EXPECT_EQ(m().SolutionRecord.view(), record);
    }
}

}  // namespace
}  // namespace velmora::test
