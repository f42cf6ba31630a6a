#include "cli/commands.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <chrono>
#include <unistd.h>
#include <vector>

#include "cli/batch_jobs.h"
#include "cli/optimal_options.h"
#include "cli/timing_median.h"
#include "model/facelet_string.h"
#include "model/move_text_scan.h"

namespace velmora::cli {

void AddPositionOptions(CLI::App& command, CommandOptions& opt) {
    auto* moves = command.add_option("--moves", opt.moves, "move string applied to the solved cube");
    auto* code = command.add_option("--code", opt.code, "a 72-digit position code or a move text");
    auto* facelets = command.add_option("--facelets", opt.faceletText,
                                        "54-letter facelet string (U R F D L B by centre colour)");
    moves->excludes(code)->excludes(facelets);
    command.add_option("--alg", opt.alg, "moves in either notation applied to the solved cube, such as \"R U R' U'\"")
        ->excludes(moves)->excludes(code)->excludes(facelets);
    code->excludes(facelets);
    command.add_option("--method", opt.method, "group, eight-corner, shortest or optimal")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest", "optimal"}));
    AddOptimalOptions(command, opt);
    command.add_flag("--centres", opt.centres, "only turn the centres back (centre-orientation method)");
    command.add_flag("--force", opt.force, "with --facelets: accept an assembly error");
    command.add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");
}

namespace {

// A leading CONT token (turn the current cube) is not a move of its own.
std::string_view WithoutContinue(std::string_view text) {
    if (text.substr(0, 4) != "CONT") return text;
    if (text.size() == 4) return {};
    unsigned char next = static_cast<unsigned char>(text[4]);
    return next <= 32 || next >= 128 || IsSeparatorChar(text[4]) ? text.substr(4) : text;
}

}  // namespace

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
    // The letters as the window's input tool takes them: blanks, separators and case
    // do not count.
    if (!opt.faceletText.empty() && !ReadFaceletString(*m, FaceletLetters(opt.faceletText), net)) {
        std::fprintf(stderr,
                     "velmora-cli: --facelets takes 54 letters of U R F D L B with each centre "
                     "the letter of its own face\n");
        return nullptr;
    }
    m->methodChoice = MethodNumber(opt.method);
    SetOptimalRequest(*m, opt);
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
        // A code is read as a cube file's head; any other text as its move string.
        if (LooksLikeCode(opt.code)) {
            const CodeVerdict verdict = m->CheckPositionCode(opt.code);
            if (verdict == CodeVerdict::Malformed) {
                std::fprintf(stderr,
                             "velmora-cli: --code: a position code is 72 digits, each within the range "
                             "of its place\n");
                return nullptr;
            }
            if (verdict == CodeVerdict::Impossible) {
                user.Message("魔方零件错误，不能复原！", Buttons::Ok, Icon::None);
                *exitCode = ReportPartsError();
                return nullptr;
            }
        } else if (!MoveTextUsable(*m, WithoutContinue(opt.code), false, "--code")) {
            return nullptr;
        }
        m->LoadPositionText(opt.code);
        if (m->loadTextCut)
            std::fprintf(stderr,
                         "velmora-cli: warning: --code: the move text is longer than a position text "
                         "holds; it was run up to its last whole token that fits\n");
        if (m->loadFoundNoTurns || !MovesHeld(m->loadRecordFull, "--code")) return nullptr;
    } else {
        const char* what = opt.alg.empty() ? "--moves" : "--alg";
        if (!MoveTextUsable(*m, opt.moves, true, what)) return nullptr;
        m->ResetCube();
        m->RunMoveString(0, opt.moves);
        if (!MovesHeld(m->moveRecordFull, what)) return nullptr;
        m->ExecuteAndSolve();
    }
    *exitCode = 1;  // ReportSolution gives the real code
    return m;
}

