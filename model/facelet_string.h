#pragma once
// The 54-letter facelet string that cube programs exchange: faces in the order
// U R F D L B, nine letters each, each face read row by row as seen from outside it
// (U with its back edge at the top, D with its front edge at the top, the side faces
// with their top edge at the top).
#include <string>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

// byCentre: each sticker as the face whose centre now shows its colour; otherwise as
// the face that shows that colour on the solved cube held upright. out gets 54
// letters and a NUL.
void WriteFaceletString(const CTarnexSource& m, bool byCentre, char out[55]);

// Turns a facelet string (letters U R F D L B by the colour of the centres) into the
// painted input net laid out by the model's FaceletTable (its order, centres at turn 0). Returns
// false, leaving the net alone, when the text is not 54 of those letters or a centre
// is not the letter of its own face.
bool ReadFaceletString(const CTarnexSource& m, std::string_view text, int net[kFaceletCount]);

// The letters of a typed or pasted facelet string in capitals, as the input tool reads
// it: blanks, separators and any other characters between them are passed over.
std::string FaceletLetters(std::string_view text);

// Place (0-53) in the facelet string of sticker `sticker` (1-3) of slot rc; for the
// centre of face position f (1-6) pass slot 0 and sticker f. -1 for no such sticker.
int FaceletPlace(int slot, int sticker);

}  // namespace velmora
