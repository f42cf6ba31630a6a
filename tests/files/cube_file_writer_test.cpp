#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "files/cube_file.h"
#include "files/gbk.h"
#include "support/model_fixture.h"

namespace velmora::test {
namespace {

// The file split at its CR LF line ends (the lines themselves hold no CR or LF).
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(bytes.substr(at, end - at));
    lines.push_back(bytes.substr(at));
    return lines;
}

std::string Utf8(const std::string& gbk) {
    std::string out;
    EXPECT_TRUE(AppendUtf8FromGbk(out, gbk));
    return out;
}

// Lines of the file by what they hold.
constexpr int kRecordLine = 0, kOwnFormatLine = 7, kExplorerLine = 9, kDoneLine = 10,
              kAcubeLine = 13, kPosLine = 18, kMoveLine = 19, kMoveTextLine = 22;

std::string Between(const std::string& line, const std::string& open, const std::string& close) {
    std::size_t a = line.find(open);
    if (a == std::string::npos) return "<missing>";
    a += open.size();
    return line.substr(a, line.find(close, a) - a);
}
std::string PosValue(const std::vector<std::string>& l) {
    return Between(l[kPosLine], "value=\"", "\"");
}
std::string MoveValue(const std::vector<std::string>& l) {
    return Between(l[kMoveLine], "value=\"", "\"");
}

constexpr const char* kSolvedAcube =
    "UF UR UB UL DF DR DB DL FR FL BR BL  UFR URB UBL ULF DRF DFL DLB DBR  ";
constexpr const char* kSolvedPos = "dddddddddfffffffffcccccccccbbbbbbbbbeeeeeeeeeaaaaaaaaa";

class CubeFileWriter : public ModelTest {
protected:
    // Makes the cube reached by `scramble` the start and `solution` its record, as a
    // solve by `method` would leave them, without running a solver.
    void Demo(const char* scramble, const char* solution, int turns, int method) {
        m().ResetCube();
        m().RunMoveString(0, scramble);
        m().moveRecord.Assign(solution);
        m().turnCounter = turns;
        m().methodUsed = method;
        m().MakeDemoFromRecord();
    }
    std::string Save() {
        std::ostringstream out;
        EXPECT_EQ(m().SaveCubeFile(out), 1);
        EXPECT_EQ(m().statusText.view(), kSavedStatus);
        return out.str();
    }
};

TEST_F(CubeFileWriter, ThreeTurnExampleMatchesTheGoldenFileByteForByte) {
    Demo("F+;T+;R-;", "R+;T-;F-;", 3, 2);
    ASSERT_EQ(Code(), "120321140340231421440242130520330511220210430412310110530540123456113000");
    std::ifstream golden(VELMORA_TEST_DATA "/three_turn_eight_corner.mf", std::ios::binary);
    ASSERT_TRUE(golden) << "golden file missing";
    std::string expected((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
    std::string bytes = Save();
    EXPECT_EQ(bytes, expected);
    // Every line end is CR LF, and the Chinese text is GBK ("魔方" is C4 A7 B7 BD).
    std::size_t lineEnds = 0, bare = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') ++lineEnds;
        if ((bytes[i] == '\n') != (i > 0 && bytes[i - 1] == '\r')) ++bare;
    }
    EXPECT_EQ(lineEnds, 24u);
    EXPECT_EQ(bare, 0u);
    EXPECT_NE(bytes.find("\xC4\xA7\xB7\xBD"), std::string::npos);
}

TEST_F(CubeFileWriter, SavingLeavesTheModelAsItWas) {
    Demo("F+;T+;R-;", "R+;T-;F-;", 3, 2);
    m().StepSolution(+1);
    const std::string code = Code(), record(m().SolutionRecord.view());
    const int demoPos = m().demoPos, counter = m().turnCounter;
    const std::string moves(m().moveRecord.view());
    Save();
    EXPECT_EQ(Code(), code);
    EXPECT_EQ(m().SolutionRecord.view(), record);
    EXPECT_EQ(m().demoPos, demoPos);
    EXPECT_EQ(m().turnCounter, counter);
    EXPECT_EQ(m().moveRecord.view(), moves);
}

TEST_F(CubeFileWriter, TwoTurnSolutionOfAnUprightCube) {
    Demo("R+;T-;", "T+;R-;", 2, 1);
    auto l = Lines(Save());
    EXPECT_EQ(l[kExplorerLine], "R U'    (02)");
    EXPECT_EQ(MoveValue(l), "U1R3");
    EXPECT_EQ(l[kMoveTextLine], "U1R3");
    EXPECT_EQ(Utf8(l[kOwnFormatLine]), "Velmora格式，含位置描述和解法（分组法）。");
}

TEST_F(CubeFileWriter, DemonstrationAtItsEndLeavesNoMovesAndCountsAllTurns) {
    Demo("F+;T+;R-;", "R+;T-;F-;", 3, 2);
    for (int i = 0; i < 3; ++i) m().StepSolution(+1);
    auto l = Lines(Save());
    EXPECT_EQ(MoveValue(l), "");
    EXPECT_EQ(l[kMoveTextLine], "");
    EXPECT_EQ(Utf8(l[kDoneLine]), "<br><br>已经完成了3转，以下为当前状态：<br>");
    EXPECT_EQ(l[kRecordLine], m().SolutionRecord.view());
    EXPECT_EQ(l[kExplorerLine], "F U R'    (03)");
    // The live cube is solved again: the ACUBE line and the applet position read solved.
    EXPECT_EQ(l[kAcubeLine], kSolvedAcube);
    EXPECT_EQ(PosValue(l), kSolvedPos);
}

TEST_F(CubeFileWriter, MidDemonstrationSendsOnlyTheMovesStillToCome) {
    Demo("F+;T+;R-;", "R+;T-;F-;", 3, 2);
    m().StepSolution(+1);
    auto l = Lines(Save());
    EXPECT_EQ(MoveValue(l), "U3F3");
    EXPECT_EQ(Utf8(l[kDoneLine]), "<br><br>已经完成了1转，以下为当前状态：<br>");
}

TEST_F(CubeFileWriter, RecordsWithoutMovesGiveOnlyTheCount) {
    Demo("", "", 0, 1);
    auto l = Lines(Save());
    EXPECT_EQ(l[kExplorerLine], "    (00)");
    EXPECT_EQ(MoveValue(l), "");
    EXPECT_EQ(l[kAcubeLine], kSolvedAcube);
    EXPECT_EQ(PosValue(l), kSolvedPos);

    // Before the first solve the record is two spaces and has no count characters.
    m().SolutionRecord.Assign("  ");
    m().demoPos = kRecordMovesStart;
    l = Lines(Save());
    EXPECT_EQ(l[kRecordLine], "  ");
    EXPECT_EQ(l[kExplorerLine], "    ()");
    EXPECT_EQ(MoveValue(l), "");
}

TEST_F(CubeFileWriter, ParenthesisedGroupsPutTheThreeCharacterScansOutOfStep) {
    // Moves at 76: F+; (T+;) R-;  - only tokens that happen to sit on the three-step
    // grid of each scan are converted.
    Demo("", "F+;(T+;)R-;", 3, 1);
    auto l = Lines(Save());
    EXPECT_EQ(l[kExplorerLine], "R     (03)");
    EXPECT_EQ(MoveValue(l), "F1");
}

TEST_F(CubeFileWriter, ExplorerLineSkipsRotationsAndMarksHalfTurns) {
    Demo("", "F*;TF,#  P+;", 3, 1);
    // Only a "-" token leaves a space after its letter; the others run on.
    EXPECT_EQ(Lines(Save())[kExplorerLine], "B'F2    (03)");
}

TEST_F(CubeFileWriter, TurnedWholeCubeIsNamedByItsCentres) {
    // After a whole-cube rotation every sticker still matches its centre: the ACUBE
    // line reads solved, while the applet position shows the colours where they are.
    Demo("TF,", "", 0, 1);
    auto l = Lines(Save());
    EXPECT_EQ(l[kAcubeLine], kSolvedAcube);
    EXPECT_NE(PosValue(l), kSolvedPos);
    // Each face block of the applet position is of one colour.
    std::string pos = PosValue(l);
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(pos.substr(9 * b, 9), std::string(9, pos[9 * b + 4])) << "block " << b;
}

TEST_F(CubeFileWriter, TypedTextInTheRecordIsWrittenInGbkLikeTheRest) {
    Demo("", "F+;魔;", 1, 0);
    auto l = Lines(Save());
    EXPECT_EQ(l[kRecordLine].substr(kRecordMovesStart), "F+;\xC4\xA7;");
    EXPECT_EQ(MoveValue(l), "F1");
}

TEST_F(CubeFileWriter, MethodNamesByMethodUsed) {
    for (auto [method, name] : {std::pair{1, "分组法"}, {2, "八角法"}, {4, "只处理中心小块的色向"},
                                {0, "其它法"}, {3, "最少步法"}, {5, "最少步数法"}, {6, "其它法"}}) {
        EXPECT_EQ(CubeFileMethodName(method), name) << method;
    }
}

TEST(Gbk, ConvertsChineseAndRefusesWhatGbkCannotHold) {
    std::string out = "x";
    EXPECT_TRUE(AppendGbk(out, "魔方。"));
    EXPECT_EQ(out, "x\xC4\xA7\xB7\xBD\xA1\xA3");
    std::string back;
    EXPECT_TRUE(AppendUtf8FromGbk(back, out));
    EXPECT_EQ(back, "x魔方。");
    std::string kept = "keep";
    EXPECT_FALSE(AppendGbk(kept, "魔\xF0\x9F\x98\x80"));  // a character outside GBK
    EXPECT_EQ(kept, "keep");
}

}  // namespace
}  // namespace velmora::test
