// Eight-corner method, stage 2: the twists of the top corners. The twists of slots 21,
// 22 and 23 (the fourth follows from them) select one formula and a pre-turn of the
// top; one application leaves every top corner with twist 0 and the bottom corners good.
#include "solvers/eightcorner/ec_common.h"
#include "solvers/eightcorner/ec_tables.h"

namespace velmora {
namespace ec {
namespace {

constexpr std::array<TopTwistFormula, 7> kTopTwistFormulas{{
    { 2, "T*;R+;T*;R-;T-;R+;T-;R-;" },
    { 3, "T0;R+;T+;R-;T+;R+;T*;R-;" },
    { 4, "T0;R*;T*;R+;T*;R*;" },
    { 5, "T0;R+;T+;R*;F-;R*;T+;R-;" },
    { 6, "T-;R-;T-;F-;T+;F+;R+;" },
    { 7, "T*;R+;T+;R-;T-;F-;T-;F+;" },
    { 8, "T+;F-;T+;F+;T+;R+;T-;R-;" },
}};

// Key: twists of slots 21, 22, 23 as decimal digits.
constexpr std::array<TopTwistKey, 26> kTopTwistKeys{{
    {   1, 7, 3 },
    {   2, 6, 0 },
    {  10, 8, 2 },
    {  11, 3, 1 },
    {  12, 7, 2 },
    {  20, 8, 0 },
    {  21, 6, 3 },
    {  22, 2, 1 },
    { 100, 6, 1 },
    { 101, 3, 2 },
    { 102, 8, 1 },
    { 110, 3, 3 },
    { 111, 3, 0 },
    { 112, 5, 0 },
    { 120, 7, 1 },
    { 121, 4, 0 },
    { 122, 5, 3 },
    { 200, 7, 0 },
    { 201, 8, 3 },
    { 202, 2, 2 },
    { 210, 6, 2 },
    { 211, 5, 1 },
    { 212, 4, 1 },
    { 220, 2, 3 },
    { 221, 5, 2 },
    { 222, 2, 0 },
}};

std::string_view FormulaOf(int id) {
    for (const TopTwistFormula& f : kTopTwistFormulas)
        if (f.id == id) return f.formula;
    return {};
}

}  // namespace

std::span<const TopTwistFormula> TopTwistFormulas() { return kTopTwistFormulas; }
std::span<const TopTwistKey> TopTwistKeys() { return kTopTwistKeys; }

}  // namespace ec

void CTarnexSource::EightCornerTopTwist() {
    const int key = 100 * cube.pieces[2][1].twist + 10 * cube.pieces[2][2].twist + cube.pieces[2][3].twist;
    for (const ec::TopTwistKey& k : ec::TopTwistKeys()) {
        if (k.key != key) continue;
        ec::AppendStageId(*this, 2, k.id, true);
        ec::RunWithPreTurn(*this, k.preTurn, ec::FormulaOf(k.id));
        return;
    }
    ec::AppendStageId(*this, 2, 1, false);
}

}  // namespace velmora
