// The solve driver: one-time set-up of the model, solving the present position into
// the solution record, the solve log, and stepping through the solution.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "model/tarnex_source.h"

namespace velmora {

void FillModelTables(CTarnexSource& m);

namespace {

constexpr std::string_view kMethodIdHeader = "解法各阶段    ";
constexpr std::string_view kTalwenSolution =
    "F*;L*;B+;F+;P*;R*;P*;T+;L-;T+;P-;B-;F*;P-;B+;R*;B-;";
constexpr std::string_view kAssemblyPrefix =
    "魔方装配错误，不能复原！只能用分组法复原成比较整齐的图案。\r\n              ";

int DefaultTicks() {
    using namespace std::chrono;
    return static_cast<int>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() & 0x7fffffff);
}


}  // namespace

int CTarnexSource::Random() { return static_cast<int>(rng() >> 1); }

int CTarnexSource::TickCount() const { return tickSource ? tickSource() : DefaultTicks(); }

void CTarnexSource::InitCubeModel() {
    centreOnlyMode = 0;
    showMethodIds = 0;
    autoDemoCount = 0;
    animAngle = 0;
    animAxis = 'N';
    SeedRandom(static_cast<unsigned>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    selectedColour = 1;

    FillModelTables(*this);

    statusText.Clear();
    if (!programPath.empty()) {
        OpenStartupLog();
    } else {
        logPath.Clear();
    }

    separatorSet = kSeparatorSet;
    SolutionRecord.Assign("  ");
    demoPos = kRecordMovesStart;
    ResetCube();
    BuildTalwenCodes();
    ResetCube();
}

void CTarnexSource::LogPathFor(std::string_view program, FixedText<260>& out) {
    std::size_t slash = program.find_last_of("/\\");
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = program.find_last_of('.');
    std::string_view stem = program;
    if (dot != std::string_view::npos && dot > nameStart) stem = program.substr(0, dot);
    out.Clear();
    if (!out.Append(stem) || !out.Append("_log.mf")) out.Clear();
}

bool CTarnexSource::CreateLog() {
    std::FILE* f = logPath.empty() ? nullptr : std::fopen(logPath.c_str(), "wb");
    if (!f) {
        statusText.Format("不能打开自动记录文件“%s”！", logPath.c_str());
        return false;
    }
    std::fclose(f);
    return true;
}

void CTarnexSource::BuildTalwenCodes() {
    // Reach each of the 24 orientations by whole-cube rotations, then letter it.
    static constexpr std::string_view kRotations[] = {"TF", "FR", "TR"};
    CubeState reached[24];
    bool found[24] = {};
    int queue[24], head = 0, tail = 0;
    CubeState solved;
    solved.SetSolved();
    reached[0] = solved;
    found[0] = true;
    queue[tail++] = 0;
    auto rowOf = [&](const CubeState& s) {
        for (int i = 0; i < 24; ++i) {
            bool same = true;
            for (int k = 1; k <= 6 && same; ++k) same = OrientationTable[i][k] == s.centres[k];
            if (same) return i;
        }
        return -1;
    };
    while (head < tail) {
        int at = queue[head++];
        for (std::string_view rot : kRotations) {
            cube = reached[at];
            ApplyToken(rot);
            int row = rowOf(cube);
            if (row >= 0 && !found[row]) {
                found[row] = true;
                reached[row] = cube;
                queue[tail++] = row;
            }
        }
    }
    char code[kCodeLength + 1];
    for (int i = 0; i < 24; ++i) {
        cube = reached[i];
        ApplyToken("TALWEN");
        WritePositionCode(cube, code);
        std::memcpy(talwenCodes[i], code, kShortCodeLength);
        talwenCodes[i][kShortCodeLength] = '\0';
    }
    moveRecord.Clear();
    turnCounter = 0;
}

void CTarnexSource::BuildSolutionRecord(const char* code) {
    // Start code, a space, two count characters, a space, the moves. Counts from 100
    // on run past "9" in the first character; it is held printable.
    SolutionRecord.Assign(std::string_view(code, kCodeLength));
    SolutionRecord.Append(' ');
    int tens = turnCounter / 10;
    if (tens > '~' - '0') tens = '~' - '0';
    SolutionRecord.Append(static_cast<char>('0' + (tens < 0 ? 0 : tens)));
    SolutionRecord.Append(static_cast<char>('0' + (turnCounter % 10 + 10) % 10));
    SolutionRecord.Append(' ');
    solutionTruncated = false;
    if (!SolutionRecord.Append(moveRecord)) {
        // Cut after the last separator that fits so that no half token is demonstrated.
        SolutionRecord.AppendCut(moveRecord);
        std::size_t n = SolutionRecord.size();
        while (n > kRecordMovesStart && !IsSeparatorChar(SolutionRecord[n - 1])) --n;
        SolutionRecord.Truncate(n);
        solutionTruncated = true;
    }
}

void CTarnexSource::ExecuteAndSolve() {
    animAngle = 0;
    // Solving ends cube input; a pending first key of a typed command stays pending.
    if (inputMode < 0) inputMode = 0;
    commandText.Assign(moveRecord);
    startState = cube;
    char code[kCodeLength + 1];
    WritePositionCode(startState, code);

    bool solved = false;
    if (centreOnlyMode == 0) {
        for (int i = 0; i < 24; ++i) {
            if (std::memcmp(code, talwenCodes[i], kShortCodeLength) == 0) {
                moveRecord.Clear();
                moveRecordFull = false;
                turnCounter = 0;
                methodUsed = 0;
                RunMoveString(0, kTalwenSolution);
                lastSolveResult = 1;
                solved = true;
                break;
            }
        }
    }
    if (!solved) lastSolveResult = SolveDispatch();
    lastSolveTurns = turnCounter;

    BuildSolutionRecord(code);

    if (turnCounter > 2 && !logPath.empty()) AppendLogRecord();

    StepSolution(0);
    if (solutionTruncated)
        statusText.Assign("解法太长，记录被截断，只能演示前面的部分！");

    if (showMethodIds == 1) user->ShowCodeDialog(methodIdText, "解法各阶段方法编号");
}

int CTarnexSource::SolveDispatch() {
    if (methodChoice != 1 && methodChoice != 2 && methodChoice != 3 && methodChoice != 5) methodChoice = 1;
    int s = CheckAssembly();
    if (s > 99999) {
        user->Message("魔方零件错误，不能复原！", Buttons::Ok, Icon::None);
        return -1;
    }
    if (s > 0) {
        FixedText<511> text(kAssemblyPrefix);
        if (s >= 200) text.Append("至少需要调换角块的色向！");
        else if (s >= 100) text.Append("至少需要调换两次角块的色向！");
        else if (s >= 10) text.Append("至少需要调换边块的色向！");
        else text.Append("需要互换两块的位置！");
        user->Message(text, Buttons::Ok, Icon::None);
        methodUsed = 1;
    } else {
        methodUsed = centreOnlyMode == 1 ? 4 : methodChoice;
    }
    moveRecord.Clear();
    moveRecordFull = false;
    turnCounter = 0;
    methodIdText.Assign(kMethodIdHeader);

    int result;
    if (methodUsed == 2) {
        result = EightCornerMethod();
    } else if (methodUsed == 3) {
        result = ShortestMethod();
    } else if (methodUsed == 5) {
        result = OptimalMethod();
    } else if (methodUsed == 4) {
        result = CentreMethod();
    } else {
        methodUsed = 1;
        result = GroupMethod();
    }
    if (result != 1) {
        user->Message("解迷失败", Buttons::Ok, Icon::None);
    } else if (methodUsed != 4) {
        int sum = 0;
        for (int k = 1; k <= 6; ++k) sum += cube.centreTurns[k];
        startState.centreTurns[6] = (startState.centreTurns[6] + sum % 2) % 4;
    }
    return result;
}

void CTarnexSource::StepSolution(int direction) {
    statusText.Clear();
    const int length = static_cast<int>(SolutionRecord.size());
    if (direction > 0) {
        if (demoPos < length) {
            char token[64];
            int n = 0;
            int i = demoPos;
            while (i < length && !IsSeparatorChar(SolutionRecord[i])) {
                if (n < 63) token[n++] = SolutionRecord[i];
                ++i;
            }
            while (i < length && IsSeparatorChar(SolutionRecord[i])) ++i;
            demoPos = i;
            std::string_view tok(token, static_cast<std::size_t>(n));
            ApplyToken(tok);
            FixedText<63> shown(tok);
            if (turnCounter > 0)
                statusText.Format("演示一步，执行了 “%s”，已经完成了%d转。", shown.c_str(), turnCounter);
            else
                statusText.Format("演示一步，执行了 “%s”。", shown.c_str());
            AnimationHint(tok);
            return;
        }
        if (autoDemoCount > 0) {
            autoDemoCount = 23;
            statusText.Assign("将要演示下一局！");
            return;
        }
        if (user->Message("执行完毕，是否重新开始？", Buttons::OkCancel, Icon::Question) == Answer::Ok) {
            StepSolution(0);
            statusText.Assign("现在是开始图案！");
        } else {
            statusText.Assign("现在是结束图案！");
        }
        return;
    }

    if (direction < 0) {
        moveRecord.Clear();
        moveRecordFull = false;
        if (demoPos <= kRecordMovesStart) {
            user->Message("已经退到开始图案！", Buttons::Ok, Icon::None);
            statusText.Assign("现在是开始图案！");
            return;
        }
        int i = (demoPos > length ? length : demoPos) - 1;
        while (i >= kRecordMovesStart - 1 && IsSeparatorChar(SolutionRecord[i])) --i;
        int end = i + 1;
        while (i >= kRecordMovesStart - 1 && !IsSeparatorChar(SolutionRecord[i])) --i;
        int first = i + 1;
        if (first < kRecordMovesStart) first = kRecordMovesStart;
        if (end < first) end = first;
        demoPos = first;
        std::string_view tok(SolutionRecord.c_str() + first, static_cast<std::size_t>(end - first));

        constexpr std::string_view kFaces = "TFRPLB";
        constexpr std::string_view kTurnFirst = "TFRPLBAU";
        char inverse[3] = {};
        bool invertible = false;
        if (tok.size() == 2 || tok.size() == 1) {
            char a = tok[0];
            char b = tok[tok.size() - 1];
            if ((b == '+' || b == '-' || b == '*') && kTurnFirst.find(a) != std::string_view::npos &&
                tok.size() == 2) {
                inverse[0] = a;
                inverse[1] = b == '+' ? '-' : b == '-' ? '+' : '*';
                invertible = true;
            } else if (tok.size() == 2 && a != b && kFaces.find(a) != std::string_view::npos &&
                       kFaces.find(b) != std::string_view::npos) {
                inverse[0] = b;
                inverse[1] = a;
                invertible = true;
            }
        }
        if (invertible) {
            std::string_view inv(inverse, 2);
            int count = ApplyToken(inv);
            if (count > 0) turnCounter -= 2 * count;
            if (turnCounter > 0)
                statusText.Format("后退一步，实际执行了 “%s”，已经完成了%d转。", inverse, turnCounter);
            else
                statusText.Format("后退一步，实际执行了 “%s”。", inverse);
            AnimationHint(inv);
            return;
        }
        cube = startState;
        turnCounter = 0;
        RunMoveString(0, std::string_view(SolutionRecord.c_str() + kRecordMovesStart,
                                          static_cast<std::size_t>(demoPos - kRecordMovesStart)));
        if (turnCounter > 0)
            statusText.Format("后退一步成功！已经完成了%d转。", turnCounter);
        else
            statusText.Assign("后退一步成功！");
        return;
    }

    moveRecord.Clear();
    moveRecordFull = false;
    cube = startState;
    turnCounter = 0;
    demoPos = kRecordMovesStart;
}

void CTarnexSource::MakeDemoFromRecord() {
    startState = cube;
    char code[kCodeLength + 1];
    WritePositionCode(startState, code);
    BuildSolutionRecord(code);
    StepSolution(0);
}

}  // namespace velmora
