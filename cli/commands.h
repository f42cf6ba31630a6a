#pragma once
// The commands of velmora-cli. Each returns the process exit code.
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_user.h"
#include "model/tarnex_source.h"

namespace velmora::cli {

struct CommandOptions {
    std::string moves;
    bool movesGiven = false;
    std::string code;
    std::string faceletText;
    std::string method = "group";
    bool centres = false;
    bool force = false;
    std::string logFile;
    int kind = 1;
    bool kindGiven = false;  // batch: deal by kind instead of random turns
    long long seed = -1;  // -1: seeded from the time
    int count = 0;
    int movesPerPosition = 40;
    std::string file;
    int steps = 0;
};

// --moves / --code / --facelets / --method / --centres / --force / --log.
void AddPositionOptions(CLI::App& command, CommandOptions& opt);
// Loads the position the options name into a fresh model and solves it; prints an
// error and returns null (exit code in *exitCode) when the options cannot be served.
std::unique_ptr<CTarnexSource> SolveFromOptions(const CommandOptions& opt, CliUser& user,
                                                int* exitCode);

std::unique_ptr<CTarnexSource> NewModel(CliUser& user, const std::string& logFile);
int MethodNumber(const std::string& name);
bool PositionSolved(const CubeState& s);
// Replays the solution record from its start position: true when it restores the
// cube (pieces home, centres upright; with centresToo also the centre turns, the
// bottom centre allowed a quarter turn).
bool ReplayRestores(CTarnexSource& m, bool centresToo);
void PrintSolution(const CTarnexSource& m);
// True when the options name a position; otherwise prints that the command needs one.
bool NamesPosition(const CommandOptions& opt, const char* command);
// Refuses a method that is not built yet; returns false after printing the error.
bool MethodAvailable(const CommandOptions& opt);

int RunState(const CommandOptions& opt);
int RunSolve(const CommandOptions& opt);
int RunScramble(const CommandOptions& opt);
int RunBatch(const CommandOptions& opt);

// save and open (cube files).
void AddFileCommands(CLI::App& app, CommandOptions& opt);
int RunFileCommands(CLI::App& app, const CommandOptions& opt);

// format and patterns; RunMoveTextCommands gives -1 when neither was asked for.
void AddMoveTextCommands(CLI::App& app);
int RunMoveTextCommands(CLI::App& app);

}  // namespace velmora::cli
