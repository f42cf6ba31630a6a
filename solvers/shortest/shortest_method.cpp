// The shortest method: holds the cube upright, reads its pieces into the search's
// corner and edge numbering, and plays the two-phase solution back as face turns, with
// a stage marker between the two phases.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"
#include "solvers/shortest/two_phase.h"

namespace velmora {
namespace {

using shortest::CubieCube;

constexpr std::string_view kPhaseMarker = "#  ";

// Search faces U R F D L B (0-5) by the program's face number 1-6 (T F R P L B).
constexpr std::array<int, 7> kSearchFace = {-1, 0, 2, 1, 5, 4, 3};

// One corner or edge position of the search: the program's slot and, for each of the
// search's stickers of that position in order, the program's sticker number.
struct PlaceMap {
    int row, col;
    std::array<int, 3> sticker;
};

// Corner positions URF UFL ULB UBR DFR DLF DBL DRB; stickers in the order of the name.
constexpr std::array<PlaceMap, 8> kCornerPlaces = {{
    {2, 1, {1, 3, 2}}, {2, 4, {1, 3, 2}}, {2, 3, {1, 3, 2}}, {2, 2, {1, 3, 2}},
    {4, 1, {2, 1, 3}}, {4, 4, {2, 1, 3}}, {4, 3, {2, 1, 3}}, {4, 2, {2, 1, 3}},
}};
// Edge positions UR UF UL UB DR DF DL DB FR FL BL BR.
constexpr std::array<PlaceMap, 12> kEdgePlaces = {{
    {1, 2, {1, 2}}, {1, 1, {1, 2}}, {1, 4, {1, 2}}, {1, 3, {1, 2}},
    {5, 2, {2, 1}}, {5, 1, {2, 1}}, {5, 4, {2, 1}}, {5, 3, {2, 1}},
    {3, 1, {1, 2}}, {3, 4, {2, 1}}, {3, 3, {1, 2}}, {3, 2, {2, 1}},
}};
// Search faces of each piece's stickers, in the same orders.
constexpr int kCornerFaces[8][3] = {{0, 1, 2}, {0, 2, 4}, {0, 4, 5}, {0, 5, 1},
                                    {3, 2, 1}, {3, 4, 2}, {3, 5, 4}, {3, 1, 5}};
constexpr int kEdgeFaces[12][2] = {{0, 1}, {0, 2}, {0, 4}, {0, 5}, {3, 1}, {3, 2},
                                   {3, 4}, {3, 5}, {2, 1}, {2, 4}, {5, 4}, {5, 1}};

// Program tokens of the search's moves (face * 3 + quarter turns - 1).
constexpr std::array<std::string_view, shortest::kMoveCount> kTokens = {
    "T+", "T*", "T-", "R+", "R*", "R-", "F+", "F*", "F-",
    "B+", "B*", "B-", "L+", "L*", "L-", "P+", "P*", "P-"};

// Whole-cube turns that bring the centre of face 1 to the top, then that of face 2 to
// the front; they cost no turns.
void HoldUpright(CTarnexSource& m) {
    static constexpr std::string_view kTopFrom[7] = {"", "", "FT", "RT", "PT", "LT", "BT"};
    static constexpr std::string_view kFrontFrom[7] = {"", "", "", "RF", "PF", "LF", ""};
    for (int k = 2; k <= 6 && m.cube.centres[1] != 1; ++k)
        if (m.cube.centres[k] == 1) m.ApplyToken(kTopFrom[k]);
    for (int k = 3; k <= 5 && m.cube.centres[2] != 2; ++k)
        if (m.cube.centres[k] == 2) m.ApplyToken(kFrontFrom[k]);
}

int SearchColour(const CTarnexSource& m, int row, int col, int sticker) {
    const int colour = m.StickerColour(row, col, sticker);
    return colour >= 1 && colour <= 6 ? kSearchFace[colour] : -1;
}

}  // namespace

namespace shortest {

// Reads the upright cube's stickers into corners and edges; false when a piece shows
// colours that belong to no piece.
bool ReadCubie(const CTarnexSource& m, CubieCube& out) {
    for (int i = 0; i < 8; ++i) {
        const PlaceMap& p = kCornerPlaces[i];
        int col[3];
        for (int k = 0; k < 3; ++k) col[k] = SearchColour(m, p.row, p.col, p.sticker[k]);
        int ori = 0;
        while (ori < 3 && col[ori] != 0 && col[ori] != 3) ++ori;
        if (ori == 3) return false;
        const int a = col[(ori + 1) % 3], b = col[(ori + 2) % 3];
        int piece = 0;
        while (piece < 8 && !(kCornerFaces[piece][0] == col[ori] && kCornerFaces[piece][1] == a &&
                              kCornerFaces[piece][2] == b))
            ++piece;
        if (piece == 8) return false;
        out.cp[i] = static_cast<std::uint8_t>(piece);
        out.co[i] = static_cast<std::uint8_t>(ori);
    }
    for (int i = 0; i < 12; ++i) {
        const PlaceMap& p = kEdgePlaces[i];
        const int a = SearchColour(m, p.row, p.col, p.sticker[0]);
        const int b = SearchColour(m, p.row, p.col, p.sticker[1]);
        int piece = 0, flip = 0;
        for (; piece < 12; ++piece) {
            if (kEdgeFaces[piece][0] == a && kEdgeFaces[piece][1] == b) break;
            if (kEdgeFaces[piece][0] == b && kEdgeFaces[piece][1] == a) { flip = 1; break; }
        }
        if (piece == 12) return false;
        out.ep[i] = static_cast<std::uint8_t>(piece);
        out.eo[i] = static_cast<std::uint8_t>(flip);
    }
    return true;
}

std::string_view MoveToken(int move) { return kTokens[static_cast<std::size_t>(move)]; }

void HoldCubeUpright(CTarnexSource& m) { HoldUpright(m); }

}  // namespace shortest

int CTarnexSource::ShortestMethod() {
    HoldUpright(*this);
    CubieCube c;
    if (cube.centres[1] != 1 || cube.centres[2] != 2 || !shortest::ReadCubie(*this, c)) return -1;
    shortest::TwoPhaseSolution solution;
    if (!shortest::SolveTwoPhase(c, shortest::kMaxSolutionLength, solution)) return -1;
    for (int i = 0; i < solution.length; ++i) {
        if (i == solution.split && i > 0) moveRecord.Append(kPhaseMarker);
        ApplyToken(shortest::MoveToken(solution.moves[i]));
    }
    methodIdText.AppendFormat("第1阶段:%d转    第2阶段:%d转    ", solution.split,
                              solution.length - solution.split);
    return 1;
}

}  // namespace velmora
