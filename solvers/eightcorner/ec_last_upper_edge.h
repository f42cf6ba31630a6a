#pragma once
// Table of the eight-corner method's stage 6 (last upper edge with middle edge 31): 79
// formulas keyed by where the missing upper edge and middle edge 31 stand. Kept in a
// header so the tests can check every row.
//
// Key digits E H A G M B: E H give the place of the missing upper edge (1 1 the free
// slot, 3 x middle slot 3x) and A its twist; G M B the same for middle edge 31.
#include <array>
#include <string_view>

namespace velmora::last_upper_edge {

struct KeyedFormula {
    int key;
    std::string_view formula;
};

// Run with the free-slot pre-turn; in key order.
inline constexpr std::array<KeyedFormula, 79> kFormulas{{
    {110311, "F+;R-;B+;F-;R+;T+;B-;F-;L+;B-;F+;L-;"},
    {110320, "L+;T-;B+;F-;R*;F+;T+;B-;L-;F*;"},
    {110321, "R*;T-;B+;P*;"},
    {110330, "L*;T-;B+;F*;"},
    {110331, "F+;R-;L+;B-;L*;B+;R+;L-;F-;L*;"},
    {110340, "F+;R+;L-;T-;R*;T+;R-;L+;F-;R*;"},
    {110341, "F*;T+;B-;L*;"},
    {111310, "T*,L+;T-;L-;T-;L*;B+;F+;T+;F-;B*;P*;"},
    {111311, "T-;R+;T+;B-;F+;T+;B-;L+;T+;B-;P+;"},
    {111320, "T-;R+;T+;B-;F-;T+;B-;L-;T+;B-;P+;"},
    {111321, "T+;F+;L+;F*;L-;T-;F-;L+;B*;R*;B*;L-;"},
    {111330, "T*;P-;T-;B+;L+;T-;B+;F+;T-;B+;R-;"},
    {111331, "T+;L+;T+;B-;F+;R+;L-;T*;B-;R-;L+;F+;"},
    {111340, "T-;R-;T-;B+;P+;T-;B+;L+;T-;B+;F-;"},
    {111341, "T-;F-;T+;F+;T+;F*;B-;L-;T-;L+;T*;L*;"},
    {310110, "T-;F*;B*;L-;P*;B*;F*;R-;"},
    {310111, "T-;F+;T+;F+;T+;B-;L-;T-;L-;"},
    {310320, "T+;P+;T+;P-;T+;B-;R+;T-;R-;"},
    {310321, "T+;R+;F-;P+;T*;F+;P-;R+;"},
    {310330, "T+;L+;T+;B-;P*;T+;B-;R+;"},
    {310331, "T+;F+;T-;R+;F-;T-;B+;R+;P-;T+;R-;"},
    {310340, "T-;F+;T+;F-;T-;B+;R+;T-;R-;"},
    {310341, "T+;L+;T*;P*;B*;R+;B*;P*;"},
    {311110, "T0;L+;T+;L+;T-;B+;F-;T-;F-;"},
    {311111, "T0;R*;B*;F+;T*;L*;B*;P+;"},
    {311320, "T0;R-;T-;R+;T+;B-;F-;T+;F+;"},
    {311321, "T*;F-;L*;B*;R*;P-;B*;L*;"},
    {311330, "T*;P-;T-;B+;L*;T-;B+;F-;"},
    {311331, "T-;F-;R+;B-;F+;T+;B-;L-;B+;F-;L+;"},
    {311340, "T0;L-;T+;L+;T-;B+;F-;T-;F+;"},
    {311341, "T*;F-;R+;L-;T*;R-;L+;F-;"},
    {320110, "T0;R+;T-;R-;T-;B+;P+;T+;P-;"},
    {320111, "T0;F+;T*;L*;B*;P+;B*;L*;"},
    {320310, "T0;P+;R-;L+;T*;R+;L-;P+;"},
    {320311, "T0;F+;T+;B-;L-;F*;L-;T+;B-;P+;L*;"},
    {320330, "T+;P+;L+;P+;T+;B-;R-;P-;R-;"},
    {320331, "T+;F+;L-;B+;F-;T+;B-;L+;B-;P+;L-;"},
    {320340, "T-;R-;F*;R-;T-;B+;P+;R*;P+;"},
    {320341, "T0;R+;T-;R+;T+;B-;F-;T+;F-;"},
    {321110, "T+;R-;F-;P+;T*;F+;P-;R-;"},
    {321111, "T+;F-;T-;F+;T-;B+;R-;T+;R+;"},
    {321310, "T0;L-;T+;L+;T*;B*;R-;T-;R+;"},
    {321311, "T*;P-;T-;B+;L-;T*;B*;R+;T+;B-;F+;"},
    {321330, "T+;L-;T-;B+;F*;T-;B+;R-;"},
    {321331, "T*;R+;P+;R-;B-;R*;P-;R-;P+;B+;P*;"},
    {321340, "T+;F+;T-;F+;T-;B+;R-;T+;R-;"},
    {321341, "T+;L-;T*;F*;B*;R-;T*;P*;"},
    {330110, "T*;R+;T+;R-;T*;B*;L+;T-;L-;"},
    {330111, "T0;F+;R*;F+;T-;B+;R-;P*;R-;"},
    {330310, "T-;L+;F+;P-;T*;F-;P+;L+;"},
    {330311, "T0;F-;R+;T-;R-;T+;B-;F+;T+;F-;L+;"},
    {330320, "T+;P+;T+;P+;T+;B-;R-;T-;R-;"},
    {330321, "T0;F-;R*;T+;B-;L+;T-;B+;F-;R*;F+;"},
    {330340, "T*;F+;R-;L+;T+;R-;L+;F-;R*;L*;F-;"},
    {330341, "T+;P*;B*;L-;T*;F*;B*;R-;"},
    {331110, "T-;R-;F*;R-;T+;B-;F+;L*;F+;"},
    {331111, "T*;F+;T*;F+;T*;B*;P-;T*;P-;"},
    {331310, "T0;F-;T*;R*;B*;P-;B*;R*;"},
    {331311, "T-;F+;B+;F-;R+;T-;B+;P-;R+;B-;R-;"},
    {331320, "T-;F+;R+;B-;F-;T-;B+;R+;B+;P-;R-;"},
    {331321, "T0;F-;B*;R*;T*;P-;B*;L*;"},
    {331340, "T0;L-;T+;L-;T-;B+;F+;T-;F+;"},
    {331341, "T0;F-;L+;F*;L*;F*;L*;F*;L+;F+;"},
    {340110, "T0;R+;T-;R-;T+;B-;F+;T+;F-;"},
    {340111, "T*;F+;R+;L-;T*;R-;L+;F+;"},
    {340310, "T0;R*;T*;F+;R*;B*;L*;P+;"},
    {340311, "T0;R-;T-;P+;R-;T+;B-;F+;R-;T+;F+;"},
    {340320, "T0;R-;T-;R-;T+;B-;F+;T+;F+;"},
    {340321, "T*;F+;L*;B*;R*;P+;B*;L*;"},
    {340330, "T*;P+;T+;B-;R*;T+;B-;F+;"},
    {340331, "T+;F-;L-;F+;B+;F*;L+;F+;L-;B-;L*;"},
    {341110, "T-;L-;F*;B*;P*;R-;T*;P*;"},
    {341111, "T-;F-;T+;F+;T+;B-;L-;T-;L+;"},
    {341310, "T-;L-;F*;B*;P*;R-;B*;F*;"},
    {341311, "T*;L*;P-;T-;B+;L+;F*;L+;T-;B+;F-;"},
    {341320, "T0;F+;R*;F+;T+;B-;L-;F*;L-;"},
    {341321, "T-;F-;T+;F-;T-;B+;R+;T-;R+;"},
    {341330, "T*;L+;P-;L+;T-;B+;F-;L+;F-;"},
    {341331, "T*;F+;R+;L-;B+;R-;L+;F-;T-;B+;L-;"},
}};

}  // namespace velmora::last_upper_edge
