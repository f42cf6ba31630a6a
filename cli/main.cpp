// velmora-cli: the cube engine and solvers from the command line, for scripts, batch
// checks and benchmarks. Every command prints fixed "name: value" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_user.h"
#include "cli/commands.h"
#include "model/facelet_string.h"
#include "model/tarnex_source.h"

namespace velmora::cli {

std::unique_ptr<CTarnexSource> NewModel(CliUser& user, const std::string& logFile) {
    auto m = std::make_unique<CTarnexSource>();
    m->user = &user;
    m->InitCubeModel();
    if (!logFile.empty()) {
        m->logPath.Assign(logFile);
        if (m->logPath.size() != logFile.size() || !m->CreateLog()) {
            std::fprintf(stderr, "velmora-cli: cannot create the solve log %s\n", logFile.c_str());
            return nullptr;
        }
    }
    return m;
}

int MethodNumber(const std::string& name) {
    return name == "eight-corner" ? 2 : name == "shortest" ? 3 : 1;
}

bool PositionSolved(const CubeState& s) {
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = s.pieces[r][c];
            if (p.homeRow != r || p.homeCol != c || p.twist != 0) return false;
        }
    for (int k = 1; k <= 6; ++k)
        if (s.centres[k] != k) return false;
    return true;
}

bool ReplayRestores(CTarnexSource& m, bool centresToo) {
    CubeState saved = m.cube;
    int savedCounter = m.turnCounter;
    m.cube = m.startState;
    m.moveRecord.Clear();
    m.RunMoveString(0, m.SolutionRecord.view().substr(kRecordMovesStart));
    bool ok = PositionSolved(m.cube);
    if (centresToo) {
        for (int k = 1; k <= 5; ++k) ok = ok && m.cube.centreTurns[k] == 0;
        ok = ok && (m.cube.centreTurns[6] == 0 || m.cube.centreTurns[6] == 1);
    }
    m.cube = saved;
    m.moveRecord.Clear();
    m.turnCounter = savedCounter;
    return ok;
}

void PrintSolution(const CTarnexSource& m) {
    char facelets[55], colours[55];
    WriteFaceletString(m, true, facelets);
    WriteFaceletString(m, false, colours);
    std::printf("start: %.72s\n", m.SolutionRecord.c_str());
    std::printf("facelets: %s\n", facelets);
    std::printf("colours: %s\n", colours);
    std::printf("record: %s\n", m.SolutionRecord.c_str());
    std::printf("method: %d\n", m.methodUsed);
    std::printf("result: %d\n", m.lastSolveResult);
    std::printf("turns: %d\n", m.lastSolveTurns);
    std::printf("ids: %s\n", m.methodIdText.c_str());
}

}  // namespace velmora::cli

using namespace velmora;
using namespace velmora::cli;

int main(int argc, char** argv) {
    CLI::App app{"velmora-cli: turn, solve and check cube positions"};
    app.set_version_flag("--version", std::string("velmora-cli ") + VELMORA_VERSION);
    app.require_subcommand(1);

    CommandOptions opt;

    auto* state = app.add_subcommand("state", "apply a move string to the solved cube and print the position");
    state->add_option("MOVES", opt.moves, "move string, such as \"F+;T+;R-;\"");

    auto* solve = app.add_subcommand("solve", "solve a position and print the solution");
    AddPositionOptions(*solve, opt);

    auto* scramble = app.add_subcommand("scramble", "deal a random position of a kind and solve it");
    scramble->add_option("--kind", opt.kind, "1 whole cube, 2 top layer, 3 edges, 4 centre turns")
        ->check(CLI::Range(1, 4));
    scramble->add_option("--seed", opt.seed, "seed of the random generator");
    scramble->add_option("--method", opt.method, "group, eight-corner or shortest")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest"}));
    scramble->add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");

    auto* batch = app.add_subcommand("batch", "solve many random positions and report figures");
    batch->add_option("--count", opt.count, "number of positions")->required()->check(CLI::PositiveNumber);
    batch->add_option("--method", opt.method, "group, eight-corner or shortest")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest"}));
    batch->add_option("--seed", opt.seed, "seed of the random generator");
    batch->add_option("--moves-per-position", opt.movesPerPosition, "random face turns per position")
        ->check(CLI::NonNegativeNumber);
    batch->add_option("--kind", opt.kind, "deal positions of this kind instead of random turns")
        ->check(CLI::Range(1, 3));
    batch->add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");

    AddFileCommands(app, opt);

    if (argc > 1 && argv[1][0] != '-') {
        bool known = false;
        for (const CLI::App* sub : app.get_subcommands({})) known = known || sub->get_name() == argv[1];
        if (!known) {
            std::fprintf(stderr, "velmora-cli: unknown command '%s' (see --help)\n", argv[1]);
            return 2;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        std::fprintf(stderr, "velmora-cli: %s\n", what.c_str());
        return 2;
    }

    if (*state) return RunState(opt);
    if (*solve) return RunSolve(opt);
    if (*scramble) return RunScramble(opt);
    if (*batch) {
        opt.kindGiven = batch->count("--kind") > 0;
        return RunBatch(opt);
    }
    return RunFileCommands(app, opt);
}
