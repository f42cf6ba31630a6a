// The solve log: where it lives, emptying it at start-up, and appending one solution
// record per line.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include "model/log_place.h"
#include "model/tarnex_source.h"

namespace velmora {
namespace {

// Empties (creates) the log file at path; false when it cannot be written or is no
// regular file (the open does not wait for a pipe).
bool EmptyLogAt(const char* path) {
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return false;
    struct stat st;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    return ::close(fd) == 0 && regular;
}

// Creates folder and any missing folders above it, private to the user.
bool MakeFolders(const std::string& folder) {
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st;
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Opens the log at path for appending, creating it if missing. Only a regular file
// is taken: the open does not wait for a pipe without a reader, and a pipe, a device
// or a folder found there is refused. -1 on failure.
int OpenLogFile(const char* path) {
    int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool CTarnexSource::StateFolderLogPath(std::string_view program, FixedText<260>& out) {
    out.Clear();
    std::string folder;
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    // A relative XDG_STATE_HOME is not valid and is passed over.
    if (state && state[0] == '/')
        folder = state;
    else if (home && home[0] == '/')
        folder = std::string(home) + "/.local/state";
    else
        return false;
    folder += "/velmora";
    FixedText<260> beside;
    LogPathFor(program, beside);
    std::string_view name = beside.view();
    std::size_t slash = name.find_last_of('/');
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    if (name.empty() || !MakeFolders(folder)) return false;
    return out.Append(folder) && out.Append('/') && out.Append(name);
}

void CTarnexSource::OpenStartupLog() {
    LogPathFor(programPath, logPath);
    if (ChooseLogPlace(InspectProgramFolder(programPath.view())) == LogPlace::BesideProgram && !logPath.empty() &&
        EmptyLogAt(logPath.c_str()))
        return;
    // An installed program, or one whose folder cannot be written: the user's state
    // folder holds the log under the same name.
    FixedText<260> fallback;
    if (StateFolderLogPath(programPath, fallback)) {
        logPath = fallback;
        if (EmptyLogAt(logPath.c_str())) return;
    }
    statusText.Format("不能打开自动记录文件“%s”！", logPath.c_str());
}

bool CTarnexSource::OpenLogForAppend() {
    int fd = logPath.empty() ? -1 : OpenLogFile(logPath.c_str());
    if (fd < 0) {
        statusText.Format("不能打开自动记录文件“%s”！", logPath.c_str());
        return false;
    }
    return ::close(fd) == 0;
}

void CTarnexSource::AppendLogRecord() {
    // One write of the record and its line end to a file opened for appending, so that
    // records of runs sharing the log never interleave and a killed run leaves whole
    // lines. A short write (a full disc, a size limit) is taken back.
    int fd = OpenLogFile(logPath.c_str());
    if (fd < 0) {
        logWriteFailed = true;
        return;
    }
    char lineEnd = '\n';
    iovec parts[2] = {{const_cast<char*>(SolutionRecord.c_str()), SolutionRecord.size()}, {&lineEnd, 1}};
    const ssize_t whole = static_cast<ssize_t>(SolutionRecord.size() + 1);
    ssize_t n;
    do n = ::writev(fd, parts, 2);
    while (n < 0 && errno == EINTR);
    if (n != whole) {
        logWriteFailed = true;
        struct stat st;
        if (n > 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= n)
            (void)::ftruncate(fd, st.st_size - n);
    }
    if (::close(fd) != 0) logWriteFailed = true;
}

}  // namespace velmora
