#pragma once
// How the panes mark learn mode on the cube: the light of each sticker they draw, the
// colour of a dimmed sticker, and the layer the next move turns (outlined before it
// turns). Plain functions of the model and the lesson, shared by the 3D view, the net
// and the solution sheet so that all three mark the same stickers the same way.
#include <string_view>

#include "document/lesson.h"
#include "model/facelet_string.h"
#include "model/tarnex_source.h"

namespace velmora {

// The outline of a sticker the current stage brings home: bright orange (red in the
// lowest byte), a colour no face has by default.
inline constexpr int kStageOutlineColour = 0x008cff;

// A sticker neither home nor of the stage: its colour desaturated and drawn towards a
// middle grey, so that it stays readable but recedes.
int DimmedColour(int colourRef);

// One of the nine layers: axis 0 x (towards R), 1 y (towards T), 2 z (towards F) and the
// slice -1, 0 or 1 along it; face is the letter of a face layer (T F R P L B), or H / V
// for the middle layers those tokens turn.
struct LayerMark {
    bool shown = false;
    int axis = 1;
    int slice = 1;
    char face = 0;
};

// The layer a move token in the program's own notation turns: T F R P L B and the
// middle layers H and V with +, - or *. Rotations and other tokens turn no one layer.
LayerMark LayerOfToken(std::string_view token);

// The token at or after record position pos (the one the next step demonstrates from
// demoPos); empty at the end of the record.
std::string_view TokenFrom(std::string_view record, int pos);

// The layer the panes outline: while practising, the layer of the hint (none without
// one); otherwise the layer of the move the next step demonstrates. None when the
// lesson is not active.
LayerMark MarkedLayer(const LessonView& lesson, std::string_view record, int demoPos);

// The facelet-string place of a sticker named as StickerColour names it (slot row and
// column with the sticker 1-3, or column 0 and row 0-5 for the centre of face position
// row + 1); -1 for none.
inline int StringPlaceOf(int row, int column, int sticker) {
    return column == 0 ? FaceletPlace(0, row + 1) : FaceletPlace(10 * row + column, sticker);
}

// The light of a sticker named as StickerColour names it (slot and sticker 1-3, or
// column 0 and the face position - 1 for a centre). Home when the lesson is not active.
StickerLight LightOf(const LessonView& lesson, int row, int column, int sticker);

// The light of cell 0-62 of the model's net (FaceletTable order, the repeats included).
StickerLight NetCellLight(const CTarnexSource& m, const LessonView& lesson, int cell);

}  // namespace velmora