int RunState(const CommandOptions& given) {
    CommandOptions opt;
    if (!MovesFromAlg(given, opt)) return 2;
    CliUser user;
    auto m = NewModel(user, "");
    const char* what = given.alg.empty() ? "MOVES" : "--alg";
    if (!opt.moves.empty() && !MoveTextUsable(*m, opt.moves, true, what)) return 2;
    m->ResetCube();
    int turns = m->RunMoveString(0, opt.moves);
    if (!MovesHeld(m->moveRecordFull, what)) return 2;
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

int RunSolve(const CommandOptions& given) {
    CommandOptions opt;
    if (!MovesFromAlg(given, opt)) return 2;
    if (!NamesPosition(opt, "solve")) return 2;
    CliUser user;
    int exitCode = 2;
    auto m = SolveFromOptions(opt, user, &exitCode);
    if (!m) return exitCode;
    return FinishWithLog(*m, ReportSolution(*m, opt));
}

namespace {

void SeedModel(CTarnexSource& m, long long seed) {
    if (seed >= 0) {
        m.SeedRandom(static_cast<unsigned>(seed));
        m.tickSource = [] { return 0; };
    }
}

// The positions done so far, on one line of standard error rewritten in place, for a
// batch that runs longer than a second with a terminal to show it on.
class BatchProgress {
public:
    using Clock = std::chrono::steady_clock;
    explicit BatchProgress(long long total)
        : total_(total), next_(Clock::now() + std::chrono::seconds(1)), shown_(::isatty(STDERR_FILENO) == 1) {}
    void Show(long long done, Clock::time_point now) {
        if (!shown_ || now < next_) return;
        next_ = now + std::chrono::milliseconds(250);
        Print(done);
    }
    // Ends the progress line so that what follows starts on a line of its own.
    void Finish() {
        if (!written_) return;
        Print(total_);
        std::fputc('\n', stderr);
    }

private:
    void Print(long long done) {
        written_ = true;
        std::fprintf(stderr, "\rvelmora-cli: batch: %lld of %lld positions (%.1f %%)", done, total_,
                     100.0 * static_cast<double>(done) / static_cast<double>(total_));
        std::fflush(stderr);
    }

    long long total_;
    Clock::time_point next_;
    bool shown_;
    bool written_ = false;
};

}  // namespace

int RunScramble(const CommandOptions& opt) {
    CliUser user;
    if (!MethodAvailable(opt)) return 2;
    auto m = NewModel(user, opt.logFile);
    if (!m) return 2;
    SeedModel(*m, opt.seed);
    m->methodChoice = MethodNumber(opt.method);
    SetOptimalRequest(*m, opt);
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
        return FinishWithLog(*m, 0);
    }
    return FinishWithLog(*m, ReportSolution(*m, opt));
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
    m->methodChoice = MethodNumber(opt.method);
    SetOptimalRequest(*m, opt);
    const bool optimal = m->methodChoice == 5;
    OptimalBatchFigures optimalFigures;
    // Any count runs in the same memory: the timings are kept as a histogram and the
    // failed start codes wait in a temporary file until the figures are printed.
    auto micros = std::make_unique<TimingMedian>();
    long long solved = 0;
    int minTurns = 1 << 30, maxTurns = 0;
    long long sumTurns = 0;
    std::FILE* failures = std::tmpfile();
    const bool logging = !opt.logFile.empty();
    BatchProgress progress(opt.count);
    long long done = 0;
    // The positions come back in the order they were dealt: the failures and the solve
    // log are written as one thread would write them.
    // Each fewest-turns search uses both cores itself: one position at a time unless asked.
    const int jobs = optimal && !opt.jobsGiven ? 1 : opt.jobs;
    SolveBatch(opt, *m, rng, jobs, logging, [&](const BatchOutcome& r) {
        micros->Add(r.micros);
        if (r.ok) {
            ++solved;
            minTurns = std::min(minTurns, r.turns);
            maxTurns = std::max(maxTurns, r.turns);
            sumTurns += r.turns;
        } else {
            // Without a temporary file a failure is printed at once.
            std::fprintf(failures ? failures : stdout, "failed: %.72s\n", r.record.data());
        }
        if (logging && r.turns > 2) {
            m->SolutionRecord.Assign(r.record);
            m->AppendLogRecord();
        }
        if (optimal) optimalFigures.Take(done + 1, r);
        progress.Show(++done, BatchProgress::Clock::now());
    });
    progress.Finish();
    double median = micros->Median();
    std::printf("solved: %lld/%lld\n", solved, opt.count);
    if (solved > 0)
        std::printf("turns: %d %.2f %d\n", minTurns, static_cast<double>(sumTurns) / static_cast<double>(solved), maxTurns);
    else
        std::printf("turns: 0 0.00 0\n");
    std::printf("us_per_solve: %.2f\n", median);
    std::printf("solves_per_s: %.0f\n", median > 0 ? 1e6 / median : 0.0);
    if (optimal) optimalFigures.PrintSummary();
    bool failuresLost = false;
    if (failures) {
        failuresLost = std::fflush(failures) != 0 || std::ferror(failures) != 0;
        std::rewind(failures);
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, failures)) > 0) std::fwrite(buffer, 1, n, stdout);
        std::fclose(failures);
    }
    if (failuresLost) {
        std::fprintf(stderr, "velmora-cli: not every failed position could be listed\n");
        return 2;
    }
    return FinishWithLog(*m, solved == opt.count ? 0 : 1);
}

}  // namespace velmora::cli
