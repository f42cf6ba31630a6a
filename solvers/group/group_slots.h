#pragma once
// Slot queries of the group method's stages. Slots and pieces are named by their
// two-digit code rc (row 1-5, column 1-4, as in cube_state.h); "slot s holds p/t"
// means the piece whose home is p sits in slot s with twist t.
#include <array>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora::group {

// A short run of tokens applied one by one; unused places are empty.
using TokenList = std::array<std::string_view, 6>;

inline const PieceSlot& At(const CTarnexSource& m, int slot) {
    return m.cube.pieces[slot / 10][slot % 10];
}

// The code of the piece in a slot.
inline int PieceAt(const CTarnexSource& m, int slot) {
    const PieceSlot& p = At(m, slot);
    return p.homeRow * 10 + p.homeCol;
}

inline int TwistAt(const CTarnexSource& m, int slot) { return At(m, slot).twist; }

inline bool Holds(const CTarnexSource& m, int slot, int piece, int twist) {
    const PieceSlot& p = At(m, slot);
    return p.homeRow * 10 + p.homeCol == piece && p.twist == twist;
}

// True when the slot holds a piece whose home lies in the given row.
inline bool HoldsRow(const CTarnexSource& m, int slot, int row) { return At(m, slot).homeRow == row; }

// A slot is solved when it holds its own piece with twist 0.
inline bool SlotSolved(const CTarnexSource& m, int slot) { return Holds(m, slot, slot, 0); }

inline bool RowSolved(const CTarnexSource& m, int row) {
    for (int c = 1; c <= 4; ++c)
        if (!SlotSolved(m, row * 10 + c)) return false;
    return true;
}

// The slot that holds a piece, 0 when no slot does.
inline int FindPiece(const CTarnexSource& m, int piece) {
    const int row = piece / 10, col = piece % 10;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c) {
            const PieceSlot& p = m.cube.pieces[r][c];
            if (p.homeRow == row && p.homeCol == col) return r * 10 + c;
        }
    return 0;
}

// Column 1-4 reached from column c by n steps, cyclically (n may be negative).
constexpr int CycleColumn(int c, int n) { return ((c - 1 + n) % 4 + 4) % 4 + 1; }

// Steps (0-3) from column a forward to column b.
constexpr int ColumnSteps(int a, int b) { return ((b - a) % 4 + 4) % 4; }

// The bottom turn that carries slot 4x (or 5x) to the column `steps` further on:
// "B+" one column on, "B*" two, "B-" three; empty for none.
constexpr std::string_view BottomTurnFor(int steps) {
    switch (((steps % 4) + 4) % 4) {
        case 1: return "B+";
        case 2: return "B*";
        case 3: return "B-";
        default: return {};
    }
}

// The top turn that carries a top slot `steps` columns back (T+ carries slot 1x to
// 1(x-1), and the same in row 2): "T+" one, "T*" two, "T-" three; empty for none.
constexpr std::string_view TopTurnFor(int steps) {
    switch (((steps % 4) + 4) % 4) {
        case 1: return "T+";
        case 2: return "T*";
        case 3: return "T-";
        default: return {};
    }
}

// Applies a token unless it is empty.
inline void ApplyIf(CTarnexSource& m, std::string_view token) {
    if (!token.empty()) m.ApplyToken(token);
}

inline void ApplyTokens(CTarnexSource& m, const TokenList& tokens) {
    for (std::string_view t : tokens) {
        if (t.empty()) break;
        m.ApplyToken(t);
    }
}

}  // namespace velmora::group
