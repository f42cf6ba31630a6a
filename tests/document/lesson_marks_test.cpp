// Learn mode's marks and words: which layer is outlined, which light a sticker of the
// model's net has, what a dimmed sticker looks like, and the pane's and sheet's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "document/lesson_marks.h"
#include "document/lesson_text.h"
#include "document/solution_sheet.h"
#include "model/facelet_string.h"
#include "support/model_fixture.h"

namespace velmora {
namespace {

struct TokenLayer {
    const char* token;
    bool shown;
    int axis, slice;
};

class LayerOfTokenRows : public ::testing::TestWithParam<TokenLayer> {};

TEST_P(LayerOfTokenRows, NamesTheLayerTheTokenTurns) {
    const TokenLayer& row = GetParam();
    const LayerMark mark = LayerOfToken(row.token);
    EXPECT_EQ(mark.shown, row.shown) << row.token;
    if (!row.shown) return;
    EXPECT_EQ(mark.axis, row.axis) << row.token;
    EXPECT_EQ(mark.slice, row.slice) << row.token;
}

INSTANTIATE_TEST_SUITE_P(Tokens, LayerOfTokenRows,
                         ::testing::Values(TokenLayer{"T+", true, 1, 1}, TokenLayer{"B-", true, 1, -1},
                                           TokenLayer{"H*", true, 1, 0}, TokenLayer{"R+", true, 0, 1},
                                           TokenLayer{"L*", true, 0, -1}, TokenLayer{"V-", true, 0, 0},
                                           TokenLayer{"F-", true, 2, 1}, TokenLayer{"P+", true, 2, -1},
                                           // Rotations, the empty move and broken tokens turn no one layer.
                                           TokenLayer{"TF", false, 0, 0}, TokenLayer{"nothing", false, 0, 0},
                                           TokenLayer{"X+", false, 0, 0}, TokenLayer{"", false, 0, 0},
                                           TokenLayer{"R", false, 0, 0}));

TEST(LessonMarks, OutlinesTheNextMoveOfTheRecordAndTheHintWhilePractising) {
    // Header of 76 characters, then moves with a stage marker between them.
    const std::string record = std::string(76, '0') + "T+;#  R-;F*;";
    LessonView lesson;
    EXPECT_FALSE(MarkedLayer(lesson, record, 76).shown) << "no lesson, no outline";
    lesson.active = true;
    EXPECT_EQ(MarkedLayer(lesson, record, 76).face, 'T');
    // demoPos after T+ and the marker's separators: the marker is skipped.
    EXPECT_EQ(MarkedLayer(lesson, record, 79).face, 'R');
    EXPECT_EQ(MarkedLayer(lesson, record, 85).face, 'F');
    EXPECT_FALSE(MarkedLayer(lesson, record, static_cast<int>(record.size())).shown) << "at the end";
    lesson.practising = true;
    EXPECT_FALSE(MarkedLayer(lesson, record, 76).shown) << "practising without a hint";
    lesson.hint = "L-";
    EXPECT_EQ(MarkedLayer(lesson, record, 76).face, 'L');
}

class LessonNet : public test::ModelTest {};

TEST_F(LessonNet, EveryNetCellReadsTheLightOfItsOwnFaceletPlace) {
    // The net's 54 stickers are the 54 places of the facelet string, one to one, and
    // each place shows the colour the net cell shows, for a turned cube.
    CTarnexSource& m = *model;
    m.RunMoveString(0, "R+;T-;F*;L+;P-;B+;");
    char text[55];
    WriteFaceletString(m, false, text);
    constexpr std::string_view kLetters = " UFRBLD";
    std::set<int> places;
    for (int cell = 0; cell < kFaceletCount; ++cell) {
        const FaceletRecord& r = m.FaceletTable[cell];
        const int place = StringPlaceOf(r.row, r.col, r.sticker);
        ASSERT_GE(place, 0) << "cell " << cell;
        places.insert(place);
        EXPECT_EQ(text[place], kLetters[static_cast<std::size_t>(m.StickerColour(r.row, r.col, r.sticker))])
            << "cell " << cell;

        LessonView lesson;
        lesson.active = true;
        lesson.lights.fill(StickerLight::Dimmed);
        lesson.lights[static_cast<std::size_t>(place)] = StickerLight::Stage;
        EXPECT_EQ(NetCellLight(m, lesson, cell), StickerLight::Stage) << "cell " << cell;
        EXPECT_EQ(NetCellLight(m, lesson, (cell + 1) % kFaceletCount), StickerLight::Dimmed) << "cell " << cell;
    }
    EXPECT_EQ(places.size(), 54u);
    EXPECT_EQ(StringPlaceOf(6, 1, 1), -1);
    // The repeats around B read the lights of the stickers they repeat.
    LessonView lit;
    lit.active = true;
    lit.lights.fill(StickerLight::Stage);
    for (int cell = kFaceletCount; cell < kNetCellCount; ++cell) EXPECT_EQ(NetCellLight(m, lit, cell), StickerLight::Stage);
    EXPECT_EQ(NetCellLight(m, LessonView{}, 0), StickerLight::Home) << "without learn mode all is in full colour";
}

TEST(LessonMarks, DimmedColoursKeepTheirHueButLoseMostSaturation) {
    for (int ref : {0x0000ff, 0x00ff00, 0xff0000, 0x00ffff, 0xe6e6e6, 0x5a5a5a}) {
        const int d = DimmedColour(ref);
        const int r = d & 0xff, g = (d >> 8) & 0xff, b = (d >> 16) & 0xff;
        const int spread = std::max({r, g, b}) - std::min({r, g, b});
        const int r0 = ref & 0xff, g0 = (ref >> 8) & 0xff, b0 = (ref >> 16) & 0xff;
        const int spread0 = std::max({r0, g0, b0}) - std::min({r0, g0, b0});
        EXPECT_LE(spread, spread0 / 4 + 1) << std::hex << ref;
        EXPECT_NE(d, ref & 0xffffff) << "a saturated or light sticker changes: " << std::hex << ref;
        // The strongest channel stays the strongest: a red sticker stays reddish.
        if (r0 > g0 && r0 > b0) {
            EXPECT_GT(r, std::max(g, b)) << std::hex << ref;
        }
    }
}

TEST(LessonText, PaneLinesNameTheStageAndFollowPractice) {
    LessonView lesson;
    EXPECT_TRUE(LessonPaneLines(lesson).empty());
    EXPECT_TRUE(LessonAnnouncement(lesson).empty());
    lesson.active = true;
    lesson.stage = 1;
    lesson.stageCount = 5;
    lesson.name = "上角块和中边块";
    lesson.goal = "把上面的四个角块连同它们下面的中边块放好。";
    auto lines = LessonPaneLines(lesson);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "第2阶段（共5阶段）：上角块和中边块");
    EXPECT_EQ(lines[1], "目标：把上面的四个角块连同它们下面的中边块放好。");
    lesson.formula = "把前右上角块转到位";
    lesson.piecesHome = 3;
    lesson.piecesTotal = 8;
    lesson.hint = "R+";  // a hint outside practice is not shown
    lines = LessonPaneLines(lesson);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "公式：把前右上角块转到位");
    EXPECT_EQ(lines[3], "本阶段的小块已到位 3/8 块。");
    lesson.practising = true;
    lesson.hintInternational = "R";
    lesson.progress = "自己做：本阶段的小块已到位 3/8 块。";
    lines = LessonPaneLines(lesson);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], lesson.progress) << "the document's own words come first";
    EXPECT_EQ(lines[4], "提示：下一步转 R+（国际记号 R）");
    lesson.progress.clear();
    lesson.goalReached = true;
    lesson.hint = "F+";  // the last hint given is no longer shown
    EXPECT_EQ(LessonPaneLines(lesson).back(), "这一阶段完成了！可以接着做下一阶段。");
    lesson.stage = 4;
    EXPECT_EQ(LessonPaneLines(lesson).back(), "这一阶段完成了，魔方复原了！");
    EXPECT_EQ(LessonAnnouncement(lesson).rfind("第5阶段（共5阶段）：上角块和中边块；目标：", 0), 0u);
}

