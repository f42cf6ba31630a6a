#pragma once
// The flat net of the cube: its drawing (both modes) and the hit tests and mouse rules
// that the net pane and, in input mode, the 3D pane share.
//
// Cells are the records of the model's FaceletTable: 0-53 the stickers face by face
// (T F R P L B, nine each in reading order, the fifth the centre), 54-62 the repeats
// around B, 63-70 the eight palette swatches of the input net.
#include <string_view>

#include "document/cube_input.h"
#include "document/lesson.h"

class QPainter;
class QSize;

namespace velmora {

class CTarnexSource;
class CVelmoraDoc;

// Draws the net with the colours (colourSettings layout); the caller has filled the
// surface with the background colour. In input mode the colour counts are taken
// first, so that the palette and the input check read the same figures. With an
// active lesson (outside input mode) the stickers are drawn by their lights: dimmed
// ones desaturated, the stage's framed in bright orange; the block of the face about
// to turn is framed in the text colour.
void DrawNet(QPainter& p, CTarnexSource& m, const int colours[10], const LessonView* lesson = nullptr);

// Width and height, in unscaled pixels, of the picture DrawNet makes: the designed
// 280 x 376 pane for the net; in cube input wide enough for the palette swatches and
// their texts as well.
QSize NetExtent(const CTarnexSource& m);
// The scale at which a picture of extent fits a pane of size whole.
double NetFitScale(const QSize& pane, const QSize& extent);

// Face 1-6 whose block (first cell's top left to ninth cell's bottom right) contains
// (x, y) strictly; 0 for none.
int FaceBlockAt(const CTarnexSource& m, int x, int y);
// First of the 63 net cells containing (x, y) strictly; -1 for none.
int NetCellAt(const CTarnexSource& m, int x, int y);

// A left click on the net outside input mode, with Shift or Ctrl as the only modifier
// (shift / ctrl) or neither: turns the face hit, or describes the sticker hit, or
// shows how to turn faces. A face turn runs as a typed command
// (CVelmoraDoc::RunTypedCommand): the same history entry, texts and animation.
void NetClick(CVelmoraDoc& doc, int x, int y, bool shift, bool ctrl);
// The colour choice of a right click at (x, y): a palette swatch in input mode, or the
// centre cell of a face, opens the colour dialog on that colour.
void ColourChoice(CVelmoraDoc& doc, int x, int y);
// The right double click: the colour dialog on the border colour.
void ChooseBorderColour(CVelmoraDoc& doc);

}  // namespace velmora
