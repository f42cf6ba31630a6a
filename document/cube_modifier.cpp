#include "document/cube_modifier.h"

#include <utility>

namespace velmora {

namespace {

constexpr std::string_view kFaceLetters = " TFRPLB";

// Slot of an edge list entry: rows 1, 3, 5; of a corner list entry: rows 2, 4.
PieceSlot& EdgeSlot(CubeState& s, int entry) { return s.pieces[1 + 2 * (entry / 4)][entry % 4 + 1]; }
PieceSlot& CornerSlot(CubeState& s, int entry) { return s.pieces[2 + 2 * (entry / 4)][entry % 4 + 1]; }

bool InRange(int entry, int size) { return entry >= 0 && entry < size; }

}  // namespace

CubeModifier::CubeModifier(const CubeState& copy) : cube_(copy), log_(kModifyLogStart) {}

bool CubeModifier::ExchangeEdges(int first, int second) {
    if (!InRange(first, kEdgeListSize) || !InRange(second, kEdgeListSize)) return false;
    log_ += "\r\n互换 ";
    log_ += kEdgeCaptions[static_cast<std::size_t>(first)];
    log_ += "，";
    log_ += kEdgeCaptions[static_cast<std::size_t>(second)];
    log_ += " 的位置； ";
    std::swap(EdgeSlot(cube_, first), EdgeSlot(cube_, second));
    return true;
}

bool CubeModifier::ExchangeCorners(int first, int second) {
    if (!InRange(first, kCornerListSize) || !InRange(second, kCornerListSize)) return false;
    log_ += "\r\n互换 ";
    log_ += kCornerCaptions[static_cast<std::size_t>(first)];
    log_ += "，";
    log_ += kCornerCaptions[static_cast<std::size_t>(second)];
    log_ += " 的位置； ";
    std::swap(CornerSlot(cube_, first), CornerSlot(cube_, second));
    return true;
}

bool CubeModifier::FlipEdge(int entry) {
    if (!InRange(entry, kEdgeListSize)) return false;
    log_ += "\r\n改变 ";
    log_ += kEdgeCaptions[static_cast<std::size_t>(entry)];
    log_ += " 的色向； ";
    PieceSlot& p = EdgeSlot(cube_, entry);
    p.twist = (p.twist + 1) % 2;
    return true;
}

bool CubeModifier::TwistCorner(int entry) {
    if (!InRange(entry, kCornerListSize)) return false;
    log_ += "\r\n改变 ";
    log_ += kCornerCaptions[static_cast<std::size_t>(entry)];
    log_ += " 的色向； ";
    PieceSlot& p = CornerSlot(cube_, entry);
    p.twist = (p.twist + 1) % 3;
    return true;
}

bool CubeModifier::TurnCentre(int face) {
    if (face < 1 || face > 6) return false;
    cube_.centreTurns[face] = ((cube_.centreTurns[face] + 1) % 4 + 4) % 4;
    log_ += "\r\n";
    log_ += kFaceLetters[static_cast<std::size_t>(face)];
    log_ += "面中心小块顺时针转90度后色向为";
    log_ += static_cast<char>('0' + cube_.centreTurns[face]);
    log_ += "；";
    return true;
}

void CubeModifier::Restore() {
    log_.assign(kModifyLogRestored);
    cube_.SetSolved();
}

}  // namespace velmora
