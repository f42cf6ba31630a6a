// The solution sheet's content (stages, both notations, the nets after each stage) and
// its pages, without drawing.
#include "document/solution_sheet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "document/velmora_doc.h"
#include "files/cube_file.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

class SolutionSheetTest : public ModelTest {
protected:
    SolutionSheet Sheet(int method, unsigned seed, std::string_view name = "") {
        m().methodChoice = method;
        m().SeedRandom(seed);
        m().Scramble(1);
        SolutionSheet sheet;
        BuildSolutionSheet(m(), name, "2026-12-08", sheet);
        return sheet;
    }
    std::array<int, kFaceletCount> Colours() const {
        std::array<int, kFaceletCount> out{};
        for (std::size_t i = 0; i < out.size(); ++i) {
            const FaceletRecord& r = model->FaceletTable[i];
            out[i] = model->StickerColour(r.row, r.col, r.sticker);
        }
        return out;
    }
};

// Every method: the stages hold the record's moves in order (markers left out), each
// stage's net is the cube after replaying it, the counts add up, the sheet ends restored.
TEST_F(SolutionSheetTest, StagesReplayTheRecordForEveryMethod) {
    for (int method : {1, 2, 3}) {
        for (unsigned seed : {7u, 8u}) {
            const SolutionSheet sheet = Sheet(method, seed, "a.mf");
            std::string want;
            for (char c : m().SolutionRecord.view().substr(kRecordMovesStart))
                if (c != '#' && c != ' ' && !(c == ',' && !want.empty() && want.back() == ';')) want += c;
            m().cube = m().startState;
            EXPECT_EQ(sheet.startColours, Colours());
            std::string joined;
            for (const SheetStage& stage : sheet.stages) {
                ASSERT_EQ(stage.ownMoves.size(), stage.internationalMoves.size());
                for (const std::string& move : stage.ownMoves) m().RunMoveString(0, move), joined += move;
                EXPECT_EQ(stage.colours, Colours()) << stage.name;
            }
            EXPECT_EQ(joined, want) << "method " << method;
            EXPECT_EQ(sheet.turns, m().lastSolveTurns);
            EXPECT_TRUE(sheet.restored);
            EXPECT_NE(sheet.closing.find("已经复原"), std::string::npos);
            EXPECT_EQ(sheet.title, "a.mf    2026-12-08    " + std::string(CubeFileMethodName(method)) + "    共 " +
                                       std::to_string(sheet.turns) + " 转");
        }
    }
    const SolutionSheet group = Sheet(1, 5);
    EXPECT_EQ(group.title.rfind("新魔方", 0), 0u);
    ASSERT_GE(group.stages.size(), 3u);
    EXPECT_EQ(group.stages[0].name, "第1阶段 上边块");
    EXPECT_EQ(group.stages[1].name, "第2阶段 上角块和中边块");
    EXPECT_EQ(StageName(2, " ##"), "最后一块上边块");
    EXPECT_EQ(StageName(3, "#  "), "");
}

// A record cut short (as a truncated solution is) is not reported as restored.
TEST_F(SolutionSheetTest, ACutRecordSaysTheCubeIsNotRestored) {
    Sheet(1, 9);
    const std::string record(m().SolutionRecord.view());
    m().SolutionRecord.Assign(record.substr(0, record.rfind('#')));
    SolutionSheet sheet;
    BuildSolutionSheet(m(), "", "d", sheet);
    EXPECT_FALSE(sheet.restored);
    EXPECT_NE(sheet.closing.find("没有复原"), std::string::npos);
}

// A rotation's international name must turn the cube the way the engine does: after x
// the bottom is in front, after y the right, after z the left is on top.
TEST_F(SolutionSheetTest, RotationNamesAgreeWithTheEngine) {
    const std::map<std::string, std::pair<std::string, std::string>> probes = {
        {"x", {"F+;", "B+;"}}, {"x'", {"F+;", "T+;"}}, {"x2", {"F+;", "P+;"}}, {"y", {"F+;", "R+;"}},
        {"y'", {"F+;", "L+;"}}, {"y2", {"F+;", "P+;"}}, {"z", {"T+;", "L+;"}}, {"z'", {"T+;", "R+;"}}};
    for (char a : std::string_view("TFRPLB")) {
        for (char b : std::string_view("TFRPLB")) {
            if (a == b) continue;
            const std::string rot = std::string{a, b} + ",", name = InternationalMove(rot);
            ASSERT_EQ(probes.count(name), 1u) << rot << " -> " << name;
            const auto& [after, before] = probes.at(name);
            m().ResetCube();
            m().RunMoveString(0, rot + after);
            const std::string turned = Code();
            m().ResetCube();
            m().RunMoveString(0, before + rot);
            EXPECT_EQ(turned, Code()) << rot << " as " << name;
        }
    }
    EXPECT_EQ(InternationalMove("(FT,L+;R-;)"), "(x L R')");
    EXPECT_EQ(InternationalMove("B*;") + InternationalMove("P-;"), "D2B'");
}

