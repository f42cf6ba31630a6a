#pragma once
// The solution sheet: the solution of the position shown, laid out for paper. A title
// line, the start position as a net, then every stage of the solution record with its
// moves in both notations, its turn count and the net of the cube after it, and a last
// line that says whether the moves restore the cube. What the sheet holds and where
// its pages break is decided here; the window only draws it.
//
// Stages are the parts of the record between the three-character stage markers that
// the methods append ("#  ", "## ", ",# " ...); each method's marker tells which of its
// stages ended there.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/tarnex_source.h"

namespace velmora {

// The sheet's name for a cube that has no file yet.
inline constexpr std::string_view kUntitledSheetName = "新魔方";

struct SheetStage {
    // "第2阶段 上角块和中边块"; the number alone where the method names no stages.
    std::string name;
    // One entry per move: the record's own text ("T+;", "BT,", "(FT,L+;R-;)") and its
    // international rendering ("U", "x", "(x L R')").
    std::vector<std::string> ownMoves;
    std::vector<std::string> internationalMoves;
    int turns = 0;
    // Colour 1-6 of each of the 54 stickers (net order) after the stage.
    std::array<int, kFaceletCount> colours{};
    // Learn mode: what the stage is for, printed under its heading (empty: nothing is
    // printed), and the stickers (net order) of the pieces it brings home, outlined in
    // its net.
    std::string goal;
    std::array<bool, kFaceletCount> stagePieces{};
};

struct SolutionSheet {
    // File name (or kUntitledSheetName), date, method and turn count on one line.
    std::string title;
    std::array<int, kFaceletCount> startColours{};
    std::vector<SheetStage> stages;
    int turns = 0;
    // The moves of all stages turn the start position into a cube whose every face
    // shows one colour.
    bool restored = false;
    // The last line of the sheet.
    std::string closing;
    // Screen colour of colours 1-6 (red in the lowest byte; index 0 unused): the
    // defaults until the caller gives the display's.
    std::array<int, 7> faceColours{};
};

// The sheet of the model's solution record, replayed from its start position. name:
// the file's name as shown (empty for an untitled cube); date as it is printed.
void BuildSolutionSheet(const CTarnexSource& m, std::string_view name, std::string_view date, SolutionSheet& out);

// Where sticker i (0-53, net order) sits in the net of the panes: column 0-8 and row
// 0-11 of a grid of three by four face blocks (P on top; L T R; then F and B below T).
void SheetNetCell(int sticker, int& column, int& row);

// Today's date as the sheet prints it ("2026-12-08").
std::string SheetDateToday();

// The stage that a marker ends in a method (methodUsed); empty when the method names
// none. An empty marker stands for the part after the last marker.
std::string_view StageName(int methodUsed, std::string_view marker);

// The international rendering of one move of the record (empty for the move that does
// nothing): face turns through FormatMoves, whole-cube rotations as x y z.
std::string InternationalMove(std::string_view ownMove);

// Moves in lines of at most width characters, joined by gap; a line breaks only
// between moves (a single longer move gets a line of its own).
std::vector<std::string> WrapMoves(const std::vector<std::string>& moves, int width, std::string_view gap);

// Sizes of a page and its parts in one unit of the caller's (points, pixels).
struct SheetMetrics {
    double pageHeight = 0;      // usable height between the margins
    double headHeight = 0;      // title line and start net
    double lineHeight = 0;      // one line of text
    double stageNetHeight = 0;  // the small net beside a stage
    double stageGap = 0;        // space below each stage
    int ownChars = 0;           // characters of a move line, own notation
    int internationalChars = 0; // the same, international notation
    int goalChars = 0;          // characters (Chinese, full width) of a goal line
};

// One piece of a page: the head, a stage, or the closing line, with its place.
struct SheetBlock {
    enum class Kind { Head, Stage, Closing };
    Kind kind = Kind::Head;
    int stage = -1;  // index into SolutionSheet::stages
    double top = 0, height = 0;
    // Move lines of a stage, own notation then international; the goal's lines come
    // before them, in the first part of a stage only.
    std::vector<std::string> ownLines, internationalLines;
    std::vector<std::string> goalLines;
    // Only for a stage taller than a page: which part of it this block is, from 0, and
    // whether its net comes with it (the last part).
    int part = 0;
    bool withNet = true;
};

using SheetPage = std::vector<SheetBlock>;

// The pages of the sheet: the head first, every stage whole on one page (a stage is
// cut only when it is taller than a page by itself), the closing line last.
std::vector<SheetPage> PaginateSheet(const SolutionSheet& sheet, const SheetMetrics& metrics);

// Text height of a stage block with the given numbers of move lines: the heading, the
// goal, the two notations, and the net beside them.
double StageBlockHeight(const SheetMetrics& metrics, int ownLines, int internationalLines, int goalLines = 0);

// A text in lines of at most width characters (a character is one UTF-8 sequence);
// breaks anywhere, as Chinese text may. width <= 0 gives the text as one line.
std::vector<std::string> WrapGoal(std::string_view text, int width);

}  // namespace velmora
