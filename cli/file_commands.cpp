// save and open: the cube file from the command line.
#include <cstdio>
#include <string>

#include "cli/commands.h"

namespace velmora::cli {

void AddFileCommands(CLI::App& app, CommandOptions& opt) {
    auto* save = app.add_subcommand("save", "solve a position, step its demonstration and save it as a cube file");
    save->add_option("FILE", opt.file, "cube file to write")->required();
    AddPositionOptions(*save, opt);
    save->add_option("--steps", opt.steps, "demonstration steps taken before saving, 0 to " + std::to_string(kRecordCapacity))
        ->check(CLI::Range(0, kRecordCapacity));

    auto* open = app.add_subcommand("open", "open a cube file and solve the position it holds");
    open->add_option("FILE", opt.file, "cube file to read")->required();
    open->add_option("--method", opt.method, "group, eight-corner or shortest")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest"}));
    open->add_option("--log", opt.logFile, "append every solve of more than two turns to FILE");
}

namespace {

int RunSave(const CommandOptions& given) {
    CommandOptions opt;
    if (!MovesFromAlg(given, opt)) return 2;
    if (!NamesPosition(opt, "save")) return 2;
    CliUser user;
    int exitCode = 2;
    auto m = SolveFromOptions(opt, user, &exitCode);
    if (!m) return exitCode;
    // Step forward, stopping at the end of the solution rather than asking to restart.
    for (int i = 0; i < opt.steps && m->demoPos < static_cast<int>(m->SolutionRecord.size()); ++i)
        m->StepSolution(+1);
    // A position that cannot be restored is not saved as a solved one: nothing is written.
    if (!StartRestorable(*m)) {
        exitCode = ReportSolution(*m, opt);
        std::fprintf(stderr, "velmora-cli: %s not written: the position cannot be restored\n", opt.file.c_str());
        return FinishWithLog(*m, exitCode);
    }
    if (m->SaveCubeFile(opt.file.c_str()) != 1) {
        std::fprintf(stderr, "velmora-cli: cannot write %s\n", opt.file.c_str());
        return 2;
    }
    return FinishWithLog(*m, ReportSolution(*m, opt));
}

int RunOpen(const CommandOptions& opt) {
    if (!MethodAvailable(opt)) return 2;
    CliUser user;
    auto m = NewModel(user, opt.logFile);
    if (!m) return 2;
    m->methodChoice = MethodNumber(opt.method);
    if (m->LoadCubeFile(opt.file.c_str()) != 1) {
        // A code naming impossible pieces is a parts error the model has reported.
        if (m->loadCodeVerdict == CodeVerdict::Impossible) return ReportPartsError();
        if (m->loadCodeVerdict == CodeVerdict::Malformed)
            std::fprintf(stderr, "velmora-cli: %s: its position code is not 72 digits, each within the range of its place\n",
                         opt.file.c_str());
        if (m->loadControlByte > 0)
            std::fprintf(stderr, "velmora-cli: %s: its move text holds a control byte at byte %d\n", opt.file.c_str(),
                         m->loadControlByte);
        std::fprintf(stderr, "velmora-cli: cannot read %s\n", opt.file.c_str());
        return 2;
    }
    // A file with nothing that turns the cube is bad input; the model has said so.
    if (m->loadFoundNoTurns) return 2;
    return FinishWithLog(*m, ReportSolution(*m, opt));
}

}  // namespace

int RunFileCommands(CLI::App& app, const CommandOptions& opt) {
    if (app.got_subcommand("save")) return RunSave(opt);
    if (app.got_subcommand("open")) return RunOpen(opt);
    return 2;
}

}  // namespace velmora::cli
