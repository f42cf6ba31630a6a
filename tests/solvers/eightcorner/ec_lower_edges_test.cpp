#include <gtest/gtest.h>

#include <bit>
#include <ostream>
#include <random>
#include <string>

#include "solvers/eightcorner/ec_lower_edges.h"
#include "ec_last_edges_support.h"

namespace velmora::lower_edges {
void PrintTo(const LowerEdgeRule& r, std::ostream* os) { *os << "E" << r.id << " " << r.formula; }
void PrintTo(const FlippedPairRule& r, std::ostream* os) { *os << "E" << r.id << " " << r.formula; }
}  // namespace velmora::lower_edges

namespace velmora::test::edges {
namespace {

using lower_edges::ExchangedPairFormula;
using lower_edges::FlippedInPlaceLine;
using lower_edges::FlippedPairRule;
using lower_edges::kFreeSlot;
using lower_edges::LowerEdgeRule;

// A model ready for stage-5 positions.
class LowerEdgesTest : public ModelTest {
protected:
    // The slot 1f stops being correct: it takes the middle edge of `middleSlot`.
    void MakeFree(int f, int middleSlot) { SwapSlots(m(), 10 + f, middleSlot); }

    // Runs a formula as the stage does: with the free-slot pre-turn or none.
    void Run(std::string_view formula, bool fromFreeSlot) {
        m().RunMoveString(fromFreeSlot ? Pending(ec::FreeSlotColumn(m()) - 1) : 0, formula);
    }

    // The position of a rule: the bottom edge of target column `target` in `slot` with
    // `twist`; unless it stands in an upper slot, the free slot is column f.
    void BuildRuleCase(int slot, int twist, int target, int f, int top, int bottom) {
        StartLayered(m(), top, bottom);
        if (slot / 10 != 1) MakeFree(f, slot == 31 ? 32 : 31);
        SwapSlots(m(), slot, 50 + target);
        SlotRef(m(), slot).twist = twist;
    }

    // Home column of the bottom edge that belongs in bottom slot 5c.
    int BottomHomeFor(int c) const { return model->cube.pieces[4][c].homeCol; }
};

// ---- tables as data ----

TEST_F(LowerEdgesTest, EveryFormulaUsesOnlyMoveTableTokens) {
    for (const FlippedInPlaceLine& line : lower_edges::kFlippedInPlace)
        EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), line.formula)) << line.formula;
    for (const auto* table : {&lower_edges::kExchangedNeighbours, &lower_edges::kExchangedOpposites})
        for (const ExchangedPairFormula& f : *table)
            EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), f.formula)) << f.formula;
    for (const LowerEdgeRule& r : lower_edges::kRules)
        EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), r.formula)) << "E" << r.id;
    for (const FlippedPairRule& p : lower_edges::kFlippedPairs)
        EXPECT_TRUE(ec::FormulaUsesTableTokens(m(), p.formula)) << "E" << p.id;
}

TEST_F(LowerEdgesTest, FormulasWithTheFreeSlotPreTurnBeginWithATopMove) {
    for (const LowerEdgeRule& r : lower_edges::kRules)
        if (r.preTurn == kFreeSlot) {
            EXPECT_TRUE(ec::TakesPreTurn(r.formula)) << "E" << r.id;
        }
    for (const FlippedPairRule& p : lower_edges::kFlippedPairs)
        EXPECT_TRUE(ec::TakesPreTurn(p.formula)) << "E" << p.id;
    for (const FlippedInPlaceLine& line : lower_edges::kFlippedInPlace)
        if (line.preTurn == kFreeSlot) {
            EXPECT_TRUE(ec::TakesPreTurn(line.formula)) << line.formula;
        }
}

TEST_F(LowerEdgesTest, RulesAreNumberedInOrderAroundTheFlippedPairs) {
    int expected = 1;
    for (const LowerEdgeRule& r : lower_edges::kRules) {
        if (expected == 21) expected = 27;
        EXPECT_EQ(r.id, expected++);
    }
    EXPECT_EQ(expected, 99);
}

// ---- each rule, on a position of its case ----

class LowerEdgeRuleRow : public LowerEdgesTest, public ::testing::WithParamInterface<LowerEdgeRule> {};

