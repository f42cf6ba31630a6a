// explain: the solution of a position stage by stage, with each stage's goal and
// pieces, checked by replaying it; with --count, the same check over many random
// positions.
#include <cstdio>
#include <random>
#include <string>

#include "cli/commands.h"
#include "document/lesson_plan.h"
#include "document/solution_sheet.h"

namespace velmora::cli {
namespace {

constexpr std::string_view kFaceTurns[18] = {"T+", "T-", "T*", "F+", "F-", "F*", "R+", "R-", "R*",
                                             "P+", "P-", "P*", "L+", "L-", "L*", "B+", "B-", "B*"};

std::string JoinMoves(std::string_view text, bool international) {
    std::string out;
    for (std::string_view token : RecordTokens(text)) {
        const std::string shown = international ? InternationalMove(token) : std::string(token);
        if (shown.empty()) continue;
        if (!out.empty()) out += ' ';
        out += shown;
    }
    return out;
}

// The fault in words, on standard error.
void ReportFault(const std::vector<RecordStage>& stages, const ReplayFault& fault) {
    if (fault.stage < 0 || fault.stage >= static_cast<int>(stages.size())) {
        std::fprintf(stderr, "velmora-cli: explain: the solution has no stages of its method\n");
        return;
    }
    const std::string name(stages[static_cast<std::size_t>(fault.stage)].lesson->name);
    std::fprintf(stderr, "velmora-cli: explain: at the end of stage %s piece %s %s\n", name.c_str(),
                 SlotName(fault.slot).c_str(), fault.kept ? "lost the goal an earlier stage gave it" : "does not hold its goal");
}

// True when the model's last solve succeeded and its record passes the replay check.
bool Explained(const CTarnexSource& m, CTarnexSource& work, ReplayFault* fault) {
    if (m.lastSolveResult != 1) return false;
    return CheckStageReplay(work, m.SolutionRecord.view(), m.startState, m.methodUsed, fault);
}

int ExplainMany(const CommandOptions& opt) {
    CliUser user;
    if (!MethodAvailable(opt)) return 2;
    auto m = NewModel(user, opt.logFile);
    if (!m) return 2;
    const unsigned seed = opt.seed >= 0 ? static_cast<unsigned>(opt.seed) : static_cast<unsigned>(std::random_device{}());
    m->SeedRandom(seed);
    m->tickSource = [] { return 0; };
    std::mt19937 rng(seed);
    m->methodChoice = MethodNumber(opt.method);
    m->centreOnlyMode = opt.centres ? 1 : 0;
    auto work = std::make_unique<CTarnexSource>(*m);
    long long explained = 0;
    for (long long i = 0; i < opt.count; ++i) {
        m->ResetCube();
        for (int k = 0; k < opt.movesPerPosition; ++k) m->ApplyToken(kFaceTurns[rng() % 18]);
        m->moveRecord.Clear();
        m->ExecuteAndSolve();
        ReplayFault fault;
        if (Explained(*m, *work, &fault)) {
            ++explained;
        } else {
            std::printf("failed: %.72s\n", m->SolutionRecord.c_str());
            ReportFault(ReadRecordStages(*work, m->SolutionRecord.view(), m->startState, m->methodUsed), fault);
        }
    }
    std::printf("explained: %lld/%lld\n", explained, opt.count);
    return FinishWithLog(*m, explained == opt.count ? 0 : 1);
}

}  // namespace

int RunExplain(const CommandOptions& given) {
    if (given.count > 0) return ExplainMany(given);
    CommandOptions opt;
    if (!MovesFromAlg(given, opt)) return 2;
    if (!NamesPosition(opt, "explain")) return 2;
    CliUser user;
    int exitCode = 2;
    auto m = SolveFromOptions(opt, user, &exitCode);
    if (!m) return exitCode;
    const std::string_view record = m->SolutionRecord.view();
    auto work = std::make_unique<CTarnexSource>(*m);
    const std::vector<RecordStage> stages = ReadRecordStages(*work, record, m->startState, m->methodUsed);
    int shown = 0;
    for (const RecordStage& s : stages) {
        if (s.moves == 0) continue;
        const StageLesson& lesson = *s.lesson;
        const std::string_view text = record.substr(static_cast<std::size_t>(s.begin),
                                                    static_cast<std::size_t>(s.end - s.begin));
        std::printf("stage: %d %.*s\n", ++shown, static_cast<int>(lesson.name.size()), lesson.name.data());
        std::printf("goal: %.*s\n", static_cast<int>(lesson.goal.size()), lesson.goal.data());
        std::printf("pieces: %s\n", PieceListText(lesson).c_str());
        std::printf("moves: %s\n", JoinMoves(text, false).c_str());
        std::printf("international: %s\n", JoinMoves(text, true).c_str());
    }
    ReplayFault fault;
    const bool ok = Explained(*m, *work, &fault);
    std::printf("replay: %d\n", ok ? 1 : 0);
    if (!ok) {
        if (m->lastSolveResult != 1) std::fprintf(stderr, "velmora-cli: explain: the position was not solved\n");
        else ReportFault(stages, fault);
    }
    return FinishWithLog(*m, ok ? 0 : 1);
}

}  // namespace velmora::cli
