#pragma once
// CTarnexSource: the cube model. It holds the live position, the move engine, the
// solve driver with its solution record, and the solvers (each defined in its own
// translation units under solvers/). The document owns one by value; every table and
// text buffer lives inside it, so no operation allocates.
#include <cstdint>
#include <iosfwd>
#include <random>
#include <string_view>

#include "model/cube_state.h"
#include "model/fixed_text.h"
#include "model/optimal_figures.h"
#include "model/user_port.h"

namespace velmora {

// Length of a position code and of its short form (without centre turns).
inline constexpr int kCodeLength = 72;
inline constexpr int kShortCodeLength = 66;
// Bound of the move record and of the solution record.
inline constexpr int kRecordCapacity = 9999;
// Index of the first move of the solution record (after code, count and spaces).
inline constexpr int kRecordMovesStart = 76;
// Characters that end a token in a move string or a solution record.
inline constexpr std::string_view kSeparatorSet = ";,\r\n\t\v'\"\\ :.[]{}()#";
// True for a character of the separator set (the NUL that ends a text is not one).
inline bool IsSeparatorChar(char c) { return c != '\0' && kSeparatorSet.find(c) != std::string_view::npos; }

// One entry of the move table as the program lists it.
struct MoveEntry {
    std::string_view token;   // up to 19 characters
    std::string_view code;    // 72-digit permutation code
    std::string_view record;  // text left in the move record
    int turns;                // face turns counted
};

// One cell of the flat net: its screen rectangle and what it shows. For a centre the
// row field holds face number - 1 and the column 0; for a palette cell the row and
// sticker fields hold the label position.
struct FaceletRecord {
    int left, top, right, bottom;
    int row;
    int col;
    int sticker;
    int spare;
};

inline constexpr int kFaceletCount = 54;      // visible stickers
inline constexpr int kNetCellCount = 63;      // stickers plus the repeats around B
inline constexpr int kPaletteCellCount = 8;   // palette cells of the input net

// How a text that starts like a position code stands up to the code's own rules.
enum class CodeVerdict {
    Sound,       // 72 digits, each in the range of its place, every piece once
    Malformed,   // not exactly 72 digits, or a digit outside the range of its place
    Impossible,  // well formed, but a piece named twice (so another is missing) or
                 // centres in no arrangement a cube can have: a parts error
};

class CTarnexSource {
public:
    CTarnexSource();

    // ---- fields (in the model's order) ----
    double viewTilt = 27, viewTurn = -36, viewSpin = 0;
    float viewZoom = 1.0f;
    int autoDemoCount = 0;
    int animAngle = 0, animAxis = 0;
    FixedText<511> statusText;
    FixedText<kRecordCapacity> commandText;
    int colourCounts[10] = {};
    int selectedColour = 1;
    FixedText<kRecordCapacity> moveRecord;
    int facelets[kFaceletCount] = {};
    int inputMode = 0;
    int showMethodIds = 0;
    CubeState startState{};
    int demoPos = kRecordMovesStart;
    FixedText<kRecordCapacity> SolutionRecord;
    int turnCounter = 0;
    CubeState cube{};  // the current position
    FaceletRecord FaceletTable[kNetCellCount + kPaletteCellCount] = {};
    FixedText<260> logPath;
    std::string_view separatorSet;
    int centreColours[7] = {};
    int pieceColours[6][5][3] = {};  // [home row][home column][sticker 0-2]
    int OrientationTable[24][7] = {};  // [row][face position 1-6]
    std::string_view keyLetters;     // "TFRPLBA", index 1-7 after a leading blank
    std::string_view exportLetters;  // " UFRBLD?@"
    std::string_view appletLetters;  // "gcfbdaeh"
    int methodChoice = 1, methodUsed = 1, centreOnlyMode = 0;
    FixedText<4095> methodIdText;