TEST(SheetWrap, LinesBreakOnlyBetweenMovesAndKeepEveryMove) {
    const std::vector<std::string> moves = {"T+;", "F*;", "(FT,L+;R-;)", "R-;", "BT,", "L+;", "P*;"};
    for (int width : {1, 3, 7, 12, 40}) {
        std::string joined;
        for (const std::string& line : WrapMoves(moves, width, "")) {
            // A line starts where a move starts, and is longer only for one long move.
            std::size_t start = 0, k = 0;
            while (start < joined.size()) start += moves[k++].size();
            EXPECT_EQ(start, joined.size()) << width;
            EXPECT_TRUE(line.size() <= static_cast<std::size_t>(width) || line == moves[k]) << line;
            joined += line;
        }
        EXPECT_EQ(joined, "T+;F*;(FT,L+;R-;)R-;BT,L+;P*;");
    }
    EXPECT_EQ(WrapMoves({"U", "R2", "F'"}, 5, " "), (std::vector<std::string>{"U R2", "F'"}));
}

// Pages hold every stage once, whole, in order, and never run past their height: the
// eight-corner method on a hard position, and a record of a hundred stages. Only a
// stage taller than a page is cut, at lines, its net with the last part.
TEST_F(SolutionSheetTest, PagesNeverSplitAStage) {
    const SheetMetrics metrics{760, 200, 14, 70, 8, 60, 60};
    const SolutionSheet hard = Sheet(2, 10);
    EXPECT_GE(hard.stages.size(), 6u);
    std::string record = std::string(kSolvedCode) + " 00 ";
    for (int s = 0; s < 100; ++s) {
        for (int k = 0; k <= s % 9; ++k) record += "R+;T+;R-;T-;";
        record += "#  ";
    }
    m().SolutionRecord.Assign(record);
    m().startState.SetSolved();
    SolutionSheet hundred, tall;
    BuildSolutionSheet(m(), "", "d", hundred);
    ASSERT_EQ(hundred.stages.size(), 100u);
    tall.stages.resize(1);
    tall.stages[0].ownMoves.assign(800, "R+;");
    tall.stages[0].internationalMoves.assign(800, "R");

    for (const SolutionSheet* sheet : {&hard, static_cast<const SolutionSheet*>(&hundred), static_cast<const SolutionSheet*>(&tall)}) {
        const std::vector<SheetPage> pages = PaginateSheet(*sheet, metrics);
        std::vector<const SheetBlock*> stages;
        for (const SheetPage& page : pages) {
            double bottom = 0;
            for (const SheetBlock& block : page) {
                EXPECT_GE(block.top, bottom);
                bottom = block.top + block.height;
                EXPECT_LE(bottom, metrics.pageHeight);
                if (block.kind == SheetBlock::Kind::Stage) stages.push_back(&block);
            }
        }
        EXPECT_EQ(pages.front().front().kind, SheetBlock::Kind::Head);
        EXPECT_EQ(pages.back().back().kind, SheetBlock::Kind::Closing);
        if (sheet != &tall) {
            ASSERT_EQ(stages.size(), sheet->stages.size());
            for (std::size_t s = 0; s < stages.size(); ++s) {
                EXPECT_EQ(stages[s]->stage, static_cast<int>(s));
                EXPECT_TRUE(stages[s]->part == 0 && stages[s]->withNet);
                EXPECT_EQ(stages[s]->ownLines, WrapMoves(sheet->stages[s].ownMoves, metrics.ownChars, ""));
            }
            continue;
        }
        std::size_t lines = 0;
        ASSERT_GT(stages.size(), 1u);
        for (std::size_t k = 0; k < stages.size(); ++k) {
            EXPECT_EQ(stages[k]->part, static_cast<int>(k));
            EXPECT_EQ(stages[k]->withNet, k + 1 == stages.size());
            lines += stages[k]->ownLines.size() + stages[k]->internationalLines.size();
        }
        EXPECT_EQ(lines, WrapMoves(tall.stages[0].ownMoves, 60, "").size() +
                             WrapMoves(tall.stages[0].internationalMoves, 60, " ").size());
    }
}

// Export asks for a name (the sheet's own, as .pdf) and writes the window's PDF there.
TEST(SheetExport, AsksForANameAndWritesTheWindowsPdf) {
    struct PdfUser : ScriptedUser {
        bool SheetPdf(const SolutionSheet& sheet, std::string& bytes) override {
            bytes = "%PDF " + sheet.title;
            return true;
        }
    } user;
    VelmoraSettings settings;
    CVelmoraDoc doc(user, settings);
    doc.model.RunMoveString(0, "R+;T+;F-;");
    doc.model.ExecuteAndSolve();
    const std::string path = ::testing::TempDir() + "velmora-sheet-" + std::to_string(::getpid());
    user.paths.push_back(path);
    EXPECT_TRUE(doc.OnCommand(cmd::kExportSolutionPdf));
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::SaveDialog).back().heading, "新魔方.pdf");
    std::string written;
    std::getline(std::ifstream(path + ".pdf"), written);
    EXPECT_EQ(written.rfind("%PDF 新魔方", 0), 0u);
    std::remove((path + ".pdf").c_str());
}

}  // namespace
}  // namespace velmora::test
