#pragma once
// A text taken from the user, made safe to quote in a message: control characters,
// the marks that turn the direction of writing, and bytes that are no UTF-8 are
// written as escapes, so a message never carries them raw.
#include <string>
#include <string_view>

namespace velmora {

// text with every control byte (below 32, and 127) and every byte outside a valid
// UTF-8 sequence written as \xNN, and the invisible direction marks (U+200E, U+200F,
// U+061C, U+202A-U+202E, U+2066-U+2069) as \uNNNN; everything else as it is.
std::string ShownText(std::string_view text);

// True for a byte that may not stand in a move text: a control byte other than the
// blanks (tab, line feed, vertical tab, form feed, carriage return), or 127.
bool IsForbiddenControl(unsigned char c);

// Index of the first forbidden control byte of text, or npos.
std::size_t FindForbiddenControl(std::string_view text);

// The place of byte index at in text, counted in characters from 1.
int CharacterPlace(std::string_view text, std::size_t at);

}  // namespace velmora
