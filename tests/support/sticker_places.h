#pragma once
// Where each of the 54 stickers sits on the cube, in the 3D view's coordinates (x
// towards R, y towards T, z towards F): its cubie (-1..1 on each axis) and its outward
// normal, with the place the model keeps it (slot row and column with the sticker
// number; column 0 for the centre of face row + 1, as StickerColour takes it).
#include <array>
#include <vector>

#include "model/tarnex_source.h"

namespace velmora::test {

using Vec3i = std::array<int, 3>;

// Outward normal of face 1-6 (T F R P L B).
inline Vec3i FaceNormal(int face) {
    static constexpr int kNormals[7][3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}, {0, -1, 0}};
    return {kNormals[face][0], kNormals[face][1], kNormals[face][2]};
}

struct StickerPlace {
    Vec3i cell, normal;
    int row, col, number;
};

inline const std::vector<StickerPlace>& AllStickerPlaces() {
    static const std::vector<StickerPlace> places = [] {
        // The slots with their stickers' faces in sticker order.
        static constexpr std::pair<int, const char*> kSlots[20] = {
            {11, "TF"},  {12, "TR"},  {13, "TP"},  {14, "TL"},  {21, "TFR"}, {22, "TRP"}, {23, "TPL"},
            {24, "TLF"}, {31, "FR"},  {32, "RP"},  {33, "PL"},  {34, "LF"},  {41, "FBR"}, {42, "RBP"},
            {43, "PBL"}, {44, "LBF"}, {51, "FB"},  {52, "RB"},  {53, "PB"},  {54, "LB"}};
        constexpr std::string_view kLetters = " TFRPLB";
        std::vector<StickerPlace> out;
        for (const auto& [slot, faces] : kSlots) {
            Vec3i cell{0, 0, 0};
            for (const char* f = faces; *f; ++f)
                for (int a = 0; a < 3; ++a) cell[a] += FaceNormal(static_cast<int>(kLetters.find(*f)))[a];
            for (int k = 0; faces[k]; ++k)
                out.push_back({cell, FaceNormal(static_cast<int>(kLetters.find(faces[k]))), slot / 10, slot % 10, k + 1});
        }
        for (int face = 1; face <= 6; ++face) out.push_back({FaceNormal(face), FaceNormal(face), face - 1, 0, 0});
        return out;
    }();
    return places;
}

// The colour (face number) the model shows at a cubie's sticker facing normal; 0 for
// no such sticker.
inline int ColourAt(const CTarnexSource& m, const Vec3i& cell, const Vec3i& normal) {
    for (const StickerPlace& s : AllStickerPlaces())
        if (s.cell == cell && s.normal == normal) return m.StickerColour(s.row, s.col, s.number);
    return 0;
}

}  // namespace velmora::test
