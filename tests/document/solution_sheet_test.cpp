// The solution sheet's content (stages, both notations, the nets after each stage) and
// its pages, without drawing.
#include "document/solution_sheet.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "files/cube_file.h"
#include "document/velmora_doc.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class SolutionSheetTest : public ModelTest {
protected:
    // Deals a position with the seed and solves it with the method.
    void Deal(int method, unsigned seed) {
        m().methodChoice = method;
        m().SeedRandom(seed);
        m().Scramble(1);
    }
    std::string RecordMoves() const {
        std::string moves;
        for (char c : model->SolutionRecord.view().substr(kRecordMovesStart))
            if (c != '#' && c != ' ' && !(c == ',' && (moves.empty() || moves.back() == ';'))) moves += c;
        return moves;
    }
    // Colours of the live cube in net order.
    std::array<int, kFaceletCount> Colours() const {
        std::array<int, kFaceletCount> out{};
        for (int i = 0; i < kFaceletCount; ++i) {
            const FaceletRecord& r = model->FaceletTable[i];
            out[static_cast<std::size_t>(i)] = model->StickerColour(r.row, r.col, r.sticker);
        }
        return out;
    }
};

// Every method: the stages hold the record's moves in order, each stage's net is the
// cube after replaying it, the counts add up, and the sheet ends restored.
TEST_F(SolutionSheetTest, StagesReplayTheRecordForEveryMethod) {
    for (int method : {1, 2, 3}) {
        for (unsigned seed : {7u, 8u}) {
            Deal(method, seed);
            SolutionSheet sheet;
            BuildSolutionSheet(m(), "a.mf", "2026-12-08", sheet);
            ASSERT_FALSE(sheet.stages.empty());
            m().cube = m().startState;
            EXPECT_EQ(sheet.startColours, Colours());
            std::string joined;
            for (const SheetStage& stage : sheet.stages) {
                ASSERT_EQ(stage.ownMoves.size(), stage.internationalMoves.size());
                for (const std::string& move : stage.ownMoves) {
                    joined += move;
                    m().RunMoveString(0, move);
                }
                EXPECT_EQ(stage.colours, Colours()) << stage.name;
                EXPECT_EQ(stage.name.rfind("第", 0), 0u);
            }
            EXPECT_EQ(joined, RecordMoves()) << "method " << method;
            EXPECT_EQ(sheet.turns, m().lastSolveTurns);
            EXPECT_TRUE(sheet.restored);
            EXPECT_NE(sheet.closing.find("已经复原"), std::string::npos);
            for (std::string_view part : {std::string_view("a.mf"), std::string_view("2026-12-08"),
                                          CubeFileMethodName(method)})
                EXPECT_NE(sheet.title.find(part), std::string::npos) << part;
        }
    }
}

TEST_F(SolutionSheetTest, StagesAreNamedByTheirMarkers) {
    Deal(1, 5);
    SolutionSheet sheet;
    BuildSolutionSheet(m(), "", "d", sheet);
    EXPECT_EQ(sheet.title.rfind("新魔方", 0), 0u);
    ASSERT_GE(sheet.stages.size(), 3u);
    EXPECT_EQ(sheet.stages[0].name, "第1阶段 上边块");
    EXPECT_EQ(sheet.stages[1].name, "第2阶段 上角块和中边块");
    EXPECT_EQ(StageName(2, " ##"), "最后一块上边块");
    EXPECT_EQ(StageName(3, "#  "), "");
}

// A record cut short (as a truncated solution is) is not reported as restored.
TEST_F(SolutionSheetTest, ACutRecordSaysTheCubeIsNotRestored) {
    Deal(1, 9);
    std::string record(m().SolutionRecord.view());
    m().SolutionRecord.Assign(record.substr(0, record.rfind('#')));
    SolutionSheet sheet;
    BuildSolutionSheet(m(), "", "d", sheet);
    EXPECT_FALSE(sheet.restored);
    EXPECT_NE(sheet.closing.find("没有复原"), std::string::npos);
}

