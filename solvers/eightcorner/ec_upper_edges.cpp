// Eight-corner method, stage 4: upper edges into their top slots, one (or a flipped
// pair) per pass, until at least three upper edge slots are correct. Every formula
// keeps the corners and the upper edges already correct; it may turn the top layer as
// a whole. The fourth top slot stays free as the working space of the later stages.
#include "solvers/eightcorner/ec_common.h"
#include "solvers/eightcorner/ec_tables.h"

namespace velmora {
namespace ec {
namespace {

// Flipped pairs: both slots hold their own upper edge with twist 1.
constexpr std::array<FlippedPairRule, 6> kFlippedPairRules{{
    { 1, 11, 12, "F-;R+;T+;B-;F*;T*;B*;P+;R+;" },
    { 2, 12, 13, "P+;R+;T*;B*;L*;T+;B-;P+;L-;" },
    { 3, 13, 14, "L+;P+;T*;B*;F*;T+;B-;L+;F-;" },
    { 4, 14, 11, "F+;L+;T*;B*;R*;T+;B-;F+;R-;" },
    { 5, 11, 13, "F+;P+;T+;B-;L*;T*;B*;R+;L-;" },
    { 6, 12, 14, "R+;L+;T+;B-;F*;T*;B*;F-;P+;" },
}};

// Group A: edges from the middle and bottom layers.
constexpr std::array<UpperEdgeRule, 52> kRulesA{{
    { "A1", 31, 0, 3, "P-;T+;B-;R+;" },
    { "A2", 31, 1, 3, "P+;T*;B*;F-;" },
    { "A3", 31, 0, 4, "L-;T*;B*;R+;" },
    { "A4", 31, 1, 4, "L+;T-;B+;F-;" },
    { "A5", 32, 0, 1, "F-;T*;B*;P+;" },
    { "A6", 32, 1, 1, "F+;T-;B+;R-;" },
    { "A7", 32, 0, 4, "L-;T+;B-;P+;" },
    { "A8", 32, 1, 4, "L+;T*;B*;R-;" },
    { "A9", 33, 0, 1, "F-;T+;B-;L+;" },
    { "A10", 33, 1, 1, "F+;T*;B*;P-;" },
    { "A11", 33, 0, 2, "R-;T*;B*;L+;" },
    { "A12", 33, 1, 2, "R+;T-;B+;P-;" },
    { "A13", 34, 0, 2, "R-;T+;B-;F+;" },
    { "A14", 34, 1, 2, "R+;T*;B*;L-;" },
    { "A15", 34, 0, 3, "P-;T*;B*;F+;" },
    { "A16", 34, 1, 3, "P+;T-;B+;L-;" },
    { "A17", 51, 0, 1, "F+;T+;B-;L-;" },
    { "A18", 52, 0, 2, "R+;T+;B-;F-;" },
    { "A19", 53, 0, 3, "P+;T+;B-;R-;" },
    { "A20", 54, 0, 4, "L+;T+;B-;P-;" },
    { "A21", 31, 0, 1, "T+;L-;T*;B*;R+;" },
    { "A22", 31, 1, 1, "T+;L+;T-;B+;F-;" },
    { "A23", 31, 0, 2, "T*;L-;T*;B*;R+;" },
    { "A24", 31, 1, 2, "T*;L+;T-;B+;F-;" },
    { "A25", 32, 0, 2, "T+;F-;T*;B*;P+;" },
    { "A26", 32, 1, 2, "T+;F+;T-;B+;R-;" },
    { "A27", 32, 0, 3, "T*;F-;T*;B*;P+;" },
    { "A28", 32, 1, 3, "T*;F+;T-;B+;R-;" },
    { "A29", 33, 0, 3, "T+;R-;T*;B*;L+;" },
    { "A30", 33, 1, 3, "T+;R+;T-;B+;P-;" },
    { "A31", 33, 0, 4, "T*;R-;T*;B*;L+;" },
    { "A32", 33, 1, 4, "T*;R+;T-;B+;P-;" },
    { "A33", 34, 0, 1, "T*;P-;T*;B*;F+;" },
    { "A34", 34, 1, 1, "T*;P+;T-;B+;L-;" },
    { "A35", 34, 0, 4, "T+;P-;T*;B*;F+;" },
    { "A36", 34, 1, 4, "T+;P+;T-;B+;L-;" },
    { "A37", 51, 1, 1, "R+;L-;F*;R-;L+;" },
    { "A38", 51, 0, 2, "T+;F-;T-;B+;R+;" },
    { "A39", 51, 0, 3, "T*;F+;T+;B-;L-;" },
    { "A40", 51, 0, 4, "T-;F+;T+;B-;L-;" },
    { "A41", 52, 0, 1, "T-;R+;T+;B-;F-;" },
    { "A42", 52, 1, 2, "F-;P+;R*;F+;P-;" },
    { "A43", 52, 0, 3, "T+;R-;T-;B+;P+;" },
    { "A44", 52, 0, 4, "T*;R+;T+;B-;F-;" },
    { "A45", 53, 0, 1, "T*;P+;T+;B-;R-;" },
    { "A46", 53, 0, 2, "T-;P+;T+;B-;R-;" },
    { "A47", 53, 1, 3, "R-;L+;P*;R+;L-;" },
    { "A48", 53, 0, 4, "T+;P-;T-;B+;L+;" },
    { "A49", 54, 0, 1, "T+;L-;T-;B+;F+;" },
    { "A50", 54, 0, 2, "T*;L+;T+;B-;P-;" },
    { "A51", 54, 0, 3, "T-;L+;T+;B-;P-;" },
    { "A52", 54, 1, 4, "F+;P-;L*;F-;P+;" },
}};

// Group C: edges in a wrong top slot or flipped, and bottom edges with twist 1.
constexpr std::array<UpperEdgeRule, 40> kRulesC{{
    { "C1", 11, 0, 3, "T*;L*;T*;L*;T*;L*;" },
    { "C2", 11, 1, 3, "F+;R+;L-;T-;R-;L+;" },
    { "C3", 12, 0, 4, "T*;F*;T*;F*;T*;F*;" },
    { "C4", 12, 1, 4, "R+;F-;P+;T-;F+;P-;" },
    { "C5", 13, 0, 1, "T*;L*;T*;L*;T*;L*;" },
    { "C6", 13, 1, 1, "P+;R-;L+;T-;R+;L-;" },
    { "C7", 14, 0, 2, "T*;F*;T*;F*;T*;F*;" },
    { "C8", 14, 1, 2, "L+;F+;P-;T-;F-;P+;" },
    { "C9", 51, 1, 2, "B+;F-;P+;R*;F+;P-;" },
    { "C10", 51, 1, 3, "L-;B*;R-;L+;P*;R+;" },
    { "C11", 51, 1, 4, "B-;F+;P-;L*;F-;P+;" },
    { "C12", 52, 1, 1, "B-;R+;L-;F*;R-;L+;" },
    { "C13", 52, 1, 3, "B+;R-;L+;P*;R+;L-;" },
    { "C14", 52, 1, 4, "F-;B*;F+;P-;L*;P+;" },
    { "C15", 53, 1, 1, "L+;B*;R+;L-;F*;R-;" },
    { "C16", 53, 1, 2, "B-;F-;P+;R*;F+;P-;" },
    { "C17", 53, 1, 4, "B+;F+;P-;L*;F-;P+;" },
    { "C18", 54, 1, 1, "B+;R+;L-;F*;R-;L+;" },
    { "C19", 54, 1, 2, "F+;B*;F-;P+;R*;P-;" },
    { "C20", 54, 1, 3, "B-;R-;L+;P*;R+;L-;" },
    { "C21", 11, 1, 2, "F+;P+;R+;F+;P-;B-;F*;" },
    { "C22", 11, 1, 4, "F-;P-;L-;F-;P+;B+;F*;" },
    { "C23", 11, 1, 1, "F+;T+;B-;L*;T*;B*;R+;" },
    { "C24", 12, 1, 1, "R-;L-;F-;R-;L+;B+;R*;" },
    { "C25", 12, 1, 3, "R+;L+;P+;R+;L-;B-;R*;" },
    { "C26", 12, 1, 2, "R+;T+;B-;F*;T*;B*;P+;" },
    { "C27", 13, 1, 2, "F-;P-;R-;F+;P-;B+;P*;" },
    { "C28", 13, 1, 4, "F+;P+;L+;F-;P+;B-;P*;" },
    { "C29", 13, 1, 3, "P+;T+;B-;R*;T*;B*;L+;" },
    { "C30", 14, 1, 1, "R+;L+;F+;R-;L+;B-;L*;" },
    { "C31", 14, 1, 3, "R-;L-;P-;R+;L-;B+;L*;" },
    { "C32", 14, 1, 4, "L+;T+;B-;P*;T*;B*;F+;" },
    { "C33", 11, 0, 2, "L*;P*;T-;P*;L*;F*;B-;F*;" },
    { "C34", 11, 0, 4, "L*;F*;B-;F*;L*;F*;B-;F*;" },
    { "C35", 12, 0, 1, "F*;R*;B-;R*;F*;R*;B-;R*;" },
    { "C36", 12, 0, 3, "F*;L*;T-;L*;F*;R*;B-;R*;" },
    { "C37", 13, 0, 2, "L*;F*;T+;F*;L*;P*;B+;P*;" },
    { "C38", 13, 0, 4, "L*;P*;B+;P*;L*;P*;B+;P*;" },
    { "C39", 14, 0, 1, "F*;L*;B+;L*;F*;L*;B+;L*;" },
    { "C40", 14, 0, 3, "F*;R*;T+;R*;F*;L*;B+;L*;" },
}};

// Slot 1c holds its own upper edge (target column c) with twist 1.
bool FlippedInPlace(const CTarnexSource& m, int slot) {
    const PieceSlot& e = SlotAt(m, slot);
    return e.homeRow == kUpperEdgeRow && e.twist == 1 && UpperTargetColumn(m, e.homeCol) == slot % 10;
}

std::string_view MatchPairRules(const CTarnexSource& m) {
    for (const FlippedPairRule& r : kFlippedPairRules)
        if (FlippedInPlace(m, r.slotA) && FlippedInPlace(m, r.slotB)) return r.formula;
    return {};
}

constexpr FirstRuleIndex kIndexA(kRulesA);
constexpr FirstRuleIndex kIndexC(kRulesC);

// The formula of the first rule of a group that the position satisfies.
template <std::size_t N>
std::string_view MatchRules(const CTarnexSource& m, const std::array<UpperEdgeRule, N>& rules,
                            const FirstRuleIndex<UpperEdgeRule, N>& index) {
    const std::size_t at = index.Find(m, kUpperEdgeRow, m.cube.pieces[2][1].homeCol);
    return at < N ? rules[at].formula : std::string_view{};
}

// The formula for one pass; empty when no rule matches or three edges are correct.
std::string_view SelectUpperEdgeFormula(const CTarnexSource& m) {
    const int correct = CountCorrectUpperEdges(m);
    if (correct > 2) return {};
    if (correct == 1)
        if (std::string_view f = MatchPairRules(m); !f.empty()) return f;
    if (std::string_view f = MatchRules(m, kRulesA, kIndexA); !f.empty()) return f;
    if (std::string_view f = MatchPairRules(m); !f.empty()) return f;
    return MatchRules(m, kRulesC, kIndexC);
}

}  // namespace

std::span<const FlippedPairRule> FlippedPairRules() { return kFlippedPairRules; }
std::span<const UpperEdgeRule> UpperEdgeRulesA() { return kRulesA; }
std::span<const UpperEdgeRule> UpperEdgeRulesC() { return kRulesC; }

}  // namespace ec

void CTarnexSource::EightCornerUpperEdges() {
    for (int pass = 0; pass < 51; ++pass) {
        std::string_view formula = ec::SelectUpperEdgeFormula(*this);
        if (formula.empty()) return;
        RunMoveString(0, formula);
    }
}

}  // namespace velmora
