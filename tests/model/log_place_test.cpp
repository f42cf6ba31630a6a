// Where the window's solve log goes: beside a program run from a build or a user's
// folder, in the user's state folder for an installed one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "model/log_place.h"
#include "support/model_fixture.h"
#include "support/scoped_env.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

struct Layout {
    const char* what;
    ProgramFolder folder;
    LogPlace place;
};

TEST(LogPlace, InstalledProgramsNeverWriteBesideThemselves) {
    const Layout layouts[] = {
        {"the package, run by root", {"/usr/bin", true, false, true}, LogPlace::StateFolder},
        {"the package, run by a user", {"/usr/bin", true, false, false}, LogPlace::StateFolder},
        {"a local install", {"/usr/local/bin", true, false, true}, LogPlace::StateFolder},
        {"a folder under /opt owned by a user", {"/opt/velmora/bin", false, false, true}, LogPlace::StateFolder},
        {"a root-owned folder elsewhere", {"/srv/tools", true, false, true}, LogPlace::StateFolder},
        {"a user's copy", {"/home/ana/bin", false, false, true}, LogPlace::BesideProgram},
        {"a user's folder that is not writable", {"/home/ana/ro", false, false, false}, LogPlace::StateFolder},
        {"a build tree, even root's", {"/root/velmora/build/ui", true, true, true}, LogPlace::BesideProgram},
        {"a build tree under /usr/src", {"/usr/src/velmora/build/ui", true, true, true}, LogPlace::BesideProgram},
        {"a read-only build tree", {"/mnt/cd/build/ui", true, true, false}, LogPlace::StateFolder},
        {"/optional is not /opt", {"/optional/bin", false, false, true}, LogPlace::BesideProgram},
    };
    for (const Layout& l : layouts) EXPECT_EQ(ChooseLogPlace(l.folder), l.place) << l.what;
}

class LogFolder : public FolderModelTest {
protected:
    LogFolder() : FolderModelTest("velmora-logplace-") {}
};

TEST_F(LogFolder, ABuildTreeIsFoundAboveTheProgram) {
    fs::create_directories(dir / "build" / "ui");
    std::ofstream(dir / "build" / "ui" / "velmora") << "";
    ProgramFolder f = InspectProgramFolder((dir / "build" / "ui" / "velmora").string());
    EXPECT_EQ(f.path, fs::canonical(dir / "build" / "ui").string());
    EXPECT_FALSE(f.inBuildTree);
    EXPECT_TRUE(f.writable);
    EXPECT_EQ(f.ownedByRoot, ::geteuid() == 0);
    std::ofstream(dir / "build" / "CMakeCache.txt") << "";
    EXPECT_TRUE(InspectProgramFolder((dir / "build" / "ui" / "velmora").string()).inBuildTree);
    // A symbolic link to the program is followed to the folder that holds it.
    fs::create_symlink(dir / "build" / "ui" / "velmora", dir / "link");
    EXPECT_TRUE(InspectProgramFolder((dir / "link").string()).inBuildTree);
    EXPECT_FALSE(InspectProgramFolder((dir / "missing" / "velmora").string()).writable);
}

// The window of an installed program started by root: the log goes to root's state
// folder, nothing is written beside the program.
TEST_F(LogFolder, AnInstalledProgramRunByRootLogsToTheStateFolder) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs a folder owned by root";
    const fs::path bin = dir / "usr" / "bin";
    fs::create_directories(bin);
    ScopedEnv xdg("XDG_STATE_HOME", (dir / "state").c_str());
    CTarnexSource fresh;
    fresh.programPath.Assign((bin / "velmora").string());
    fresh.InitCubeModel();
    EXPECT_EQ(fresh.logPath.view(), (dir / "state" / "velmora" / "velmora_log.mf").string());
    EXPECT_FALSE(fs::exists(bin / "velmora_log.mf"));
}

}  // namespace
}  // namespace velmora::test
