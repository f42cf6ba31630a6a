#include "model/facelet_string.h"

#include <array>

namespace velmora {
namespace {

constexpr std::string_view kStandardLetters = " UFRBLD";  // by face number 1-6
constexpr std::string_view kFaceOrder = "URFDLB";

// For each place of the facelet string: slot code and sticker, or 0 and the face
// number for a centre.
constexpr std::array<std::array<int, 2>, 54> kStringPlaces = {{
    // U
    {23, 1}, {13, 1}, {22, 1}, {14, 1}, {0, 1}, {12, 1}, {24, 1}, {11, 1}, {21, 1},
    // R
    {21, 3}, {12, 2}, {22, 2}, {31, 2}, {0, 3}, {32, 1}, {41, 3}, {52, 1}, {42, 1},
    // F
    {24, 3}, {11, 2}, {21, 2}, {34, 2}, {0, 2}, {31, 1}, {44, 3}, {51, 1}, {41, 1},
    // D
    {44, 2}, {51, 2}, {41, 2}, {54, 2}, {0, 6}, {52, 2}, {43, 2}, {53, 2}, {42, 2},
    // L
    {23, 3}, {14, 2}, {24, 2}, {33, 2}, {0, 5}, {34, 1}, {43, 3}, {54, 1}, {44, 1},
    // B
    {22, 3}, {13, 2}, {23, 2}, {32, 2}, {0, 4}, {33, 1}, {42, 3}, {53, 1}, {43, 1},
}};

int FaceOfLetter(char c) {
    std::size_t i = kStandardLetters.find(c);
    return (c == ' ' || i == std::string_view::npos) ? 0 : static_cast<int>(i);
}

}  // namespace

void WriteFaceletString(const CTarnexSource& m, bool byCentre, char out[55]) {
    for (int i = 0; i < 54; ++i) {
        const auto& place = kStringPlaces[static_cast<std::size_t>(i)];
        int colour = place[0] == 0 ? m.StickerColour(place[1] - 1, 0, 0)
                                   : m.StickerColour(place[0] / 10, place[0] % 10, place[1]);
        int face = colour;
        if (byCentre) {
            face = 0;
            for (int k = 1; k <= 6; ++k)
                if (m.centreColours[m.cube.centres[k]] == colour) face = k;
        }
        out[i] = face >= 1 && face <= 6 ? kStandardLetters[static_cast<std::size_t>(face)] : '?';
    }
    out[54] = '\0';
}

int FaceletPlace(int slot, int sticker) {
    for (int i = 0; i < 54; ++i) {
        const auto& place = kStringPlaces[static_cast<std::size_t>(i)];
        if (place[0] == slot && place[1] == sticker) return i;
    }
    return -1;
}

bool ReadFaceletString(const CTarnexSource& m, std::string_view text, int net[kFaceletCount]) {
    if (text.size() != 54) return false;
    int faces[54];
    for (int i = 0; i < 54; ++i) {
        faces[i] = FaceOfLetter(text[static_cast<std::size_t>(i)]);
        if (faces[i] == 0) return false;
    }
    for (int f = 0; f < 6; ++f)
        if (text[static_cast<std::size_t>(9 * f + 4)] != kFaceOrder[static_cast<std::size_t>(f)])
            return false;
    // Net cells in FaceletTable order: the same slot and sticker as a string place.
    for (int n = 0; n < kFaceletCount; ++n) {
        const FaceletRecord& r = m.FaceletTable[n];
        if (r.col == 0) { net[n] = 0; continue; }
        for (int i = 0; i < 54; ++i) {
            const auto& place = kStringPlaces[static_cast<std::size_t>(i)];
            if (place[0] == r.row * 10 + r.col && place[1] == r.sticker) {
                net[n] = faces[i];
                break;
            }
        }
    }
    return true;
}

std::string FaceletLetters(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c >= 'a' && c <= 'z') out += static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') out += c;
    }
    return out;
}

}  // namespace velmora
