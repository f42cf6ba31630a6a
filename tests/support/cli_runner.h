#pragma once
// Runs velmora-cli as a script would and captures its standard output and exit code.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace velmora::test {

struct CliRun {
    std::string out;
    int code = -1;
};

// args is appended to the program path as shell words; standard error is dropped
// unless keepStderr, which merges it into out.
inline CliRun RunCli(const std::string& args, bool keepStderr = false) {
    CliRun r;
    std::string cmd = std::string(VELMORA_CLI_PATH) + " " + args + (keepStderr ? " 2>&1" : " 2>/dev/null");
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace velmora::test
