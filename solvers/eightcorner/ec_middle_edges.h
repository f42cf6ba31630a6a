#pragma once
// Table of the eight-corner method's stage 7 (the middle edges 32, 33, 34): 11 formulas
// keyed by 100 x (home column of the edge in slot 32) + 10 x (twist in slot 32) +
// (twist in slot 33). Kept in a header so the tests can check every row.
#include <array>
#include <string_view>

namespace velmora::middle_edges {

struct KeyedFormula {
    int key;
    std::string_view formula;
};

// Run with no pre-turn; in key order.
inline constexpr std::array<KeyedFormula, 11> kFormulas{{
    {201, "F+;L-;T+;F-;L+;B-;T+;P-;L+;T-;P+;L-;"},
    {210, "F+;L-;T+;F-;L+;T*;B*;R-;P+;T-;R+;P-;"},
    {211, "L+;P-;T+;L-;P+;T+;B-;R-;P+;T-;R+;P-;"},
    {300, "L+;F+;P-;T+;P*;T-;F-;P+;L+;P*;L*;"},
    {301, "F+;T+;B-;L-;P*;L+;T-;B+;F-;L*;"},
    {310, "P*;L+;F-;P+;B-;P*;B+;F+;P-;L-;"},
    {311, "L*;T+;B-;P*;"},
    {400, "F+;T-;B+;R+;P*;R-;T+;B-;F+;R*;F*;"},
    {401, "P*;T-;B+;L*;"},
    {410, "L*;F+;T+;B-;L-;P*;L+;T-;B+;F-;"},
    {411, "L+;F-;P+;B-;P*;B+;F+;P-;L-;P*;"},
}};

}  // namespace velmora::middle_edges
