// velmora-cli: the cube engine and solvers from the command line, for scripts, batch
// checks and benchmarks. Every command prints fixed "name: value" lines.
#include "cli/commands.h"

int main(int argc, char** argv) {
    velmora::cli::CommandLine line;
    int code = velmora::cli::ParseCommandLine(line, argc, argv);
    return code >= 0 ? code : velmora::cli::RunCommandLine(line);
}
