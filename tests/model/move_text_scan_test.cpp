// Which tokens of a typed move text the engine passes over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/move_text_scan.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

struct ScanCase {
    const char* text;
    bool leadingMerge;
    int acted;
    std::vector<std::string> skipped;
};

class MoveTextScan : public ModelTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(MoveTextScan, NamesExactlyTheTokensTheEngineSkips) {
    const ScanCase& c = GetParam();
    std::vector<std::string> skipped;
    int acted = ScanMoveText(m(), c.text, c.leadingMerge,
                             [&](std::string_view t) { skipped.emplace_back(t); });
    EXPECT_EQ(acted, c.acted);
    EXPECT_EQ(skipped, c.skipped);
    // Where the scan finds nothing to act on, the engine leaves the cube as it was.
    if (c.acted == 0) {
        m().ResetCube();
        m().RunMoveString(0, c.text);
        EXPECT_EQ(Code(), kSolvedCode);
        EXPECT_TRUE(m().moveRecord.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MoveTextScan,
    ::testing::Values(
        ScanCase{"F+;R-;", true, 2, {}},
        ScanCase{"f+;r/;TF,reset;", true, 4, {}},              // lower case, / for *, rotations, RESET
        ScanCase{"hello", true, 0, {"hello"}},
        ScanCase{"F+;xyz;R-;q;", true, 2, {"xyz", "q"}},
        ScanCase{"\xff\xfe", true, 0, {}},                       // bytes of 128 and up only separate
        ScanCase{"F+\xc4\xa7R-", true, 2, {}},
        ScanCase{"B+X;F+;", true, 2, {}},                        // a leading bottom turn is merged whole
        ScanCase{"B+X;F+;", false, 1, {"B+X"}},                  // not at the start of a run
        ScanCase{"F+;STOP;zz;", true, 2, {}},                    // nothing after STOP is read
        ScanCase{"F+;TTTTTTTTTTTTTTTTTTTTTTTT;", true, 1, {"TTTTTTTTTTTTTTTTTTTTTTTT"}},
        ScanCase{";;;  ", true, 0, {}},
        ScanCase{"", true, 0, {}}));

}  // namespace
}  // namespace velmora::test
