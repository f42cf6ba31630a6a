// Steering the demonstration: a jump to a token steps there as the step commands do,
// and the pace commands set the demonstration's milliseconds per turn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/pane_text.h"

namespace velmora::test {
namespace {

class DemoSteering : public DocTest {
protected:
    void Deal() { DealAndSolve("F+;R-;T*;L+;P-;B+;F*;R+;T-;P+;L*;"); }
    // Record positions of the first characters of the solution's tokens.
    std::vector<int> TokenStarts() const {
        std::vector<int> out;
        const std::string_view r = doc->model.SolutionRecord.view();
        for (int i = kRecordMovesStart; i < static_cast<int>(r.size()); ++i)
            if (!IsSeparatorChar(r[i]) && (i == kRecordMovesStart || IsSeparatorChar(r[i - 1]))) out.push_back(i);
        return out;
    }
    struct Place {
        std::string code;
        int turns, pos;
        std::string status;
    };
    Place Here() const {
        return {Code(), doc->model.turnCounter, doc->model.demoPos, std::string(doc->model.statusText.view())};
    }
};

TEST_F(DemoSteering, AJumpEndsWhereSteppingByHandEnds) {
    Deal();
    const std::vector<int> starts = TokenStarts();
    ASSERT_GE(starts.size(), 12u);
    // Where n forward steps from the start lead, for every n.
    std::vector<Place> byHand;
    for (std::size_t n = 0; n < starts.size(); ++n) {
        byHand.push_back(Here());
        doc->OnCommand(cmd::kStepForward);
    }
    m().StepSolution(0);
    // Forward to 9, back to 2, forward to the last, back to the first: positions and
    // counts as by hand; the status says where the jump landed, never "one step".
    for (std::size_t n : {9u, 2u, static_cast<unsigned>(starts.size() - 1), 0u}) {
        user.Clear();
        doc->StepSolutionTo(starts[n]);
        EXPECT_EQ(m().demoPos, byHand[n].pos) << n;
        EXPECT_EQ(Code(), byHand[n].code) << n;
        EXPECT_EQ(m().turnCounter, byHand[n].turns) << n;
        EXPECT_EQ(LastStatus(), std::string(m().statusText.view())) << n;
        const std::string at = "跳到第 " + std::to_string(n) + " 步";
        const std::string landed = n == 0                ? std::string("现在是开始图案！")
                                   : byHand[n].turns > 0 ? at + "，已经完成了" + std::to_string(byHand[n].turns) + "转。"
                                                         : at + "。";
        EXPECT_EQ(LastStatus(), landed) << n;
        EXPECT_TRUE(user.CallsOf(ScriptedUser::Kind::Message).empty()) << "no end-of-solution question";
    }
    // A jump of one token is a step, and says so as a step does.
    m().StepSolution(0);
    doc->StepSolutionTo(starts[1]);
    EXPECT_EQ(LastStatus(), byHand[1].status);
    doc->StepSolutionTo(starts[0]);
    EXPECT_EQ(LastStatus().rfind("后退一步", 0), 0u) << LastStatus();
}

// The status line says what the last command did: a deal after a save, a painted
// sticker by its face, row, column and colour.
TEST_F(DemoSteering, StatusTextsSayWhatHappened) {
    struct Deal {
        int id;
        const char* status;
    };
    for (const Deal& d : {Deal{cmd::kFileNew, "魔方被打乱，并求出了复原解法。"},
                          Deal{cmd::kScrambleTop, "顶面被打乱，并求出了复原解法。"},
                          Deal{cmd::kScrambleEdges, "边块被打乱，并求出了复原解法。"},
                          Deal{cmd::kScrambleCentres, "中心小块的方向被打乱，并求出了复原解法。"}}) {
        doc->ShowStatus("文件保存完毕");
        ASSERT_TRUE(doc->OnCommand(d.id));
        EXPECT_EQ(LastStatus(), d.status) << d.id;
    }
    user.answers = {Answer::No};
    doc->OnCommand(cmd::kStartInput);
    const FaceletRecord& cell = m().FaceletTable[9 + 1];  // front face, row 1, column 2
    user.Clear();
    doc->InputNetClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    EXPECT_EQ(LastStatus(), NetCellName(m(), 9 + 1, settings.colourSettings));
    EXPECT_EQ(LastStatus().rfind("前面 第1行第2列 ", 0), 0u) << LastStatus();
}

TEST_F(DemoSteering, TargetsThatStartNoTokenAndInputModeChangeNothing) {
    Deal();
    const std::vector<int> starts = TokenStarts();
    const Place start = Here();
    const int length = static_cast<int>(m().SolutionRecord.size());
    for (int target : {0, kRecordMovesStart - 1, starts[3] + 1, starts[3] - 1, length, length + 5, -7})
        doc->StepSolutionTo(target);
    EXPECT_EQ(Here().code, start.code);
    EXPECT_EQ(m().demoPos, start.pos);
    m().inputMode = -1;
    doc->StepSolutionTo(starts[3]);
    EXPECT_EQ(m().demoPos, start.pos);
    m().inputMode = 0;
    EXPECT_TRUE(user.calls.empty());
}

TEST_F(DemoSteering, ThePaceCommandsSetTheMillisecondsPerTurn) {
    EXPECT_EQ(settings.demoInterval, 1600);
    EXPECT_TRUE(doc->IsChecked(cmd::kDemoMedium));
    struct Row {
        int id, ms;
    };
    for (const Row& row : {Row{cmd::kDemoSlow, 2400}, Row{cmd::kDemoFast, 800}, Row{cmd::kDemoMedium, 1600}}) {
        ASSERT_TRUE(doc->OnCommand(row.id));
        EXPECT_EQ(settings.demoInterval, row.ms);
        for (int id : {cmd::kDemoSlow, cmd::kDemoMedium, cmd::kDemoFast}) EXPECT_EQ(doc->IsChecked(id), id == row.id);
    }
    // Usable in input mode too: the pace is a matter of the view.
    m().inputMode = -1;
    EXPECT_TRUE(doc->OnCommand(cmd::kDemoFast));
    doc->SetDemoInterval(1234);
    EXPECT_EQ(settings.demoInterval, 1600);
}

}  // namespace
}  // namespace velmora::test
