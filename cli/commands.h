#pragma once
// The commands of velmora-cli. Each returns the process exit code.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_user.h"
#include "model/tarnex_source.h"
#include "solvers/colours/colour_resolution.h"
#ifdef VELMORA_SCAN_PHOTOS
#include "photos/cube_photos.h"
#endif

namespace velmora::cli {

// Largest --count of batch.
inline constexpr long long kMaxBatchCount = 1000000000LL;
// Largest --moves-per-position of batch.
inline constexpr int kMaxMovesPerPosition = 10000;
// Largest --seed: the generator takes 32 bits.
inline constexpr long long kMaxSeed = 4294967295LL;
// Skipped tokens of a move text named one by one before the rest are only counted.
inline constexpr int kMaxSkippedShown = 20;

struct CommandOptions {
    std::string moves;
    bool movesGiven = false;
    // --alg: moves in either notation, rewritten into moves before the command runs.
    std::string alg;
    std::string code;
    std::string faceletText;
    std::string method = "group";
    bool centres = false;
    bool force = false;
    std::string logFile;
    int kind = 1;
    bool kindGiven = false;  // batch: deal by kind instead of random turns
    long long seed = -1;  // -1: seeded from the time
    long long count = 0;
    int movesPerPosition = 40;
    std::string file;
    int steps = 0;
    int jobs = 1;  // batch: solving threads
    bool jobsGiven = false;
    // The fewest-turns method: table set (empty: by the machine's memory) and the time
    // after which the best solution found is given, not proven (0: no limit).
    std::string tableSize;
    double maxSeconds = 0;
};

// --table-size / --max-seconds of the fewest-turns method.
void AddOptimalOptions(CLI::App& command, CommandOptions& opt);
// Passes the fewest-turns options to a model, with table-build progress on a terminal.
void SetOptimalRequest(CTarnexSource& m, const CommandOptions& opt);
// The lines of the fewest-turns method after a solve by it: "proven: yes|no" and its figures.
void PrintOptimalFigures(const CTarnexSource& m);

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
// cube (every face one colour, held any way); with centresOnly, when it turns the
// centres back (the bottom centre allowed a quarter turn) and leaves every other
// piece as it was.
bool ReplayRestores(CTarnexSource& m, bool centresOnly);
// The solution lines; restorable false prints "result: 0" whatever the solver gave.
void PrintSolution(const CTarnexSource& m, bool restorable = true);
// Prints the solution lines of the last solve and gives the exit code: 0 only when the
// start position can be restored and the printed solution restores it. A position with
// an assembly error (twist, flip or parity) prints "result: 0" and "unsolvable:
// assembly" after the other lines; one with a piece missing or doubled prints only
// ReportPartsError's lines. Both give 1. A method other than the one asked for is
// explained on standard error.
int ReportSolution(CTarnexSource& m, const CommandOptions& opt);
// True when the start position of the last solve passes the assembly check.
bool StartRestorable(CTarnexSource& m);
// "result: -1" and "unsolvable: parts"; returns 1.
int ReportPartsError();
// True when the options name a position; otherwise prints that the command needs one.
bool NamesPosition(const CommandOptions& opt, const char* command);
// Refuses a method that is not built yet; returns false after printing the error.
bool MethodAvailable(const CommandOptions& opt);

int RunState(const CommandOptions& opt);
int RunSolve(const CommandOptions& opt);
int RunScramble(const CommandOptions& opt);
int RunBatch(const CommandOptions& opt);
// explain: one position stage by stage, or with count > 0 the replay check over that
// many random positions.
int RunExplain(const CommandOptions& opt);

// The exit code after a command that used the model: 2 with a message on standard
// error when a record could not be written to the solve log, else exitCode.
int FinishWithLog(const CTarnexSource& m, int exitCode);
// Names on standard error, as warnings, the tokens of a typed move text that the
// engine skips; false, after saying so, when it recognises none of them. what names
// the text (an option).
bool MoveTextUsable(const CTarnexSource& m, std::string_view text, bool leadingMerge, const char* what);
// A move text runs whole or not at all: with recordFull (the move record refused a
// move) says on standard error that the text holds more moves than the record and
// returns false.
bool MovesHeld(bool recordFull, const char* what);

// save and open (cube files).
void AddFileCommands(CLI::App& app, CommandOptions& opt);
int RunFileCommands(CLI::App& app, const CommandOptions& opt);

// format and patterns; RunMoveTextCommands gives -1 when neither was asked for.
void AddMoveTextCommands(CLI::App& app);
// opt with --alg rewritten into --moves (own notation); false after printing why the
// text was refused.
bool MovesFromAlg(const CommandOptions& opt, CommandOptions& out);
// The facelet and colour strings of the position the solution starts from.
void WriteStartFacelets(const CTarnexSource& m, char facelets[55], char colours[55]);
// The line "stepped:" with the code of the present position when the demonstration
// has moved it away from the start (a stepped save).
void PrintSteppedPosition(const CTarnexSource& m);
int RunMoveTextCommands(CLI::App& app);
// scan: a real cube read from 54 measured colours (--rgb) or, when velmora-cli is built
// with the photo reader (VELMORA_SCAN_PHOTOS), from six photos.
struct ScanOptions {
    std::string rgb;                  // --rgb TEXT or @FILE
    std::vector<std::string> photos;  // the six photos, faces U R F D L B
    std::string video;                // --video FILE
    bool solve = false;
    std::string method = "group";
};
void AddScanCommand(CLI::App& app, ScanOptions& opt);
// -1 when scan was not asked for.
int RunScanCommand(CLI::App& app, const ScanOptions& opt);
// Prints the facelets: and doubt: lines of a read cube (with rgbLine, when given,
// printed between them as it is); for a cube that was not read, prints on standard
// error what is wrong (naming the face or sticker) and returns false.
// A read that fits a real cube but is not printed as one: it has more than
// kMostDoubtsOfARead stickers in doubt, or two faces whose colours only the user can
// tell apart.
bool PrintScanResult(const ColourResolution& r, const std::string& rgbLine = {});
// Why scan does not print r as the cube read (the message the photo dialog shows for
// it), faceNames naming faces U R F D L B; empty when r is a confident read of a real cube.
std::string ScanRefusal(const ColourResolution& r, const std::array<std::string, 6>& faceNames);
// False, with "velmora-cli: PATH is not a regular file" on standard error, when path
// names a folder, a FIFO, a device or a socket (a missing file is left to the reader,
// which names it).
bool RegularFileArgument(const std::string& path);
#ifdef VELMORA_SCAN_VIDEO
// The video form of scan (cli/scan_video.cpp).
void AddScanVideoOption(CLI::App& scan, ScanOptions& opt);
int RunScanVideo(const ScanOptions& opt);
#endif
#ifdef VELMORA_SCAN_PHOTOS
// The six-photo form of scan, in the photo reader's part of velmora-cli.
void AddScanPhotoOptions(CLI::App& scan, ScanOptions& opt);
int RunScanPhotos(const ScanOptions& opt);
// Prints what scan prints for six faces read (facelets:, rgb:, doubt:, rotations:, and
// with --solve the solution); the exit code.
// faceNames name faces U R F D L B in the messages.
int PrintScanReading(const photos::CubeFromPhotos& cube, const ScanOptions& opt,
                     const std::array<std::string, 6>& faceNames);
#endif

// The whole command line: every command and option.
struct CommandLine {
    CLI::App app{"velmora-cli: turn, solve and check cube positions"};
    CommandOptions opt;
    ScanOptions scanOpt;
    CLI::App* state = nullptr;
    CLI::App* solve = nullptr;
    CLI::App* scramble = nullptr;
    CLI::App* batch = nullptr;
    CLI::App* explain = nullptr;
    CommandLine();
};
// Reads argv into line.opt. Returns -1 when a command is to run; otherwise the exit
// code, after printing help, the version or the error.
int ParseCommandLine(CommandLine& line, int argc, const char* const* argv);
// Runs the command that was parsed; returns the exit code.
int RunCommandLine(CommandLine& line);

}  // namespace velmora::cli
