#pragma once
// What a stage of a solving method is for, as data beside each solver: its name, its
// goal in words for a beginner, and the pieces it brings home.
//
// A stage's piece is named by a slot code rc (cube_state.h), or for a centre by 0f, the
// face position f (1-6) whose centre it is. Each piece has one goal:
//   Placed   - the slot holds its own piece, turned right;
//   Oriented - the slot holds a piece whose colour of the slot's layer faces that
//              layer's face (the top colour up in rows 1-2, the bottom colour down in
//              rows 4-5); a centre is oriented when it is turned home.
// How "its own piece" and "the layer's colour" are read depends on the stage's frame.
// Goals are judged on the cube held upright (centre 1 on top, centre 2 in front).
#include <span>
#include <string_view>

namespace velmora {

enum class PieceGoal : unsigned char { Placed, Oriented };

enum class GoalFrame : unsigned char {
    // Placed: the piece of home rc in slot rc with twist 0. Oriented: a piece of the
    // slot's own row with twist 0.
    Fixed,
    // As Fixed, except that the top layer (rows 1-2) is judged as if turned so that the
    // corner in slot 21 were home, and the bottom layer (rows 4-5) likewise by the
    // corner in slot 41: the pieces of a layer are right relative to each other, and
    // the layer itself is turned home at the end.
    Layers,
    // Oriented only: in rows 1, 2, 4, 5 the sticker on the top or bottom face shows the
    // top or the bottom colour; in row 3 the slot holds a middle-layer piece with its
    // front or back colour on the front or back face. A cube whose every piece is so
    // oriented is restored by turns of the top and bottom and half turns of the sides.
    Axis,
    // Pieces are centres; Oriented: the centre of that face turned home.
    Centres,
};

struct StagePiece {
    int slot;
    PieceGoal goal;
};

// One stage of a method. A stage is found in a solution record by the marker that
// ends it; "" is the part after the last marker.
struct StageLesson {
    std::string_view marker;
    std::string_view name;  // as the solution sheet names the stage
    std::string_view goal;  // one or two plain sentences for a beginner
    GoalFrame frame;
    std::span<const StagePiece> pieces;
    // How many of pieces the stage brings home: all of them (0), or at least this many
    // (the stage chooses which).
    int atLeast = 0;
};

// A formula that the method's tables name by what it does: its moves as the record
// holds them ("R+;B-;R-;") and the words for it.
struct FormulaLesson {
    std::string_view moves;
    std::string_view does;
};

// All stages of a method (methodUsed number), in the method's order of work.
struct MethodLesson {
    int method;
    std::span<const StageLesson> stages;
    std::span<const FormulaLesson> formulas;
};

}  // namespace velmora
