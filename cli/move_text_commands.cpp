// format and patterns: a typed move sequence in both notations, forward and reversed,
// and the table of named patterns. net: the net's sticker cells as the window names
// them to a screen reader.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "document/move_format.h"
#include "document/pane_text.h"
#include "document/settings.h"
#include "document/pattern_table.h"

namespace velmora::cli {

namespace {

std::string formatText;
std::string netMoves;

// The 54 sticker cells of the position MOVES lead to, in the default colours.
int RunNet() {
    CliUser user;
    auto m = NewModel(user, "");
    if (!netMoves.empty() && !MoveTextUsable(*m, netMoves, true, "MOVES")) return 2;
    m->ResetCube();
    m->RunMoveString(0, netMoves);
    if (!MovesHeld(m->moveRecordFull, "MOVES")) return 2;
    const VelmoraSettings settings;
    for (int cell = 0; cell < kFaceletCount; ++cell)
        std::printf("cell: %s\n", NetCellName(*m, cell, settings.colourSettings).c_str());
    return 0;
}

int RunFormat() {
    const MoveRenderings r = FormatMoves(formatText);
    if (!r.ok) {
        std::fprintf(stderr, "velmora-cli: format: %s\n", r.error.message.c_str());
        return 2;
    }
    std::printf("own: %s\n", r.ownForward.c_str());
    std::printf("own_reverse: %s\n", r.ownReverse.c_str());
    std::printf("international: %s\n", r.internationalForward.c_str());
    std::printf("international_reverse: %s\n", r.internationalReverse.c_str());
    return 0;
}

int RunPatterns() {
    for (std::size_t i = 0; i < kPatterns.size(); ++i)
        std::printf("%zu %.*s %.*s\n", i, static_cast<int>(kPatterns[i].name.size()), kPatterns[i].name.data(),
                    static_cast<int>(kPatterns[i].moves.size()), kPatterns[i].moves.data());
    return 0;
}

}  // namespace

bool MovesFromAlg(const CommandOptions& opt, CommandOptions& out) {
    out = opt;
    if (opt.alg.empty()) return true;
    const MoveRenderings r = FormatMoves(opt.alg);
    if (!r.ok) {
        std::fprintf(stderr, "velmora-cli: --alg: %s\n", r.error.message.c_str());
        return false;
    }
    out.moves = r.ownForward;
    return true;
}

void AddMoveTextCommands(CLI::App& app) {
    auto* format = app.add_subcommand(
        "format", "rewrite a move sequence (own or international notation) in both notations, forward and reversed");
    format->add_option("TEXT", formatText, "moves such as \"R U R' U'\" or \"F+;T+;R-;\"")->required();
    app.add_subcommand("patterns", "list the named patterns: index, name, move string");
    auto* net = app.add_subcommand("net", "name the net's 54 stickers after MOVES, as the window's net pane does");
    net->add_option("MOVES", netMoves, "move string, such as \"F+;T+;R-;\"");
}

int RunMoveTextCommands(CLI::App& app) {
    if (app.got_subcommand("format")) return RunFormat();
    if (app.got_subcommand("patterns")) return RunPatterns();
    if (app.got_subcommand("net")) return RunNet();
    return -1;
}

}  // namespace velmora::cli
