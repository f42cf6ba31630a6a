#pragma once
// Sticker orders and letters of the notations that the cube file carries besides the
// program's own record. Entries of the two facelet orders are indices into the flat
// net (FaceletTable records 0-53: blocks T F R P L B, each in reading order; centres at
// 4, 13, 22, 31, 40, 49).
#include <array>
#include <string_view>

namespace velmora {

// Standard export letters by face number (index 0 a space; 1-6 U F R B L D; 7 "?" the
// input net's border mark, 8 "@" its delete mark).
inline constexpr std::string_view kExportLetters = " UFRBLD?@";

// Letters of the cube applet's "pos" parameter by colour number 0-7.
inline constexpr std::string_view kAppletColourLetters = "gcfbdaeh";

// The program's face letters in face-number order (index 0 is face 1).
inline constexpr std::string_view kProgramFaceLetters = "TFRPLB";

// Cube Explorer face letters, in the same order as kProgramFaceLetters:
// T->U, F->F, R->R, P->B, L->L, B->D.
inline constexpr std::string_view kExplorerFaceLetters = "UFRBLD";

// Header of the ACUBE position line: the twelve edges, two spaces, the eight corners.
inline constexpr std::string_view kAcubeHeader =
    "UF UR UB UL DF DR DB DL FR FL BR BL  UFR URB UBL ULF DRF DFL DLB DBR";

// The 70 characters of the ACUBE position line, aligned with kAcubeHeader (and two
// trailing spaces past its end): a facelet index, or -1 for a space.
inline constexpr std::array<int, 70> kAcubeFaceletOrder = {
    7, 10, -1, 5, 21, -1, 1, 34, -1, 3, 41, -1, 46, 16, -1, 50, 23, -1,
    52, 28, -1, 48, 39, -1, 14, 25, -1, 12, 43, -1, 32, 19, -1, 30, 37, -1,
    -1, 8, 11, 24, -1, 2, 18, 35, -1, 0, 33, 38, -1, 6, 44, 9, -1,
    47, 26, 17, -1, 45, 15, 42, -1, 51, 36, 27, -1, 53, 29, 20, -1, -1,
};

// The 54 characters of the applet's "pos" parameter: facelet indices in its order.
inline constexpr std::array<int, 54> kAppletFaceletOrder = {
    33, 34, 35, 30, 31, 32, 27, 28, 29,
    15, 16, 17, 12, 13, 14, 9, 10, 11,
    6, 7, 8, 3, 4, 5, 0, 1, 2,
    24, 25, 26, 21, 22, 23, 18, 19, 20,
    47, 46, 45, 50, 49, 48, 53, 52, 51,
    44, 41, 38, 43, 40, 37, 42, 39, 36,
};

// Facelet index of the centre of face position 1-6 (index 0 unused).
inline constexpr std::array<int, 7> kCentreFacelets = {-1, 4, 13, 22, 31, 40, 49};

static_assert(kAcubeHeader.size() + 2 == kAcubeFaceletOrder.size());

}  // namespace velmora