    // Where messages and dialogs go; never null (a silent stand-in by default).
    UserPort* user;
    // Path of the running program; InitCubeModel forms the solve log's name from it.
    // Empty: no solve log.
    FixedText<1023> programPath;
    // Set when an append to the move record was refused because it was full.
    bool moveRecordFull = false;
    // Set when the last solution record had to be cut at its bound.
    bool solutionTruncated = false;
    // Outcome of the last ExecuteAndSolve: the solver's result (1 where the fixed
    // lettering sequence ran) and the turns of the solution before the rewind.
    int lastSolveResult = 0;
    int lastSolveTurns = 0;

    // ---- cube state and notation ----
    int StickerColour(int row, int column, int sticker) const;
    int CheckAssembly() const;
    // Writes the 72-digit code of a position into out (73 bytes with the NUL).
    static void WritePositionCode(const CubeState& s, char out[kCodeLength + 1]);

    // ---- move engine ----
    int ApplyToken(std::string_view token);
    int RunMoveString(int pendingTurns, std::string_view text);
    void ResetCube();
    void AnimationHint(std::string_view token);
    // Index of a token in the move table, -1 when absent.
    int FindToken(std::string_view token) const;
    static int MoveCount();
    static const MoveEntry& Move(int index);

    // ---- solve driver ----
    void InitCubeModel();
    void ExecuteAndSolve();
    int SolveDispatch();
    void StepSolution(int direction);
    void MakeDemoFromRecord();
    // Empties (creates) the solve log at logPath; false when it cannot be created.
    bool CreateLog();
    // Name of the solve log for a program path: its extension replaced by "_log.mf",
    // or "_log.mf" appended when the file name has none.
    static void LogPathFor(std::string_view program, FixedText<260>& out);
    // The window's log at start-up: beside the program (LogPathFor), else under the same
    // name in the user's state folder ($XDG_STATE_HOME/velmora, else
    // ~/.local/state/velmora); emptied there. A failure is left in statusText.
    void OpenStartupLog();
    // The solve log's path in the user's state folder, creating the folder; false when
    // no state folder can be had.
    static bool StateFolderLogPath(std::string_view program, FixedText<260>& out);
    // Opens the log at logPath for appending, creating it if missing, without emptying
    // it; false (and statusText set) when it cannot be opened.
    bool OpenLogForAppend();
    // Appends SolutionRecord and its line end to the log in one write.
    void AppendLogRecord();
    // Set when a record could not be appended to the solve log whole.
    bool logWriteFailed = false;
    // Set by LoadPositionText when its text was no position code and turned nothing.
    bool loadFoundNoTurns = false;
    // Set by LoadPositionText and LoadCubeFile when a move text was longer than they
    // read and only its first whole tokens were run.
    bool loadTextCut = false;
    // The verdict on the position code at the head of the last opened file (Sound when
    // the head was a move text); the file was refused unless Sound.
    CodeVerdict loadCodeVerdict = CodeVerdict::Sound;
    // The byte (from 1) of the control character that made the last opened file's move
    // text refused; 0 when there was none.
    int loadControlByte = 0;
    // Set by LoadPositionText when its moves filled the move record and the rest were
    // refused; the position then is not the one the text describes.
    bool loadRecordFull = false;
    // The 24 short codes of the lettering pattern, one per orientation.
    char talwenCodes[24][kShortCodeLength + 1] = {};

    // ---- position codes ----
    void LoadPositionText(std::string_view text);
    // Checks a text that StartsAsCode: exactly 72 digits (ended by the text or by a
    // separator), each slot holding a piece of its own kind with a twist of that kind,
    // centres 1-6 with turns 0-3. LoadPositionText repairs what this refuses.
    CodeVerdict CheckPositionCode(std::string_view text) const;
    void DescribeFacelet(int index);