// The rule's bottom edge ends correct; the corners, the correct upper edges and the
// correct bottom edges are kept, for every column the free slot can stand in.
TEST_P(LowerEdgeRuleRow, PlacesItsEdgeAndKeepsWhatIsDone) {
    const LowerEdgeRule& r = GetParam();
    for (int f = 1; f <= 4; ++f) {
        if (r.slot / 10 == 1 && f != r.slot % 10) continue;  // the edge stands in the free slot
        int top = (r.id + f) % 4, bottom = (r.id / 4 + f) % 4;
        BuildRuleCase(r.slot, r.twist, r.target, f, top, bottom);
        SCOPED_TRACE("free column " + std::to_string(f));
        ASSERT_EQ(ec::FreeSlotColumn(m()), f);
        ASSERT_EQ(ec::CountCorrectUpperEdges(m()), 3);
        const int edge = BottomHomeFor(r.target);
        const unsigned upper = CorrectUpperPieces(m()), lower = CorrectBottomPieces(m());
        Run(r.formula, r.preTurn == kFreeSlot);
        EXPECT_TRUE(CornersDone(m()));
        EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
        // A rule whose case also holds the edge it displaced (E35-E38: two bottom
        // edges exchanged) may correct that one too.
        const unsigned kept = lower | 1u << edge;
        EXPECT_EQ(CorrectBottomPieces(m()) & kept, kept);
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, LowerEdgeRuleRow, ::testing::ValuesIn(lower_edges::kRules),
                         [](const auto& info) { return "E" + std::to_string(info.param.id); });

class FlippedPairRow : public LowerEdgesTest, public ::testing::WithParamInterface<FlippedPairRule> {};

TEST_P(FlippedPairRow, TurnsBothEdgesAndKeepsWhatIsDone) {
    const FlippedPairRule& p = GetParam();
    for (int f = 1; f <= 4; ++f) {
        StartLayered(m(), f % 4, (p.id + f) % 4);
        MakeFree(f, 30 + (p.id % 4) + 1);
        SlotRef(m(), p.slotA).twist = 1;
        SlotRef(m(), p.slotB).twist = 1;
        SCOPED_TRACE("free column " + std::to_string(f));
        const unsigned upper = CorrectUpperPieces(m());
        Run(p.formula, true);
        EXPECT_TRUE(CornersDone(m()));
        EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
        EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, FlippedPairRow, ::testing::ValuesIn(lower_edges::kFlippedPairs),
                         [](const auto& info) { return "E" + std::to_string(info.param.id); });

// With all four upper edges correct the free slot is column 1. The formulas that pass
// the bottom edge through it may leave the upper edge of that column displaced; the
// other three stay correct, which is all the later stages need.
TEST_F(LowerEdgesTest, WithAllUpperEdgesCorrectThreeStayCorrect) {
    int displaced = 0;
    for (const LowerEdgeRule& r : lower_edges::kRules) {
        if (r.slot / 10 == 1) continue;
        StartLayered(m(), r.id % 4, 0);
        SwapSlots(m(), r.slot, 50 + r.target);
        SlotRef(m(), r.slot).twist = r.twist;
        ASSERT_EQ(ec::CountCorrectUpperEdges(m()), 4);
        const int edge = BottomHomeFor(r.target);
        const unsigned corner21 = static_cast<unsigned>(m().cube.pieces[2][1].homeCol);
        Run(r.formula, r.preTurn == kFreeSlot);
        SCOPED_TRACE("E" + std::to_string(r.id));
        EXPECT_TRUE(CornersDone(m()));
        unsigned upper = CorrectUpperPieces(m());
        EXPECT_GE(std::popcount(upper), 3);
        EXPECT_TRUE(CorrectBottomPieces(m()) & 1u << edge);
        if (std::popcount(upper) == 3) {
            EXPECT_EQ(upper | 1u << corner21, 0b11110u) << "only the edge of column 1 may go";
            ++displaced;
        }
    }
    EXPECT_EQ(displaced, 51) << "rules that displace the edge of the free slot";
}

// ---- three or four bottom edges flipped in place ----

TEST_F(LowerEdgesTest, ThreeFlippedInPlaceLinesCorrectAllFourBottomEdges) {
    for (int line = 0; line < 4; ++line) {
        const FlippedInPlaceLine& l = lower_edges::kFlippedInPlace[static_cast<std::size_t>(line)];
        for (int f = 1; f <= 4; ++f) {
            StartLayered(m(), line, f % 4);
            MakeFree(f, 31 + line);
            for (int c = 1; c <= 4; ++c)
                if (50 + c != l.correctSlot) m().cube.pieces[5][c].twist = 1;
            SCOPED_TRACE("line " + std::to_string(line) + ", free column " + std::to_string(f));
            const unsigned upper = CorrectUpperPieces(m());
            Run(l.formula, true);
            EXPECT_TRUE(CornersDone(m()));
            EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
            EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
        }
    }
}

TEST_F(LowerEdgesTest, FourFlippedInPlaceRunsTheLastLineWithoutPreTurn) {
    for (int f = 1; f <= 4; ++f) {
        StartLayered(m(), f - 1, 1);
        MakeFree(f, 33);
        for (int c = 1; c <= 4; ++c) m().cube.pieces[5][c].twist = 1;
        const unsigned upper = CorrectUpperPieces(m());
        m().EightCornerLowerEdges();
        const std::string record = m().moveRecord.c_str();
        EXPECT_EQ(record.rfind(std::string(lower_edges::kFlippedInPlace[4].formula), 0), 0u) << record;
        EXPECT_TRUE(CornersDone(m()));
        EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
        EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
    }
}

TEST_F(LowerEdgesTest, ThreeFlippedAndOneCorrectRunTheMatchingLineFromTheFreeSlot) {
    // Free slot in column 2, holding the upper edge flipped; slot 53 correct.
    StartLayered(m(), 0, 0);
    SlotRef(m(), 12).twist = 1;
    for (int c : {1, 2, 4}) m().cube.pieces[5][c].twist = 1;
    m().EightCornerLowerEdges();
    const std::string record = m().moveRecord.c_str();
    EXPECT_EQ(record.rfind(MergedRecord(lower_edges::kFlippedInPlace[2].formula, 1), 0), 0u) << record;
    EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
    EXPECT_TRUE(CornersDone(m()));
    // The flip the bottom edges gave up went to the upper edge of the free slot.
    EXPECT_EQ(ec::CountCorrectUpperEdges(m()), 4) << record;
}

// Three bottom edges flipped in place while the fourth bottom slot holds a middle
// edge: no line of the flipped-in-place table applies, and the stage must not stop
// there; the later steps bring the fourth bottom edge home.
TEST_F(LowerEdgesTest, ThreeFlippedAndFourthSlotForeignGoesOnToTheRules) {
    for (int missing = 1; missing <= 4; ++missing) {
        for (int middle = 1; middle <= 4; ++middle) {
            for (int twist = 0; twist <= 1; ++twist) {
                StartLayered(m(), missing % 4, middle % 4);
                int spare = 30 + (middle % 4) + 1;
                MakeFree(3, spare);
                SwapSlots(m(), 50 + missing, 30 + middle);
                SlotRef(m(), 30 + middle).twist = twist;
                for (int c = 1; c <= 4; ++c)
                    if (c != missing) m().cube.pieces[5][c].twist = 1;
                SCOPED_TRACE(std::to_string(missing) + "/" + std::to_string(middle) + "/" +
                             std::to_string(twist));
                const unsigned upper = CorrectUpperPieces(m());
                m().EightCornerLowerEdges();
                EXPECT_TRUE(CornersDone(m()));
                EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
                EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u) << m().moveRecord.c_str();
            }
        }
    }
}

// ---- exchanged pairs ----

TEST_F(LowerEdgesTest, ExchangedPairFormulasCorrectBothEdges) {
    for (int opposite = 0; opposite <= 1; ++opposite) {
        const auto& table = opposite ? lower_edges::kExchangedOpposites : lower_edges::kExchangedNeighbours;
        const int other = opposite ? 53 : 52;
        for (const ExchangedPairFormula& pf : table) {
            for (int f = 1; f <= 4; ++f) {
                StartLayered(m(), f % 4, (f + opposite) % 4);
                MakeFree(f, 31 + f % 4);
                SwapSlots(m(), 51, other);
                SlotRef(m(), 51).twist = pf.twistA;
                SlotRef(m(), other).twist = pf.twistB;
                SCOPED_TRACE(std::string(pf.formula) + ", free column " + std::to_string(f));
                const unsigned upper = CorrectUpperPieces(m());
                Run(pf.formula, pf.preTurn == kFreeSlot);
                EXPECT_TRUE(CornersDone(m()));
                EXPECT_EQ(CorrectUpperPieces(m()) & upper, upper);
                EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
            }
        }
    }
}

// A state no move builds: the exchanged edges carry twists out of range. The line is
// chosen by the low bit of each twist (here 1 and 1), never from outside the table.
TEST_F(LowerEdgesTest, ExchangedPairWithStrayTwistsChoosesALineOfTheTable) {
    StartLayered(m(), 1, 1);
    MakeFree(1, 32);
    SwapSlots(m(), 51, 52);
    SlotRef(m(), 51).twist = 5;
    SlotRef(m(), 52).twist = -1;
    m().EightCornerLowerEdges();
    const std::string record = m().moveRecord.c_str();
    const ExchangedPairFormula* line = nullptr;
    for (const ExchangedPairFormula& f : lower_edges::kExchangedNeighbours)
        if (f.twistA == 1 && f.twistB == 1) line = &f;
    ASSERT_NE(line, nullptr);
    EXPECT_NE(record.find(std::string(line->formula).substr(3)), std::string::npos) << record;
}

TEST_F(LowerEdgesTest, PairOn52And53IsTurnedTo51And52First) {
    StartLayered(m(), 0, 0);
    MakeFree(4, 32);
    SwapSlots(m(), 52, 53);
    m().EightCornerLowerEdges();
    const std::string record = m().moveRecord.c_str();
    // Twists 0 0 take the free-slot pre-turn: three quarter turns merged into "T0".
    EXPECT_EQ(record.rfind("B-;" + MergedRecord(lower_edges::kExchangedNeighbours[0].formula, 3), 0), 0u)
        << record;
    EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
    EXPECT_TRUE(CornersDone(m()));
}

TEST_F(LowerEdgesTest, PairOn52And54IsTurnedTo51And53First) {
    StartLayered(m(), 2, 1);
    MakeFree(1, 33);
    SwapSlots(m(), 52, 54);
    m().EightCornerLowerEdges();
    const std::string record = m().moveRecord.c_str();
    EXPECT_EQ(record.rfind("B-;" + std::string(lower_edges::kExchangedOpposites[0].formula), 0), 0u) << record;
    EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
}

// ---- the pre-turn merge ----

TEST_F(LowerEdgesTest, FreeSlotInColumnThreeTurnsALeadingT0IntoTStar) {
    // E9: slot 32, twist 0, target column 1, formula "T0;F-;T-;B+;R+;".
    BuildRuleCase(32, 0, 1, 3, 0, 0);
    m().EightCornerLowerEdges();
    EXPECT_EQ(std::string(m().moveRecord.c_str()).rfind("T*;F-;T-;B+;R+;", 0), 0u) << m().moveRecord.c_str();
}

TEST_F(LowerEdgesTest, EdgeInItsOwnUpperSlotRunsE1WithoutPreTurn) {
    BuildRuleCase(11, 0, 1, 1, 0, 0);
    m().EightCornerLowerEdges();
    EXPECT_EQ(std::string(m().moveRecord.c_str()).rfind("F+;T-;B+;R-;", 0), 0u) << m().moveRecord.c_str();
    EXPECT_EQ(CorrectBottomPieces(m()), 0b11110u);
}

TEST_F(LowerEdgesTest, StageWithNothingToDoAppliesNothing) {
    StartLayered(m(), 1, 3);
    MakeFree(2, 31);
    m().EightCornerLowerEdges();
    EXPECT_TRUE(m().moveRecord.empty());
    EXPECT_TRUE(m().methodIdText.empty());
}

// ---- whole stage on random positions ----

// Positions as stage 5 meets them: corners done, three upper edges correct, the other
// nine edges dealt at random (legal permutation and flips), both layers turned.
TEST_F(LowerEdgesTest, StageCorrectsAllBottomEdgesOnRandomPositions) {
    std::mt19937 rng(2024);
    const int slots[9] = {0, 31, 32, 33, 34, 51, 52, 53, 54};
    for (int trial = 0; trial < 400; ++trial) {
        StartLayered(m(), 0, 0);
        int f = static_cast<int>(rng() % 4) + 1;
        int pool[9];
        for (int i = 0; i < 9; ++i) pool[i] = slots[i] == 0 ? 10 + f : slots[i];
        PieceSlot pieces[9];
        for (int i = 0; i < 9; ++i) pieces[i] = SlotRef(m(), pool[i]);
        int swaps = 0;
        for (int i = 8; i > 0; --i) {
            int j = static_cast<int>(rng() % static_cast<unsigned>(i + 1));
            if (j != i) { std::swap(pieces[i], pieces[j]); ++swaps; }
        }
        if (swaps % 2) std::swap(pieces[0], pieces[1]);
        int flips = 0;
        for (int i = 0; i < 9; ++i) {
            pieces[i].twist = static_cast<int>(rng() % 2);
            flips += pieces[i].twist;
        }
        if (flips % 2) pieces[0].twist ^= 1;
        for (int i = 0; i < 9; ++i) SlotRef(m(), pool[i]) = pieces[i];
        for (int t = static_cast<int>(rng() % 4); t > 0; --t) m().ApplyToken("T+");
        for (int b = static_cast<int>(rng() % 4); b > 0; --b) m().ApplyToken("B+");
        ASSERT_EQ(m().CheckAssembly(), 0);
        if (ec::CountCorrectUpperEdges(m()) < 3) continue;
        const std::string code = Code();
        m().EightCornerLowerEdges();
        ASSERT_EQ(CorrectBottomPieces(m()), 0b11110u) << code;
        ASSERT_TRUE(CornersDone(m())) << code;
        // Once the fourth upper edge happens to come home, the free slot is column 1
        // and a later formula may displace the edge there: three stay correct.
        ASSERT_GE(std::popcount(CorrectUpperPieces(m())), 3) << code;
    }
}

}  // namespace
}  // namespace velmora::test::edges
