#include "cli/commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "model/facelet_string.h"

namespace velmora::cli {

void AddPositionOptions(CLI::App& command, CommandOptions& opt) {
    auto* moves = command.add_option("--moves", opt.moves, "move string applied to the solved cube");
    auto* code = command.add_option("--code", opt.code, "a 72-digit position code or a move text");
    auto* facelets = command.add_option("--facelets", opt.faceletText,
                                        "54-letter facelet string (U R F D L B by centre colour)");
    moves->excludes(code)->excludes(facelets);
    code->excludes(facelets);
    command.add_option("--method", opt.method, "group, eight-corner or shortest")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest"}));
    command.add_flag("--centres", opt.centres, "only turn the centres back (centre-orientation method)");
    command.add_flag("--force", opt.force, "with --facelets: accept an assembly error");
    command.add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");
}

bool MethodAvailable(const CommandOptions&) {
    return true;
}

std::unique_ptr<CTarnexSource> SolveFromOptions(const CommandOptions& opt, CliUser& user,
                                                int* exitCode) {
    *exitCode = 2;
    if (!MethodAvailable(opt)) return nullptr;
    int net[kFaceletCount];
    auto m = NewModel(user, opt.logFile);
    if (!m) return nullptr;
    if (!opt.faceletText.empty() && !ReadFaceletString(*m, opt.faceletText, net)) {
        std::fprintf(stderr,
                     "velmora-cli: --facelets takes 54 letters of U R F D L B with each centre "
                     "the letter of its own face\n");
        return nullptr;
    }
    m->methodChoice = MethodNumber(opt.method);
    m->centreOnlyMode = opt.centres ? 1 : 0;
    if (!opt.faceletText.empty()) {
        m->BeginInput(1);
        std::copy(net, net + kFaceletCount, m->facelets);
        m->inputMode = -1;
        user.firstButton = false;
        if (opt.force) {
            user.answers = {Answer::Cancel, Answer::Yes};
        }
        int r = m->FinishInput();
        if (r != 1) {
            std::fprintf(stderr, "velmora-cli: the colouring was not accepted\n");
            return nullptr;
        }
    } else if (!opt.code.empty()) {
        m->LoadPositionText(opt.code);
    } else {
        m->ResetCube();
        m->RunMoveString(0, opt.moves);
        m->ExecuteAndSolve();
    }
    *exitCode = m->lastSolveResult == 1 ? 0 : 1;
    return m;
}

int RunState(const CommandOptions& opt) {
    CliUser user;
    auto m = NewModel(user, "");
    m->ResetCube();
    int turns = m->RunMoveString(0, opt.moves);
    char code[kCodeLength + 1], facelets[55], colours[55];
    CTarnexSource::WritePositionCode(m->cube, code);
    WriteFaceletString(*m, true, facelets);
    WriteFaceletString(*m, false, colours);
    std::printf("code: %s\n", code);
    std::printf("facelets: %s\n", facelets);
    std::printf("colours: %s\n", colours);
    std::printf("check: %d\n", m->CheckAssembly());
    std::printf("turns: %d\n", turns);
    std::printf("counter: %d\n", m->turnCounter);
    std::printf("record: %s\n", m->moveRecord.c_str());
    return 0;
}

bool NamesPosition(const CommandOptions& opt, const char* command) {
    if (!opt.moves.empty() || !opt.code.empty() || !opt.faceletText.empty()) return true;
    std::fprintf(stderr, "velmora-cli: %s needs --moves, --code or --facelets\n", command);
    return false;
}

int RunSolve(const CommandOptions& opt) {
    if (!NamesPosition(opt, "solve")) return 2;
    CliUser user;
    int exitCode = 2;
    auto m = SolveFromOptions(opt, user, &exitCode);
    if (!m) return exitCode;
    PrintSolution(*m);
    return exitCode;
}

namespace {

void SeedModel(CTarnexSource& m, long long seed) {
    if (seed >= 0) {
        m.SeedRandom(static_cast<unsigned>(seed));
        m.tickSource = [] { return 0; };
    }
}

}  // namespace

int RunScramble(const CommandOptions& opt) {
    CliUser user;
    if (!MethodAvailable(opt)) return 2;
    auto m = NewModel(user, opt.logFile);
    if (!m) return 2;
    SeedModel(*m, opt.seed);
    m->methodChoice = MethodNumber(opt.method);
    m->Scramble(opt.kind);
    if (opt.kind == 4) {
        // A centre deal is not solved: show the dealt position as the start.
        m->moveRecord.Clear();
        m->turnCounter = 0;
        m->MakeDemoFromRecord();
        m->lastSolveResult = 0;
        m->lastSolveTurns = 0;
        m->methodIdText.Clear();
        // Only the start lines and the result: there is no solution to show.
        char facelets[55], colours[55];
        WriteFaceletString(*m, true, facelets);
        WriteFaceletString(*m, false, colours);
        std::printf("start: %.72s\n", m->SolutionRecord.c_str());
        std::printf("facelets: %s\n", facelets);
        std::printf("colours: %s\n", colours);
        std::printf("result: 0\n");
        return 0;
    }
    PrintSolution(*m);
    return m->lastSolveResult == 1 ? 0 : 1;
}

int RunBatch(const CommandOptions& opt) {
    CliUser user;
    if (!MethodAvailable(opt)) return 2;
    auto m = NewModel(user, opt.logFile);
    if (!m) return 2;
    unsigned seed = opt.seed >= 0 ? static_cast<unsigned>(opt.seed)
                                  : static_cast<unsigned>(std::random_device{}());
    SeedModel(*m, seed);
    std::mt19937 rng(seed);
    static constexpr std::string_view kFaceTurns[18] = {
        "T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
        "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};
    m->methodChoice = MethodNumber(opt.method);
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(opt.count));
    int solved = 0, minTurns = 1 << 30, maxTurns = 0;
    long long sumTurns = 0;
    std::vector<std::string> failures;
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < opt.count; ++i) {
        Clock::time_point t0, t1;
        if (opt.kindGiven) {
            t0 = Clock::now();
            m->Scramble(opt.kind);
            t1 = Clock::now();
        } else {
            m->ResetCube();
            for (int k = 0; k < opt.movesPerPosition; ++k) m->ApplyToken(kFaceTurns[rng() % 18]);
            t0 = Clock::now();
            m->ExecuteAndSolve();
            t1 = Clock::now();
        }
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        bool ok = m->lastSolveResult == 1 && ReplayRestores(*m, false);
        if (ok) {
            ++solved;
            minTurns = std::min(minTurns, m->lastSolveTurns);
            maxTurns = std::max(maxTurns, m->lastSolveTurns);
            sumTurns += m->lastSolveTurns;
        } else {
            failures.emplace_back(m->SolutionRecord.view().substr(0, kCodeLength));
        }
    }
    std::sort(micros.begin(), micros.end());
    double median = micros.empty() ? 0 : micros[micros.size() / 2];
    std::printf("solved: %d/%d\n", solved, opt.count);
    if (solved > 0)
        std::printf("turns: %d %.2f %d\n", minTurns, static_cast<double>(sumTurns) / solved, maxTurns);
    else
        std::printf("turns: 0 0.00 0\n");
    std::printf("us_per_solve: %.2f\n", median);
    std::printf("solves_per_s: %.0f\n", median > 0 ? 1e6 / median : 0.0);
    for (const std::string& f : failures) std::printf("failed: %s\n", f.c_str());
    return solved == opt.count ? 0 : 1;
}

}  // namespace velmora::cli
