// Whole-file reading and replacing on a POSIX file system.
#include "files/file_access.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

// Links followed before a path is taken to loop.
constexpr int kMaxLinkHops = 40;

// The path a write to `path` should replace: symbolic links followed to their final
// target, which need not exist yet. False for a loop or an unreadable link.
bool FinalTarget(const std::string& path, std::string& out) {
    std::string p = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            out = p;
            return true;
        }
        char link[PATH_MAX];
        ssize_t n = ::readlink(p.c_str(), link, sizeof link);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof link)) return false;
        std::string next(link, static_cast<std::size_t>(n));
        // A relative link is read from the folder that holds the link.
        std::size_t slash = p.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) next = p.substr(0, slash + 1) + next;
        p = std::move(next);
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// A short name for a temporary file, different on every call: ".vm" and six
// characters of a counter mixed with the time and the process.
std::string TemporaryName() {
    static unsigned long long counter = 0;
    unsigned long long x = ++counter * 0x9E3779B97F4A7C15ull ^
                           static_cast<unsigned long long>(
                               std::chrono::steady_clock::now().time_since_epoch().count()) ^
                           (static_cast<unsigned long long>(::getpid()) << 32);
    x ^= x >> 29;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = ".vm";
    for (int i = 0; i < 6; ++i, x /= 36) name += kLetters[x % 36];
    return name;
}

// The permissions a new file gets from the user's umask.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Fills an open temporary file: the bytes, then the owner and mode it must carry,
// then flushed to disc.
bool FillTemporary(int fd, std::string_view bytes, const struct stat* old) {
    if (!WriteAll(fd, bytes)) return false;
    mode_t mode = NewFileMode();
    if (old) {
        // Owner and group where the user may give them; the mode after the owner, since a
        // change of owner clears the set-id bits.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
        mode = old->st_mode & 07777;
    }
    if (::fchmod(fd, mode) != 0) return false;
    return ::fsync(fd) == 0;
}

// Creates a named temporary file exclusively in folder; -1 when none can be made.
int CreateNamedTemporary(const std::string& folder, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/" + TemporaryName();
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives a complete unnamed file the name `name`; errno tells why not.
bool LinkAnonymous(int fd, const std::string& name) {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    return ::linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Gives a complete unnamed file a temporary name in folder; false when the file
// system or the missing /proc cannot do it.
bool NameAnonymous(int fd, const std::string& folder, std::string& name, bool& unsupported) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/" + TemporaryName();
        if (LinkAnonymous(fd, name)) return true;
        if (errno != EEXIST) {
            unsupported = errno == ENOENT || errno == EXDEV || errno == EPERM || errno == EOPNOTSUPP;
            return false;
        }
    }
    return false;
}

}  // namespace

long ReadRegularFileHead(const char* path, char* buffer, std::size_t max) {
    if (!path || !*path) return -1;
    // Looked at before opening, so that a device is never opened; looked at again after,
    // in case the path was replaced in between.
    struct stat st;
    if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    std::size_t count = 0;
    while (count < max) {
        ssize_t n = ::read(fd, buffer + count, max - count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return -1;
        }
        if (n == 0) break;
        count += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return static_cast<long>(count);
}

bool WriteFileReplacing(const char* path, std::string_view bytes) {
    if (!path || !*path) return false;
    std::string target;
    if (!FinalTarget(path, target)) return false;

    struct stat old;
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists) {
        if (!S_ISREG(old.st_mode)) return false;
        if ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return false;
    }
    const struct stat* keep = exists ? &old : nullptr;
    const std::string folder = FolderOf(target);

    // First choice: a file without a name until it is complete, so that a save stopped
    // while writing leaves nothing behind; only a kill in the moment between its
    // temporary name and the rename can leave it, complete, under that name.
    std::string temp;
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        bool unsupported = false;
        if (!FillTemporary(fd, bytes, keep)) {
            ::close(fd);
            return false;
        }
        // A new file gets its name directly: there is nothing to replace.
        if (!exists && LinkAnonymous(fd, target)) {
            ::close(fd);
            return true;
        }
        // The named moment is kept short: the old file is held open so that the rename
        // does not also free it, and signals that can wait do wait until it is over.
        int held = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        sigset_t all, before;
        sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, &before);
        bool named = NameAnonymous(fd, folder, temp, unsupported);
        bool done = named && ::rename(temp.c_str(), target.c_str()) == 0;
        if (named && !done) ::unlink(temp.c_str());
        ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
        if (held >= 0) ::close(held);
        ::close(fd);
        if (named || !unsupported) return done;
    }
    fd = CreateNamedTemporary(folder, temp);
    if (fd < 0) return false;
    bool ok = FillTemporary(fd, bytes, keep);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace velmora
