// Opening and saving cube files by path: nothing blocks, nothing is replaced by
// surprise, nothing is left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "files/cube_file.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class FileAccess : public FolderModelTest {
protected:
    FileAccess() : FolderModelTest("velmora-access-") {}
    void SetUp() override {
        FolderModelTest::SetUp();
        m().ResetCube();
        m().RunMoveString(0, "F+;T+;R-;L*;");
        m().ExecuteAndSolve();
        user.calls.clear();
    }
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // Names in the folder other than the ones a test made itself.
    int EntriesIn() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
    std::string LastMessage() const {
        for (auto it = user.calls.rbegin(); it != user.calls.rend(); ++it)
            if (it->kind == ScriptedUser::Kind::Message) return it->text;
        return {};
    }
    static mode_t ModeOf(const std::string& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }

};

TEST_F(FileAccess, OpeningAnythingButARegularFileIsRefusedWithoutWaiting) {
    const std::string fifo = PathOf("pipe.mf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string before = Code();
    for (const std::string& path : {fifo, std::string("/dev/null"), dir.string()}) {
        auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(m().LoadCubeFile(path.c_str()), -1) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2)) << path;
        EXPECT_EQ(LastMessage(), "不能打开文件“" + path + "”！");
        EXPECT_EQ(m().statusText.view(), kOpenFailedStatus);
        EXPECT_EQ(Code(), before);
    }
}

TEST_F(FileAccess, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    const std::string target = PathOf("real.mf");
    WriteBytes(target, "old");
    fs::create_directory(dir / "sub");
    fs::create_symlink("../real.mf", dir / "sub" / "link.mf");  // relative to the link's folder
    ASSERT_EQ(m().SaveCubeFile(PathOf("sub/link.mf").c_str()), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "sub" / "link.mf"));
    EXPECT_EQ(ReadBytes(target).substr(0, 72), m().SolutionRecord.view().substr(0, 72));

    // A dangling link gets its target made.
    fs::create_symlink("made.mf", dir / "dangling.mf");
    ASSERT_EQ(m().SaveCubeFile(PathOf("dangling.mf").c_str()), 1);
    EXPECT_TRUE(fs::is_regular_file(dir / "made.mf"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.mf"));
    EXPECT_EQ(EntriesIn(), 4);  // real.mf, sub, dangling.mf, made.mf: no temporary left
}

TEST_F(FileAccess, SavingRefusesPipesDevicesFoldersAndReadOnlyFiles) {
    const std::string fifo = PathOf("pipe.mf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("/dev/null", dir / "null.mf");
    fs::create_directory(dir / "folder.mf");
    const std::string locked = PathOf("locked.mf");
    WriteBytes(locked, "keep me");
    ::chmod(locked.c_str(), 0444);
    fs::create_symlink("loop.mf", dir / "loop.mf");

    for (const char* name : {"pipe.mf", "null.mf", "folder.mf", "locked.mf", "loop.mf"}) {
        const std::string path = PathOf(name);
        user.calls.clear();
        EXPECT_EQ(m().SaveCubeFile(path.c_str()), -1) << name;
        EXPECT_EQ(LastMessage(), "不能保存文件“" + path + "”！") << name;
        EXPECT_EQ(m().statusText.view(), kSaveFailedStatus);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(ReadBytes(locked), "keep me");
    EXPECT_EQ(ModeOf(locked), 0444u);
    EXPECT_EQ(EntriesIn(), 5);
}

TEST_F(FileAccess, SavingKeepsTheModeOwnerAndGroupOfTheFileItReplaces) {
    const std::string path = PathOf("private.mf");
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0600);
    // Only a privileged user can hand a file to someone else; others check the mode.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    }
    ASSERT_EQ(m().SaveCubeFile(path.c_str()), 1);
    EXPECT_EQ(ModeOf(path), 0600u);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_uid, root ? 4321u : ::geteuid());
    EXPECT_EQ(st.st_gid, root ? 4322u : ::getegid());
    EXPECT_NE(ReadBytes(path), "old");

    // A new file gets the mode of the user's umask.
    mode_t mask = ::umask(027);
    ASSERT_EQ(m().SaveCubeFile(PathOf("new.mf").c_str()), 1);
    ::umask(mask);
    EXPECT_EQ(ModeOf(PathOf("new.mf")), 0640u);
}

TEST_F(FileAccess, TemporaryNamesNeitherCollideNorOutgrowTheLongestFileName) {
    // Names a save of an earlier version left behind stand in nobody's way.
    for (int n = 0; n < 100; ++n) WriteBytes(PathOf("cube.mf.tmp" + std::to_string(n)), "x");
    ASSERT_EQ(m().SaveCubeFile(PathOf("cube.mf").c_str()), 1);
    EXPECT_EQ(EntriesIn(), 101);

    // 252 bytes, the longest name with ".mf" that a folder can hold (255 bytes).
    const std::string longName = std::string(249, 'n') + ".mf";
    ASSERT_EQ(m().SaveCubeFile(PathOf(longName).c_str()), 1);
    ASSERT_EQ(m().SaveCubeFile(PathOf(longName).c_str()), 1);  // and replaced
    EXPECT_EQ(m().LoadCubeFile(PathOf(longName).c_str()), 1);
    EXPECT_EQ(EntriesIn(), 102);
}

TEST_F(FileAccess, AFailedSaveLeavesTheFolderAsItWas) {
    EXPECT_EQ(m().SaveCubeFile(PathOf("missing/cube.mf").c_str()), -1);
    EXPECT_EQ(m().SaveCubeFile(PathOf(std::string(256, 'n')).c_str()), -1);
    EXPECT_EQ(m().SaveCubeFile(""), -1);
    EXPECT_EQ(EntriesIn(), 0);
}

}  // namespace
}  // namespace velmora::test
