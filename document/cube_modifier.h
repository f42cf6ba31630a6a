#pragma once
// The edits of the modify-cube dialog on a copy of the position: exchanging two edges
// or two corners, flipping an edge, twisting a corner, turning a centre on its own,
// and restoring everything. Each edit is logged in words. Nothing is checked: a copy
// that cannot be solved is the solver's to report.
//
// Edge list entries 0-11 are the slots 11-14, 31-34, 51-54; corner list entries 0-7
// are the slots 21-24, 41-44.
#include <array>
#include <string>
#include <string_view>

#include "model/cube_state.h"

namespace velmora {

inline constexpr int kEdgeListSize = 12;
inline constexpr int kCornerListSize = 8;

inline constexpr std::array<std::string_view, kEdgeListSize> kEdgeCaptions{
    "11上边块", "12上边块", "13上边块", "14上边块", "31中边块", "32中边块",
    "33中边块", "34中边块", "51下边块", "52下边块", "53下边块", "54下边块"};
inline constexpr std::array<std::string_view, kCornerListSize> kCornerCaptions{
    "21上角块", "22上角块", "23上角块", "24上角块", "41下角块", "42下角块", "43下角块", "44下角块"};

inline constexpr std::string_view kModifyLogStart = "执行的命令：";
inline constexpr std::string_view kModifyLogRestored = "强制复原后执行的命令：";

class CubeModifier {
public:
    // Starts on a copy whose centre turns are in 0-3; the log starts afresh.
    explicit CubeModifier(const CubeState& copy);

    // Each edit takes list entries; an entry outside its list changes nothing and
    // returns false.
    bool ExchangeEdges(int first, int second);
    bool ExchangeCorners(int first, int second);
    bool FlipEdge(int entry);
    bool TwistCorner(int entry);
    // Turns the centre in face position face (1-6) a clockwise quarter turn.
    bool TurnCentre(int face);
    // The solved cube; the log starts again with kModifyLogRestored.
    void Restore();

    const CubeState& Cube() const { return cube_; }
    const std::string& Log() const { return log_; }

private:
    CubeState cube_;
    std::string log_;
};

}  // namespace velmora
