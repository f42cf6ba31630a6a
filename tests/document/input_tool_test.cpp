// The input tool's line of letters: to and from the painted net, the quick edits, and
// a pasted facelet string.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "document/input_tool.h"
#include "model/export_maps.h"
#include "model/facelet_string.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

using Choice = InputToolState::Choice;

class InputTool : public ::testing::Test {
protected:
    void SetUp() override { m.InitCubeModel(); }
    // The net that starting input with the preset paints for the present cube.
    void PresetNet() { m.BeginInput(2); }
    CTarnexSource m;
    int marks[7] = {0, 1, 2, 3, 0, 1, 2};
};

// One letter replaced.
std::string With(std::string_view text, std::size_t at, char c) {
    std::string out(text);
    out[at] = c;
    return out;
}

TEST_F(InputTool, NetToTextAndBackKeepsColoursAndTurnsSparesIntoErase) {
    std::mt19937 rng(7);
    RandomTurns(m, rng, 40);
    for (int k = 1; k <= 6; ++k) m.cube.centreTurns[k] = k % 4;
    PresetNet();
    m.facelets[0] = 8;  // border colour: "h", comes back as 8
    m.facelets[1] = 9;  // erase colour: "g"
    m.facelets[2] = 0;  // never painted: "g", comes back as 9
    int before[kFaceletCount];
    std::copy(std::begin(m.facelets), std::end(m.facelets), before);

    int got[7] = {};
    const std::string text = ToolTextFromFacelets(m, got);
    ASSERT_EQ(text.size(), 54u);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(got[k], k % 4);
    for (int f = 0; f < 6; ++f) EXPECT_EQ(text[static_cast<std::size_t>(9 * f + 4)], "dfcbea"[f]);

    std::fill(std::begin(m.facelets), std::end(m.facelets), 5);
    FaceletsFromToolText(m, text, got);
    before[2] = 9;
    for (int i = 0; i < kFaceletCount; ++i) EXPECT_EQ(m.facelets[i], before[i]) << i;

    // Upper case reads as lower case; the centres take the marks handed back.
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const int reset[7] = {};
    FaceletsFromToolText(m, upper, reset);
    for (int i = 0; i < kFaceletCount; ++i) EXPECT_EQ(m.facelets[i], i % 9 == 4 ? 0 : before[i]) << i;
}

// Quick edits from an opening text: the text after the edit and the radio selected.
struct EditCase {
    const char* name;
    std::string opening;
    std::string typedFirst;  // typed before the edit (empty: nothing typed)
    void (InputToolState::*edit)();
    std::string want;
    Choice choice;
};

const std::string kRestored(kRestoredToolText);
const std::string kEdgesErased = [] {
    std::string s(kRestoredToolText);
    for (int i = 0; i < 54; ++i)
        if (i % 9 % 2 == 1) s[static_cast<std::size_t>(i)] = 'g';
    return s;
}();

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class ToolEdits : public InputTool, public ::testing::WithParamInterface<EditCase> {};

