#include "photos/quiet_stderr.h"

#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace velmora::photos {

namespace {

std::mutex gLock;
int gHolders = 0;
int gSaved = -1;

}  // namespace

QuietStderr::QuietStderr() {
    const std::lock_guard<std::mutex> hold(gLock);
    if (gHolders++ > 0) return;
    std::fflush(stderr);
    const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (sink < 0) return;
    gSaved = ::dup(2);
    if (gSaved >= 0) ::dup2(sink, 2);
    ::close(sink);
}

QuietStderr::~QuietStderr() {
    const std::lock_guard<std::mutex> hold(gLock);
    if (--gHolders > 0 || gSaved < 0) return;
    std::fflush(stderr);
    ::dup2(gSaved, 2);
    ::close(gSaved);
    gSaved = -1;
}

}  // namespace velmora::photos