TEST(SolutionSheetGoals, GoalsWrapWithoutSplittingCharactersAndAddToTheStageHeight) {
    const std::string goal = "把顶面的四个边块放到位，颜色朝上。ABC";
    const auto lines = WrapGoal(goal, 7);
    ASSERT_EQ(lines.size(), 3u);
    std::string joined;
    for (const auto& l : lines) joined += l;
    EXPECT_EQ(joined, goal);
    EXPECT_EQ(lines[0], "把顶面的四个边");
    EXPECT_EQ(lines[2], "朝上。ABC");
    EXPECT_TRUE(WrapGoal("", 7).empty());
    EXPECT_EQ(WrapGoal(goal, 0).size(), 1u);

    SolutionSheet sheet;
    sheet.stages.resize(2);
    sheet.stages[0].ownMoves = {"T+;"};
    sheet.stages[0].goal = goal;
    sheet.stages[1].ownMoves = {"R+;"};
    SheetMetrics metrics;
    metrics.pageHeight = 1000;
    metrics.lineHeight = 10;
    metrics.ownChars = metrics.internationalChars = 40;
    metrics.goalChars = 7;
    const auto pages = PaginateSheet(sheet, metrics);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 4u);  // head, two stages, closing
    EXPECT_EQ(pages[0][1].goalLines.size(), 3u);
    EXPECT_TRUE(pages[0][2].goalLines.empty());
    EXPECT_DOUBLE_EQ(pages[0][1].height - pages[0][2].height, 30.0);
}

}  // namespace
}  // namespace velmora