// A rotation's international name must turn the cube the way the engine does: after x
// the bottom is in front, after y the right, after z the left is on top.
TEST_F(SolutionSheetTest, RotationNamesAgreeWithTheEngine) {
    struct Probe {
        std::string_view name, after, before;
    };
    constexpr Probe kProbes[] = {{"x", "F+", "B+"}, {"x'", "F+", "T+"}, {"x2", "F+", "P+"}, {"y", "F+", "R+"},
                                 {"y'", "F+", "L+"}, {"y2", "F+", "P+"}, {"z", "T+", "L+"}, {"z'", "T+", "R+"}};
    int checked = 0;
    for (char a : std::string_view("TFRPLB")) {
        for (char b : std::string_view("TFRPLB")) {
            if (a == b) continue;
            const std::string rot{a, b};
            const std::string name = InternationalMove(rot + ",");
            const auto probe = std::find_if(std::begin(kProbes), std::end(kProbes),
                                            [&](const Probe& p) { return p.name == name; });
            ASSERT_NE(probe, std::end(kProbes)) << rot << " -> " << name;
            m().ResetCube();
            m().RunMoveString(0, rot + "," + std::string(probe->after) + ";");
            const std::string turnedAfter = Code();
            m().ResetCube();
            m().RunMoveString(0, std::string(probe->before) + ";" + rot + ",");
            EXPECT_EQ(turnedAfter, Code()) << rot << " as " << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 30);
    EXPECT_EQ(InternationalMove("(FT,L+;R-;)"), "(x L R')");
    EXPECT_EQ(InternationalMove("B*;"), "D2");
    EXPECT_EQ(InternationalMove("P-;"), "B'");
}

TEST(SheetWrap, LinesBreakOnlyBetweenMovesAndKeepEveryMove) {
    const std::vector<std::string> moves = {"T+;", "F*;", "(FT,L+;R-;)", "R-;", "BT,", "L+;", "P*;"};
    for (int width : {1, 3, 7, 12, 40}) {
        const std::vector<std::string> lines = WrapMoves(moves, width, "");
        std::string joined;
        for (const std::string& line : lines) {
            // Longer only when one move alone is longer.
            EXPECT_TRUE(line.size() <= static_cast<std::size_t>(width) ||
                        std::find(moves.begin(), moves.end(), line) != moves.end())
                << line;
            joined += line;
        }
        EXPECT_EQ(joined, "T+;F*;(FT,L+;R-;)R-;BT,L+;P*;");
        std::size_t at = 0;
        for (const std::string& line : lines) {
            // Each line starts where a move starts.
            std::size_t start = 0, k = 0;
            while (start < at) start += moves[k++].size();
            EXPECT_EQ(start, at) << width;
            at += line.size();
        }
    }
    EXPECT_EQ(WrapMoves({"U", "R2", "F'"}, 5, " "), (std::vector<std::string>{"U R2", "F'"}));
}

// Pages hold every stage once, whole, in order, and never run past their height: the
// eight-corner method on a hard position, and a record of a hundred stages.
TEST_F(SolutionSheetTest, PagesNeverSplitAStage) {
    SheetMetrics metrics;
    metrics.pageHeight = 760;
    metrics.headHeight = 200;
    metrics.lineHeight = 14;
    metrics.stageNetHeight = 70;
    metrics.stageGap = 8;
    metrics.ownChars = 60;
    metrics.internationalChars = 60;

    Deal(2, 10);
    SolutionSheet hard;
    BuildSolutionSheet(m(), "", "d", hard);
    EXPECT_GE(hard.stages.size(), 6u);

    std::string record = std::string(kSolvedCode) + " 00 ";
    for (int s = 0; s < 100; ++s) {
        for (int k = 0; k <= s % 9; ++k) record += "R+;T+;R-;T-;";
        record += "#  ";
    }
    m().SolutionRecord.Assign(record);
    m().startState.SetSolved();
    SolutionSheet hundred;
    BuildSolutionSheet(m(), "", "d", hundred);
    ASSERT_EQ(hundred.stages.size(), 100u);

    for (const SolutionSheet* sheet : {&hard, &hundred}) {
        const std::vector<SheetPage> pages = PaginateSheet(*sheet, metrics);
        int next = 0;
        for (const SheetPage& page : pages) {
            ASSERT_FALSE(page.empty());
            double bottom = 0;
            for (const SheetBlock& block : page) {
                EXPECT_GE(block.top, bottom);
                bottom = block.top + block.height;
                EXPECT_LE(bottom, metrics.pageHeight);
                if (block.kind != SheetBlock::Kind::Stage) continue;
                EXPECT_EQ(block.stage, next++);
                EXPECT_EQ(block.part, 0);
                EXPECT_EQ(block.ownLines, WrapMoves(sheet->stages[static_cast<std::size_t>(block.stage)].ownMoves,
                                                    metrics.ownChars, ""));
            }
        }
        EXPECT_EQ(next, static_cast<int>(sheet->stages.size()));
        EXPECT_EQ(pages.front().front().kind, SheetBlock::Kind::Head);
        EXPECT_EQ(pages.back().back().kind, SheetBlock::Kind::Closing);
        if (sheet == &hundred) {
            EXPECT_GT(pages.size(), 5u);
        }
    }
}

// Only a stage taller than a whole page is cut, at line boundaries, its net with the
// last part.
TEST(SheetPages, AStageTallerThanAPageIsCutAtLines) {
    SolutionSheet sheet;
    sheet.stages.resize(1);
    sheet.stages[0].ownMoves.assign(400, "R+;");
    sheet.stages[0].internationalMoves.assign(400, "R");
    const SheetMetrics metrics{300, 50, 10, 60, 5, 30, 30};
    const std::vector<SheetPage> pages = PaginateSheet(sheet, metrics);
    std::vector<const SheetBlock*> parts;
    std::size_t lines = 0;
    for (const SheetPage& page : pages)
        for (const SheetBlock& block : page) {
            EXPECT_LE(block.top + block.height, metrics.pageHeight);
            if (block.kind != SheetBlock::Kind::Stage) continue;
            EXPECT_EQ(block.part, static_cast<int>(parts.size()));
            parts.push_back(&block);
            lines += block.ownLines.size() + block.internationalLines.size();
        }
    ASSERT_GT(parts.size(), 1u);
    for (const SheetBlock* part : parts) EXPECT_EQ(part->withNet, part == parts.back());
    EXPECT_EQ(lines, WrapMoves(sheet.stages[0].ownMoves, 30, "").size() +
                         WrapMoves(sheet.stages[0].internationalMoves, 30, " ").size());
}

// The net of the sheet stands as the net pane's cells do.
TEST_F(SolutionSheetTest, SheetNetFollowsThePanesNet) {
    for (int i = 0; i < kFaceletCount; ++i) {
        int column = 0, row = 0;
        SheetNetCell(i, column, row);
        EXPECT_EQ(m().FaceletTable[i].left, 18 + 83 * (column / 3) + 25 * (column % 3)) << i;
        EXPECT_EQ(m().FaceletTable[i].top, 11 + 83 * (row / 3) + 25 * (row % 3)) << i;
    }
}

// A user seam whose window makes a fixed PDF.
class PdfUser : public ScriptedUser {
public:
    bool SheetPdf(const SolutionSheet& sheet, std::string& bytes) override {
        bytes = "%PDF " + sheet.title;
        return true;
    }
};

class SheetExportTest : public FolderModelTest {
protected:
    SheetExportTest() : FolderModelTest("velmora-sheet-") {}
    std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    PdfUser pdfUser;
    VelmoraSettings settings;
};

// Export asks for a name (the cube's own, as .pdf), writes the window's PDF there, and
// refuses a read-only file with a message, leaving it as it was.
TEST_F(SheetExportTest, WritesThroughTheCubeFileRules) {
    CVelmoraDoc doc(pdfUser, settings);
    doc.model.RunMoveString(0, "R+;T+;F-;");
    doc.model.ExecuteAndSolve();
    ASSERT_TRUE(doc.IsEnabled(cmd::kExportSolutionPdf));
    pdfUser.paths.push_back((dir / "sheet").string());
    EXPECT_TRUE(doc.OnCommand(cmd::kExportSolutionPdf));
    EXPECT_EQ(pdfUser.CallsOf(ScriptedUser::Kind::SaveDialog).back().heading, "新魔方.pdf");
    EXPECT_EQ(Read(dir / "sheet.pdf").rfind("%PDF 新魔方", 0), 0u);

    const std::filesystem::path locked = dir / "locked.pdf";
    std::ofstream(locked) << "kept";
    ::chmod(locked.c_str(), 0444);
    pdfUser.Clear();
    EXPECT_FALSE(doc.WriteSolutionPdf(locked.string()));
    ASSERT_EQ(pdfUser.CallsOf(ScriptedUser::Kind::Message).size(), 1u);
    EXPECT_NE(pdfUser.CallsOf(ScriptedUser::Kind::Message)[0].text.find("不能保存文件"), std::string::npos);
    EXPECT_EQ(Read(locked), "kept");
    EXPECT_FALSE(doc.WriteSolutionPdf((dir / "no" / "such" / "x.pdf").string()));

    doc.model.inputMode = -1;
    EXPECT_FALSE(doc.IsEnabled(cmd::kPrintSolution));
}

}  // namespace
}  // namespace velmora::test
