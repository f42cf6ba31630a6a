// Any words as velmora-cli's command line: parsing never throws past its own handler,
// and whatever it lets through stays inside the bounds the commands rely on.
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fuzz/fuzz_support.h"

using namespace velmora;

// Bytes: the words of the command line, separated by NUL bytes (at most 24 words).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"velmora-cli"};
    std::string word;
    for (std::size_t i = 0; i < size && words.size() < 25; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (words.size() < 25 && (!word.empty() || size == 0)) words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());

    cli::CommandLine line;
    const int code = cli::ParseCommandLine(line, static_cast<int>(argv.size()), argv.data());
    fuzz::Require(code == -1 || code == 0 || code == 2);
    if (code != -1) return 0;

    const cli::CommandOptions& opt = line.opt;
    const int chosen = static_cast<int>(line.app.get_subcommands().size());
    fuzz::Require(chosen == 1);
    fuzz::Require(opt.seed == -1 || (opt.seed >= 0 && opt.seed <= cli::kMaxSeed));
    fuzz::Require(opt.kind >= 1 && opt.kind <= 4);
    fuzz::Require(opt.method == "group" || opt.method == "eight-corner" || opt.method == "shortest");
    fuzz::Require(opt.steps >= 0);
    if (*line.batch) {
        fuzz::Require(opt.count > 0);
        fuzz::Require(opt.movesPerPosition >= 0 && opt.movesPerPosition <= cli::kMaxMovesPerPosition);
        fuzz::Require(opt.kind <= 3);
    }
    // An empty FILE gets through parsing; save and open refuse it themselves (exit 2).
    return 0;
}
