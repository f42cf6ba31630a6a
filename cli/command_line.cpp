// The commands and options of velmora-cli, and the checks made before any of them runs.
#include <cstdio>
#include <string>

#include "cli/batch_jobs.h"
#include "cli/commands.h"

namespace velmora::cli {

CommandLine::CommandLine() {
    app.set_version_flag("--version", std::string("velmora-cli ") + VELMORA_VERSION);
    app.require_subcommand(1);

    state = app.add_subcommand("state", "apply a move string to the solved cube and print the position");
    auto* stateMoves = state->add_option("MOVES", opt.moves, "move string, such as \"F+;T+;R-;\"");
    state->add_option("--alg", opt.alg, "moves in either notation, such as \"(R U R' U')3 [F: R]\"")
        ->excludes(stateMoves);

    solve = app.add_subcommand("solve", "solve a position and print the solution");
    AddPositionOptions(*solve, opt);

    const std::string seedHelp = "seed of the random generator, 0 to " + std::to_string(kMaxSeed);
    scramble = app.add_subcommand("scramble", "deal a random position of a kind and solve it");
    scramble->add_option("--kind", opt.kind, "1 whole cube, 2 top layer, 3 edges, 4 centre turns")
        ->check(CLI::Range(1, 4));
    scramble->add_option("--seed", opt.seed, seedHelp)->check(CLI::Range(0LL, kMaxSeed));
    scramble->add_option("--method", opt.method, "group, eight-corner, shortest or optimal")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest", "optimal"}));
    scramble->add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");

    batch = app.add_subcommand("batch", "solve many random positions and report figures");
    batch->add_option("--count", opt.count, "number of positions, 1 to " + std::to_string(kMaxBatchCount))
        ->required()
        ->check(CLI::Range(1LL, kMaxBatchCount));
    batch->add_option("--method", opt.method, "group, eight-corner, shortest or optimal")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest", "optimal"}));
    AddOptimalOptions(*batch, opt);
    batch->add_option("--seed", opt.seed, seedHelp)->check(CLI::Range(0LL, kMaxSeed));
    batch->add_option("--moves-per-position", opt.movesPerPosition,
                      "random face turns per position, 0 to " + std::to_string(kMaxMovesPerPosition))
        ->check(CLI::Range(0, kMaxMovesPerPosition));
    batch->add_option("--kind", opt.kind, "deal positions of this kind instead of random turns")
        ->check(CLI::Range(1, 3));
    batch->add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");
    opt.jobs = DefaultJobs();
    batch->add_option("--jobs", opt.jobs,
                      "solving threads, 1 to " + std::to_string(kMaxJobs) + " (default: one per core)")
        ->check(CLI::Range(1, kMaxJobs));

    explain = app.add_subcommand("explain", "print the solution stage by stage with each stage's goal and pieces, "
                                            "checked by replaying it");
    AddPositionOptions(*explain, opt);
    explain->add_option("--count", opt.count,
                        "check that many random positions instead (1 to " + std::to_string(kMaxBatchCount) + ")")
        ->check(CLI::Range(1LL, kMaxBatchCount));
    explain->add_option("--seed", opt.seed, seedHelp)->check(CLI::Range(0LL, kMaxSeed));
    explain->add_option("--moves-per-position", opt.movesPerPosition,
                        "with --count: random face turns per position, 0 to " + std::to_string(kMaxMovesPerPosition))
        ->check(CLI::Range(0, kMaxMovesPerPosition));

    AddFileCommands(app, opt);
    AddMoveTextCommands(app);
    AddScanCommand(app, scanOpt);
}

int ParseCommandLine(CommandLine& line, int argc, const char* const* argv) {
    CLI::App& app = line.app;
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
    line.opt.kindGiven = line.batch->count("--kind") > 0;
    line.opt.jobsGiven = line.batch->count("--jobs") > 0;
    return -1;
}

int RunCommandLine(CommandLine& line) {
    const CommandOptions& opt = line.opt;
    if (*line.state) return RunState(opt);
    if (*line.solve) return RunSolve(opt);
    if (*line.scramble) return RunScramble(opt);
    if (*line.batch) return RunBatch(opt);
    if (*line.explain) return RunExplain(opt);
    if (int rc = RunMoveTextCommands(line.app); rc >= 0) return rc;
    if (int rc = RunScanCommand(line.app, line.scanOpt); rc >= 0) return rc;
    return RunFileCommands(line.app, opt);
}

}  // namespace velmora::cli
