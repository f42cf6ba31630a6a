#include "model/log_place.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

// Folders whose programs are installed ones, whoever owns them.
constexpr std::string_view kInstallRoots[] = {"/usr", "/opt"};

// True when path is root or lies below it (whole folder names: /optional is not /opt).
bool Below(std::string_view path, std::string_view root) {
    return path.substr(0, root.size()) == root && (path.size() == root.size() || path[root.size()] == '/');
}

// How many folders above the program's are searched for a build tree's cache file: a
// build puts its programs a few levels below its top (build/ui/velmora).
constexpr int kBuildTreeDepth = 4;

}  // namespace

LogPlace ChooseLogPlace(const ProgramFolder& folder) {
    if (!folder.writable) return LogPlace::StateFolder;
    if (folder.inBuildTree) return LogPlace::BesideProgram;
    for (std::string_view root : kInstallRoots)
        if (Below(folder.path, root)) return LogPlace::StateFolder;
    return folder.ownedByRoot ? LogPlace::StateFolder : LogPlace::BesideProgram;
}

ProgramFolder InspectProgramFolder(std::string_view programPath) {
    ProgramFolder f;
    char resolved[PATH_MAX];
    const std::string program(programPath);
    if (::realpath(program.c_str(), resolved)) {
        const std::string path = resolved;
        const std::size_t slash = path.find_last_of('/');
        f.path = slash == 0 ? "/" : path.substr(0, slash);
    } else {
        // The program file itself is not there (yet): its folder decides.
        const std::size_t slash = program.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : program.substr(0, slash);
        if (!::realpath(folder.c_str(), resolved)) return f;
        f.path = resolved;
    }
    struct stat st;
    if (::stat(f.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return f;
    f.ownedByRoot = st.st_uid == 0;
    f.writable = ::access(f.path.c_str(), W_OK) == 0;
    std::string up = f.path;
    for (int level = 0; level <= kBuildTreeDepth && !f.inBuildTree; ++level) {
        const std::string cache = (up == "/" ? std::string() : up) + "/CMakeCache.txt";
        f.inBuildTree = ::stat(cache.c_str(), &st) == 0 && S_ISREG(st.st_mode);
        if (up == "/") break;
        const std::size_t above = up.find_last_of('/');
        up = above == 0 ? "/" : up.substr(0, above);
    }
    return f;
}

}  // namespace velmora
