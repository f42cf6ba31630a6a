#pragma once
// `velmora --sheet OUT.pdf [FILE.mf] [--method group|eight-corner|shortest]`: the
// solution sheet of a cube file (or of a new random cube) written as a PDF without a
// window, on Qt's offscreen platform.

namespace velmora {

// Runs the sheet command when the arguments ask for it (before any application object
// exists): returns its exit status, 0 when the sheet was written and 2 with a message
// on standard error otherwise; -1 when --sheet is not among the arguments.
int RunSheetCommand(int argc, char** argv);

}  // namespace velmora
