#pragma once
// Hit tests of the input net, shared by the document's input handlers and the panes
// that draw the net. Cells are FaceletTable records: 0-53 the stickers, 63-70 the
// eight palette swatches. Every test is strict: a point on a cell's edge is outside.
#include "model/tarnex_source.h"

namespace velmora {

// Palette swatch 1-8 hit strictly (inside the swatches' x range and one swatch's y
// range, the first such swatch); 0 for none.
int PaletteSwatchAt(const CTarnexSource& m, int x, int y);
// First of the 54 sticker cells containing (x, y) strictly; -1 for none.
int FaceletCellAt(const CTarnexSource& m, int x, int y);
// The selectedColour of palette swatch 1-8: the face colours 1-6, 8 the border colour,
// 9 the erase colour.
inline int SwatchColour(int swatch) { return swatch <= 6 ? swatch : swatch + 1; }

}  // namespace velmora