TEST_P(ToolEdits, GiveTheirText) {
    const EditCase& c = GetParam();
    InputToolState tool(m, c.opening, marks);
    EXPECT_EQ(tool.Selected(), Choice::Typed);
    if (!c.typedFirst.empty()) tool.TextEdited(c.typedFirst);
    (tool.*c.edit)();
    EXPECT_EQ(tool.Text(), c.want);
    EXPECT_EQ(tool.Selected(), c.choice);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolEdits,
    ::testing::Values(
        EditCase{"CompleteEmpty", "", "", &InputToolState::Complete, kRestored, Choice::Typed},
        EditCase{"CompleteOneSpare", With(kRestored, 10, 'h'), "", &InputToolState::Complete, kRestored,
                 Choice::Typed},
        EditCase{"CompleteKeepsColours", With(With(kRestored, 0, 'a'), 1, 'h'), "", &InputToolState::Complete,
                 With(kRestored, 0, 'a'), Choice::Typed},
        EditCase{"CompleteFixesCentres", With(kRestored, 4, 'a'), "", &InputToolState::Complete, kRestored,
                 Choice::Typed},
        EditCase{"CompleteShortAndOdd", "aa?", "", &InputToolState::Complete, With(With(kRestored, 0, 'a'), 1, 'a'),
                 Choice::Typed},
        EditCase{"Restore", "", "", &InputToolState::Restore, kRestored, Choice::Restored},
        EditCase{"EraseAll", kRestored, "", &InputToolState::EraseAll, std::string(kErasedToolText),
                 Choice::EraseAll},
        EditCase{"EraseEdgesOfRestored", kRestored, "", &InputToolState::EraseEdges, kEdgesErased,
                 Choice::EraseEdges},
        // The opening text counts, not what was typed since.
        EditCase{"EraseEdgesIgnoresTyping", kRestored, "aaaaaaaaaaaa", &InputToolState::EraseEdges, kEdgesErased,
                 Choice::EraseEdges},
        EditCase{"EraseCornersOfOddOpening", With(With(kRestored, 1, 'a'), 0, 'a'), "", &InputToolState::EraseCorners,
                 [] {
                     std::string s(kRestoredToolText);
                     for (int i = 0; i < 54; ++i)
                         if (i % 9 % 2 == 0 && i % 9 != 4) s[static_cast<std::size_t>(i)] = 'g';
                     s[1] = 'a';
                     return s;
                 }(),
                 Choice::EraseCorners},
        EditCase{"EraseEdgesShortOpening", "ab", "", &InputToolState::EraseEdges,
                 [] {
                     std::string s(kErasedToolText);
                     s[0] = 'a';
                     return s;
                 }(),
                 Choice::EraseEdges}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputTool, TypingSelectsTheTypedChoiceInLowerCaseAndCentresResetOnlyOnRequest) {
    InputToolState tool(m, kRestoredToolText, marks);
    tool.Restore();
    EXPECT_TRUE(tool.CentresReset());
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(tool.Marks()[k], 0);
    tool.TextEdited("ABCdefGH");
    EXPECT_EQ(tool.Text(), "abcdefgh");
    EXPECT_EQ(tool.Selected(), Choice::Typed);
    EXPECT_TRUE(tool.CentresReset()) << "the box stays on";

    InputToolState edges(m, kRestoredToolText, marks);
    edges.EraseEdges();
    EXPECT_FALSE(edges.CentresReset());
    EXPECT_EQ(edges.Marks()[3], 3) << "erasing edges leaves the marks";
    edges.ResetCentres();
    EXPECT_EQ(edges.Marks()[3], 0);
    EXPECT_EQ(edges.Selected(), Choice::EraseEdges);
    // Never longer than 54 letters.
    edges.TextEdited(std::string(60, 'a'));
    EXPECT_EQ(edges.Text(), std::string(54, 'a'));
}

TEST_F(InputTool, ALetterTypedIntoAFullLineIsRefused) {
    int marks[7] = {};
    InputToolState tool(m, kRestoredToolText, marks);
    for (std::size_t at : {std::size_t{0}, std::size_t{10}, std::size_t{53}, std::size_t{54}}) {
        std::string typed(kRestoredToolText);
        typed.insert(at, "g");
        tool.TextEdited(typed);
        EXPECT_EQ(tool.Text(), kRestoredToolText) << "typed at " << at;
    }
    // Two letters replacing one keep the first of them in place.
    std::string typed(kRestoredToolText);
    typed.replace(20, 1, "gh");
    tool.TextEdited(typed);
    std::string expected(kRestoredToolText);
    expected[20] = 'g';
    EXPECT_EQ(tool.Text(), expected);
}

TEST_F(InputTool, APastedFaceletStringBecomesTheToolLine) {
    std::mt19937 rng(11);
    RandomTurns(m, rng, 40);
    PresetNet();
    int got[7] = {};
    const std::string wanted = ToolTextFromFacelets(m, got);

    char facelets[55];
    WriteFaceletString(m, true, facelets);
    std::string lower(facelets);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // Pasted alone, in lower case, or into the middle of a full line; with blanks
    // between the faces or line breaks and separators anywhere.
    const std::string intoFull = std::string(kRestoredToolText).insert(10, facelets);
    std::string spaced, broken;
    for (int i = 0; i < kFaceletCount; ++i) {
        if (i > 0 && i % 9 == 0) spaced += ' ';
        spaced += facelets[i];
        broken += i % 2 ? lower[static_cast<std::size_t>(i)] : facelets[i];
        if (i % 7 == 6) broken += i % 3 ? ",\n" : " - ";
    }
    for (const std::string& pasted : {std::string(facelets), lower, intoFull, spaced, broken}) {
        InputToolState tool(m, kRestoredToolText, marks);
        tool.TextEdited(pasted);
        EXPECT_EQ(tool.Text(), wanted) << pasted;
        EXPECT_EQ(tool.Selected(), Choice::Typed);
    }
    // Not a facelet string: ten U, a centre out of place, 53 letters. Taken as typed.
    std::string tenU(facelets);
    for (std::size_t i = 0; i < tenU.size(); ++i) {
        if (i % 9 != 4 && tenU[i] != 'U') {
            tenU[i] = 'U';
            break;
        }
    }
    std::string badCentre(facelets);
    std::swap(badCentre[4], badCentre[13]);
    for (const std::string& other : {tenU, badCentre, std::string(facelets).substr(0, 53)}) {
        std::string out = "unchanged";
        EXPECT_FALSE(ToolTextFromFaceletString(m, other, out)) << other;
        EXPECT_EQ(out, "unchanged");
    }
    // Such a text is refused with a note, never read as the tool's own letters.
    InputToolState tool(m, kRestoredToolText, marks);
    tool.TextEdited(badCentre.substr(0, 9) + " " + badCentre.substr(9));
    EXPECT_EQ(tool.Text(), kRestoredToolText);
    EXPECT_EQ(tool.Note(), kNotFaceletStringNote);
    tool.TextEdited("abc");
    EXPECT_EQ(tool.Text(), "abc");
    EXPECT_EQ(tool.Note(), "");
}

}  // namespace
}  // namespace velmora::test
