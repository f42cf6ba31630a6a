// save and open: placeholder until cube files land.
#include "cli/commands.h"

namespace velmora::cli {
void AddFileCommands(CLI::App&, CommandOptions&) {}
int RunFileCommands(CLI::App&, const CommandOptions&) { return 2; }
}  // namespace velmora::cli
