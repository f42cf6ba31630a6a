// The model's fixed tables: centre arrangements, piece colours, the flat net and the
// letter tables. InitCubeModel copies them into the model once.
#include <array>

#include "model/tarnex_source.h"

namespace velmora {

// The 24 legal arrangements of the six centres (entries for face positions 1-6), four
// rows per top centre.
constexpr std::array<std::string_view, 24> kOrientationRows = {
    "123456", "134526", "145236", "152346",
    "215634", "231564", "256314", "263154",
    "312645", "326415", "341265", "364125",
    "413652", "436512", "451362", "465132",
    "514623", "521463", "546213", "562143",
    "625431", "632541", "643251", "654321",
};

// Sticker colours of each piece, in the sticker order of its home slot.
struct PieceColourRow { int slot; int colours[3]; };
constexpr std::array<PieceColourRow, 20> kPieceColours = {{
    {11, {1, 2, 0}}, {12, {1, 3, 0}}, {13, {1, 4, 0}}, {14, {1, 5, 0}},
    {21, {1, 2, 3}}, {22, {1, 3, 4}}, {23, {1, 4, 5}}, {24, {1, 5, 2}},
    {31, {2, 3, 0}}, {32, {3, 4, 0}}, {33, {4, 5, 0}}, {34, {5, 2, 0}},
    {41, {2, 6, 3}}, {42, {3, 6, 4}}, {43, {4, 6, 5}}, {44, {5, 6, 2}},
    {51, {2, 6, 0}}, {52, {3, 6, 0}}, {53, {4, 6, 0}}, {54, {5, 6, 0}},
}};

// The flat net: each face block's origin and its nine cells in reading order as slot
// code and sticker (slot 0 marks the centre).
struct NetBlock { int face; int x; int y; int cells[9][2]; };
constexpr std::array<NetBlock, 6> kNetBlocks = {{
    {1, 101, 94, {{23, 1}, {13, 1}, {22, 1}, {14, 1}, {0, 0}, {12, 1}, {24, 1}, {11, 1}, {21, 1}}},
    {2, 101, 177, {{24, 3}, {11, 2}, {21, 2}, {34, 2}, {0, 0}, {31, 1}, {44, 3}, {51, 1}, {41, 1}}},
    {3, 184, 94, {{22, 2}, {32, 1}, {42, 1}, {12, 2}, {0, 0}, {52, 1}, {21, 3}, {31, 2}, {41, 3}}},
    {4, 101, 11, {{43, 1}, {53, 1}, {42, 3}, {33, 1}, {0, 0}, {32, 2}, {23, 2}, {13, 2}, {22, 3}}},
    {5, 18, 94, {{43, 3}, {33, 2}, {23, 3}, {54, 1}, {0, 0}, {14, 2}, {44, 1}, {34, 1}, {24, 2}}},
    {6, 101, 260, {{44, 2}, {51, 2}, {41, 2}, {54, 2}, {0, 0}, {52, 2}, {43, 2}, {53, 2}, {42, 2}}},
}};

// The repeated cells drawn around the bottom block: x, y, slot code, sticker.
constexpr std::array<std::array<int, 4>, 9> kNetRepeats = {{
    {68, 260, 44, 1}, {68, 285, 54, 1}, {68, 310, 43, 3},
    {184, 260, 41, 3}, {184, 285, 52, 1}, {184, 310, 42, 1},
    {101, 343, 43, 1}, {126, 343, 53, 1}, {151, 343, 42, 3},
}};

void FillModelTables(CTarnexSource& m) {
    for (int i = 0; i < 24; ++i)
        for (int k = 1; k <= 6; ++k) m.OrientationTable[i][k] = kOrientationRows[i][k - 1] - '0';
    for (const PieceColourRow& p : kPieceColours)
        for (int s = 0; s < 3; ++s) m.pieceColours[p.slot / 10][p.slot % 10][s] = p.colours[s];
    for (int c = 0; c <= 6; ++c) m.centreColours[c] = c;

    int n = 0;
    for (const NetBlock& b : kNetBlocks) {
        for (int cell = 0; cell < 9; ++cell) {
            int x = b.x + 25 * (cell % 3);
            int y = b.y + 25 * (cell / 3);
            int slot = b.cells[cell][0];
            FaceletRecord& r = m.FaceletTable[n++];
            r = {x, y, x + 22, y + 22, 0, 0, 0, 0};
            if (slot == 0) {
                r.row = b.face - 1;
            } else {
                r.row = slot / 10;
                r.col = slot % 10;
                r.sticker = b.cells[cell][1];
            }
        }
    }
    for (const auto& rep : kNetRepeats) {
        FaceletRecord& r = m.FaceletTable[n++];
        r = {rep[0], rep[1], rep[0] + 22, rep[1] + 22, rep[2] / 10, rep[2] % 10, rep[3], 0};
    }
    for (int j = 0; j < kPaletteCellCount; ++j) {
        FaceletRecord& r = m.FaceletTable[n++];
        r = {276, 40 + 32 * j, 496, 67 + 32 * j, 286, 0, 45 + 32 * j, 0};
    }

    m.keyLetters = " TFRPLBA";
    m.exportLetters = " UFRBLD?@";
    m.appletLetters = "gcfbdaeh";
}

}  // namespace velmora
