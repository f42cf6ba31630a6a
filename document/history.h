#pragma once
// The records of the two undo histories. A HistoryRecord is a full snapshot of what
// defines a position and its solution; an InputRecord holds the 54 painted stickers of
// one step of cube input. Both rings hold kHistoryCapacity entries and are allocated
// once with the document; saving into an entry copies into its fixed buffers and never
// allocates.
#include <string>
#include <string_view>

#include "model/cube_state.h"
#include "model/fixed_text.h"
#include "model/tarnex_source.h"

namespace velmora {

inline constexpr int kHistoryCapacity = 128;
// Longest history name in display units: an ASCII character counts one, any other
// character two (its width on screen and in the 8-bit encoding). Longer names are cut
// before the first character that does not fit, never inside a character.
inline constexpr int kHistoryNameLength = 20;
// Bytes of a name field: 20 units of two-unit characters are at most 30 bytes, and NUL.
inline constexpr int kHistoryNameBytes = 32;

struct HistoryRecord {
    // The command executed from this position, or empty for a position saved by undo.
    char name[kHistoryNameBytes] = {};
    int demoPos = kRecordMovesStart;
    int turnCounter = 0;
    FixedText<kRecordCapacity> solution;  // the SolutionRecord text
    CubeState current{};
    CubeState start{};
    int methodUsed = 1;
    int methodChoice = 1;
    FixedText<kRecordCapacity> commandText;
    // For the automatic demonstration's deal, which makes the document untitled: the
    // file the document had before it (empty when it had none) and whether it held
    // unsaved changes, so that undoing the deal gives the cube back under its name.
    std::string detachedPath;
    bool detachedModified = false;
};

// Copies name into field, cut to kHistoryNameLength units; returns the bytes kept.
std::size_t CutHistoryName(std::string_view name, char (&field)[kHistoryNameBytes]);

struct InputRecord {
    // '#' for a step of the input tool, otherwise the letter of the painted colour;
    // NUL for the entry that starts input.
    char marker = '\0';
    int facelets[kFaceletCount] = {};
};

}  // namespace velmora