    // ---- random positions and colour input ----
    void Scramble(int kind);
    // The random deal of Scramble alone: cube holds the dealt position, nothing solved.
    void Deal(int kind);
    void BeginInput(int mode);
    int FinishInput();
    // The checks that end cube input, without asking: the colour counts, the pieces and
    // the assembly of the painted net (the counts taken anew). 0: the net is a position
    // that can exist, now in cube; -1: a count, a piece or the stickers are wrong;
    // 1-999: the CheckAssembly score of the pieces built into cube. Except for 0,
    // statusText holds FinishInput's question.
    int CheckInputNet();
    // Counts the stickers of each colour on the painted net into colourCounts (each
    // centre once for its own colour); the net view calls it while drawing.
    void CountColours();

    // ---- random numbers ----
    // A non-negative pseudo-random number, like the C library's rand().
    int Random();
    void SeedRandom(unsigned seed) { rng.seed(seed); }
    // Millisecond tick count; replaceable for tests.
    int (*tickSource)() = nullptr;
    int TickCount() const;

    // ---- centre-orientation method ----
    int CentreMethod();

    // ---- eight-corner method ----
    int EightCornerMethod();
    void EightCornerBottomCorners();  // stage 1
    void EightCornerTopTwist();       // stage 2
    void EightCornerCornerPlaces();   // stage 3
    void EightCornerUpperEdges();     // stage 4
    void EightCornerLowerEdges();     // stage 5
    void EightCornerLastUpperEdge();  // stage 6
    void EightCornerMiddleEdges();    // stage 7

    // ---- shortest method (two-phase search, at most 20 turns) ----
    int ShortestMethod();

    // ---- fewest-turns method (iterative deepening, at most 20 turns, proven) ----
    int OptimalMethod();
    // Makes a solution the fewest-turns search found for optimalFigures.start the
    // solution: rebuilds the record from that start and rewinds the demonstration.
    void TakeOptimalSolution(const std::uint8_t* moves, int length, bool proven, int lowerBound,
                             long long positions, double seconds);
    OptimalRequest optimalRequest;
    OptimalFigures optimalFigures;

    // ---- group method ----
    int GroupMethod();
    void GroupTopEdges();
    void GroupTopEdgesShifted(int k);
    void GroupPairs();
    int GroupFlipPairs();
    void GroupBottomCorners();
    void GroupBottomEdges();
    void GroupTopLayer();

    // ---- cube file ----
    // Saving writes the file of files/cube_file.h and leaves the cube as it is; opening
    // reads the head of a file and solves the position it names. Both return 1, or -1
    // after reporting the failure (message box and statusText).
    int SaveCubeFile(std::ostream& out);
    int SaveCubeFile(const char* path);  // temporary file beside the target, then renamed
    int LoadCubeFile(std::istream& in);
    int LoadCubeFile(const char* path);

private:
    void CopyState(const CubeState& from, CubeState& to) const { to = from; }
    void BuildTalwenCodes();
    void BuildSolutionRecord(const char* code);
    // Applies move `index` of the table.
    int ApplyMoveIndex(int index);
    int ApplyLongMove(int index);
    int RunLongTokens(std::string_view text, std::size_t from);
    std::mt19937 rng;
};

// Inline: the solvers ask for sticker colours in their inner loops.
inline int CTarnexSource::StickerColour(int row, int column, int sticker) const {
    if (column == 0) {
        if (row < 0 || row > 5) return 0;
        int id = cube.centres[row + 1];
        return (id >= 1 && id <= 6) ? centreColours[id] : 0;
    }
    if (row < 1 || row > 5 || column < 1 || column > 4) return 0;
    int n = IsCornerRow(row) ? 3 : 2;
    if (sticker < 1 || sticker > n) return 0;
    const PieceSlot& p = cube.pieces[row][column];
    if (p.homeRow < 1 || p.homeRow > 5 || p.homeCol < 1 || p.homeCol > 4) return 0;
    int t = p.twist;
    if (t < 0 || t >= n) t = ((t % n) + n) % n;
    int entry = sticker - 1 - t;
    if (entry < 0) entry += n;
    return pieceColours[p.homeRow][p.homeCol][entry];
}

}  // namespace velmora
