#pragma once
// The key-state pane of the status bar: what the focused view says about the pending
// typed key, the demonstration or cube input.
#include "model/fixed_text.h"

namespace velmora {

class CTarnexSource;

// Kinds of view that serve the pane.
inline constexpr int kNetViewKind = 1;
inline constexpr int kCubeViewKind = 2;
inline constexpr int kSolutionViewKind = 3;

// The text whose width sizes the pane: "准备执行以“B”开始的指令" and 15 blanks.
inline constexpr const char* kKeyPaneSizingText = "准备执行以“B”开始的指令               ";

struct KeyPaneState {
    FixedText<127> text;
    bool poppedOut = false;
    bool enabled = false;
};

// The pane's state for the view of the given kind.
KeyPaneState KeyPaneFor(const CTarnexSource& m, int viewKind);

}  // namespace velmora
