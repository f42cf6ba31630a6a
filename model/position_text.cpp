// Reading a position from text (a position code or a move string) and describing one
// sticker of the flat net.
#include <algorithm>
#include <cstring>

#include "model/move_text_scan.h"
#include "model/tarnex_source.h"

namespace velmora {


namespace {

// Size of the work buffer the move-string path builds its text in.
constexpr std::size_t kWorkBufferSize = 10000;
constexpr std::string_view kResetPrefix = "RESET,";

// Character i of the text as a digit value; a text shorter than a code reads as if
// padded with NUL bytes, which the repairs then treat like any other bad digit.
int DigitAt(std::string_view text, std::size_t i) {
    char c = i < text.size() ? text[i] : '\0';
    return static_cast<signed char>(c) - '0';
}

}  // namespace

bool StartsAsCode(std::string_view text) {
    return text.size() >= 2 && (text[0] == '1' || text[0] == '3' || text[0] == '5') &&
           text[1] >= '1' && text[1] <= '4';
}

bool LooksLikeCode(std::string_view text) {
    constexpr std::size_t kDigitRun = 6;
    std::size_t digits = 0;
    while (digits < text.size() && digits < kDigitRun && text[digits] >= '0' && text[digits] <= '9') ++digits;
    return StartsAsCode(text) || digits == kDigitRun;
}

namespace {

// Reads the first 72 characters of a position code into the live cube, repairing every
// digit so that pieces stay in slots of their own kind and the centres form a legal
// arrangement. Whether each piece occurs once is left to the assembly check.
void ReadPositionCode(CTarnexSource& m, std::string_view text) {
    for (int i = 0; i < 20; ++i) {
        int row = SlotRow(i), col = SlotCol(i);
        int h = DigitAt(text, 3 * static_cast<std::size_t>(i));
        int c = DigitAt(text, 3 * static_cast<std::size_t>(i) + 1);
        int t = DigitAt(text, 3 * static_cast<std::size_t>(i) + 2);
        if (c < 1 || c > 4) c = 1;
        if (IsCornerRow(row)) {
            if (h != 2 && h != 4) h = 2;
            if (t < 0 || t > 2) t = 0;
        } else {
            if (h != 1 && h != 3 && h != 5) h = 1;
            if (t != 0 && t != 1) t = 0;
        }
        m.cube.pieces[row][col] = PieceSlot{h, c, t};
    }
    const int first = DigitAt(text, 60), second = DigitAt(text, 61);
    int found = -1;
    for (int r = 0; r < 24 && found < 0; ++r)
        if (m.OrientationTable[r][1] == first && m.OrientationTable[r][2] == second) found = r;
    if (found >= 0) {
        for (int k = 1; k <= 6; ++k) {
            m.cube.centres[k] = m.OrientationTable[found][k];
            int turn = DigitAt(text, 66 + static_cast<std::size_t>(k) - 1) % 4;
            m.cube.centreTurns[k] = turn >= 0 && turn <= 3 ? turn : 0;
        }
    } else {
        const int g = m.Random() % 6;
        const int member = m.Random() % 4;
        for (int k = 1; k <= 6; ++k) {
            m.cube.centres[k] = m.OrientationTable[4 * g + member][k];
            m.cube.centreTurns[k] = 0;
        }
    }
}

}  // namespace

CodeVerdict CTarnexSource::CheckPositionCode(std::string_view text) const {
    if (text.size() < static_cast<std::size_t>(kCodeLength)) return CodeVerdict::Malformed;
    if (text.size() > static_cast<std::size_t>(kCodeLength) && !IsSeparatorChar(text[kCodeLength]))
        return CodeVerdict::Malformed;
    for (int i = 0; i < kCodeLength; ++i)
        if (text[static_cast<std::size_t>(i)] < '0' || text[static_cast<std::size_t>(i)] > '9')
            return CodeVerdict::Malformed;
    bool named[6][5] = {};
    bool twice = false;
    for (int i = 0; i < 20; ++i) {
        const int h = DigitAt(text, 3 * static_cast<std::size_t>(i));
        const int c = DigitAt(text, 3 * static_cast<std::size_t>(i) + 1);
        const int t = DigitAt(text, 3 * static_cast<std::size_t>(i) + 2);
        const bool corner = IsCornerRow(SlotRow(i));
        if ((corner ? !IsCornerRow(h) : !IsEdgeRow(h)) || c < 1 || c > 4 || t > (corner ? 2 : 1))
            return CodeVerdict::Malformed;
        twice = twice || named[h][c];
        named[h][c] = true;
    }
    int centres[7] = {};
    for (int k = 1; k <= 6; ++k) {
        centres[k] = DigitAt(text, 60 + static_cast<std::size_t>(k) - 1);
        if (centres[k] < 1 || centres[k] > 6 || DigitAt(text, 66 + static_cast<std::size_t>(k) - 1) > 3)
            return CodeVerdict::Malformed;
    }
    bool arranged = false;
    for (int r = 0; r < 24 && !arranged; ++r)
        arranged = std::equal(centres + 1, centres + 7, OrientationTable[r] + 1);
    return twice || !arranged ? CodeVerdict::Impossible : CodeVerdict::Sound;
}

void CTarnexSource::LoadPositionText(std::string_view text) {
    loadFoundNoTurns = false;
    loadTextCut = false;
    loadRecordFull = false;
    if (StartsAsCode(text)) {
        // The position is given outright: no moves led to it.
        moveRecord.Clear();
        moveRecordFull = false;
        turnCounter = 0;
        ReadPositionCode(*this, text);
    } else {
        int total;
        if (text.substr(0, 4) == "CONT") {
            total = RunMoveString(0, text);
        } else {
            // The moves start from the solved cube. A text too long for the work buffer
            // is cut after its last separator that fits, so that no token is split.
            char work[kWorkBufferSize];
            std::memcpy(work, kResetPrefix.data(), kResetPrefix.size());
            std::size_t room = kWorkBufferSize - kResetPrefix.size();
            std::size_t n = text.size();
            if (n > room) {
                loadTextCut = true;
                n = room;
                while (n > 0 && !(text[n] == '\0' || IsSeparatorChar(text[n]))) --n;
            }
            std::memcpy(work + kResetPrefix.size(), text.data(), n);
            total = RunMoveString(0, std::string_view(work, kResetPrefix.size() + n));
        }
        loadRecordFull = moveRecordFull;
        loadFoundNoTurns = total < 1;
        if (total < 1) user->Message("文件中没有转动魔方的数据", Buttons::Ok, Icon::Stop);
    }
    commandText.Clear();
    ExecuteAndSolve();
}

void CTarnexSource::DescribeFacelet(int index) {
    if (index < 0 || index >= kNetCellCount) return;
    const FaceletRecord& f = FaceletTable[index];
    const int r = f.row, c = f.col, k = f.sticker;
    const bool upright = cube.centres[1] == 1 && cube.centres[2] == 2;

    if (c == 0) {
        const int face = r + 1;
        const int degrees = (8 - (((cube.centreTurns[face] % 4) + 4) % 4)) * 90;
        if (upright)
            statusText.Format("在此处按右键可以改变%c面颜色！中心小块需要转%d度。", keyLetters[static_cast<std::size_t>(face)],
                              degrees);
        else
            statusText.Format("请先摆正整个魔方！中心小块需要转%d度。", degrees);
    } else {
        const PieceSlot& p = cube.pieces[r][c];
        if (!upright) {
            statusText.Format("当前位置%d%d%d上是%d%d小块，色向为%d。\r\n请先摆正整个魔方！", r, c, k, p.homeRow,
                              p.homeCol, p.twist);
        } else if (p.homeRow == r && p.homeCol == c) {
            if (p.twist == 0)
                statusText.Format("当前位置%d%d%d：小块已复原！", r, c, k);
            else
                statusText.Format("当前位置%d%d%d：小块位置正确，色向为%d。", r, c, k, p.twist);
        } else {
            int si = 0, sj = 0;
            for (int i = 1; i <= 5 && si == 0; ++i)
                for (int j = 1; j <= 4; ++j)
                    if (cube.pieces[i][j].homeRow == r && cube.pieces[i][j].homeCol == c) {
                        si = i;
                        sj = j;
                        break;
                    }
            if (si != 0)
                statusText.Format("当前位置%d%d%d上是%d%d小块，色向为%d。\r\n需要把%d%d位上的小块移到此处，它的色向为%d。",
                                  r, c, k, p.homeRow, p.homeCol, p.twist, si, sj, cube.pieces[si][sj].twist);
            else
                // Only after a code that names a piece twice: this slot's piece is nowhere.
                statusText.Format("当前位置%d%d%d上是%d%d小块，色向为%d。\r\n魔方中没有%d%d小块，零件有错！", r, c, k,
                                  p.homeRow, p.homeCol, p.twist, r, c);
        }
    }
    user->Message(statusText, Buttons::Ok, Icon::None);
}

}  // namespace velmora
