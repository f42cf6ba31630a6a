#pragma once
// The cube position as pieces.
//
// Faces are numbered 1-6 and lettered T F R P L B (top, front, right, back, left,
// bottom). Colour c is the colour that face c shows on the solved cube.
//
// The 20 piece places ("slots") are addressed by row 1-5 and column 1-4; the slot code
// is the two digits rc. Rows 1, 3, 5 hold edges, rows 2, 4 hold corners:
//   11 TF  12 TR  13 TP  14 TL       (top edges)
//   21 TFR 22 TRP 23 TPL 24 TLF      (top corners)
//   31 FR  32 RP  33 PL  34 LF       (middle edges)
//   41 FBR 42 RBP 43 PBL 44 LBF      (bottom corners; the bottom sticker is second)
//   51 FB  52 RB  53 PB  54 LB       (bottom edges)
// The faces listed for a slot are its stickers 1, 2 (,3) in order. A piece is named by
// its home slot; its twist says how it is turned: sticker k of slot s shows entry
// (k - 1 - twist) mod n of the piece's colour list (n = 3 corners, 2 edges).
//
// "Code order" is 11, 12, 13, 14, 21, ..., 54 (row by row).

namespace velmora {

struct PieceSlot {
    int homeRow = 0;  // 1-5
    int homeCol = 0;  // 1-4
    int twist = 0;    // 0-2 in corner rows, 0-1 in edge rows
};

struct CubeState {
    PieceSlot pieces[6][5];  // [row 1-5][column 1-4]; index 0 unused
    int centres[7];          // [face position 1-6] identity of the centre there
    int centreTurns[7];      // [face position 1-6] clockwise quarter turns, 0-3

    // The solved cube.
    void SetSolved() {
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c) pieces[r][c] = PieceSlot{r, c, 0};
        for (int k = 0; k < 7; ++k) { centres[k] = k; centreTurns[k] = 0; }
    }
};

inline constexpr bool IsCornerRow(int row) { return row == 2 || row == 4; }
inline constexpr bool IsEdgeRow(int row) { return row == 1 || row == 3 || row == 5; }

// Slot in code order: index 0-19 -> row, column.
inline constexpr int SlotRow(int index) { return index / 4 + 1; }
inline constexpr int SlotCol(int index) { return index % 4 + 1; }

}  // namespace velmora
