#include "document/pasted_cube.h"

#include <cstdio>
#include <vector>

#include "document/input_tool.h"
#include "document/move_format.h"
#include "model/facelet_string.h"
#include "model/move_notation.h"
#include "model/move_text_scan.h"

namespace velmora {
namespace {

constexpr std::string_view kEmptyLine = "请粘贴或输入打乱公式、54位魔方字符串或72位位置代码。";
constexpr std::string_view kBadCodeLine = "不是有效的位置代码：须为72位数字，每位都在本位的范围内。";
constexpr std::string_view kPartsLine = "魔方零件错误，不能复原！";

bool IsBlankChar(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
    return text;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// True when the letters of text are 54 of U R F D L B and some of them stand together
// ("UUU", not "U R U"): written as a facelet string, not as moves.
bool WrittenAsFacelets(std::string_view text, std::string_view letters) {
    if (letters.size() != static_cast<std::size_t>(kFaceletCount)) return false;
    if (letters.find_first_not_of("URFDLB") != std::string_view::npos) return false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (IsLetter(text[i]) && IsLetter(text[i + 1])) return true;
    return false;
}

PastedCube FromCode(const CTarnexSource& m, std::string_view text) {
    PastedCube out;
    out.kind = PastedKind::Code;
    switch (m.CheckPositionCode(text)) {
        case CodeVerdict::Malformed: out.line.assign(kBadCodeLine); break;
        case CodeVerdict::Impossible: out.line.assign(kPartsLine); break;
        case CodeVerdict::Sound:
            out.ok = true;
            out.code.assign(text);
            out.line = "识别为72位位置代码。";
            break;
    }
    return out;
}

PastedCube FromMoves(const CTarnexSource& m, std::string_view text) {
    PastedCube out;
    out.kind = PastedKind::Moves;
    std::vector<NotationMove> moves;
    NotationError error;
    if (!ParseMoveNotation(text, moves, error)) {
        out.line = error.message;
        return out;
    }
    if (moves.empty()) {
        out.line.assign(kNoMoveMessage);
        return out;
    }
    out.moves = OwnMovesText(moves);
    out.moveCount = static_cast<int>(moves.size());
    // The turns and the record the moves leave, token by token as the engine reads them.
    std::size_t record = 0;
    const std::string_view own = out.moves;
    for (std::size_t i = 0; i < own.size();) {
        if (IsSeparatorChar(own[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < own.size() && !IsSeparatorChar(own[j])) ++j;
        // Every token of an own rendering is in the move table.
        const int index = m.FindToken(own.substr(i, j - i));
        i = j;
        if (index < 0) continue;
        const MoveEntry& entry = CTarnexSource::Move(index);
        out.turns += entry.turns;
        record += entry.record.size();
    }
    if (record > static_cast<std::size_t>(kRecordCapacity)) {
        char said[160];
        std::snprintf(said, sizeof said, "转动太多：动作记录最多%d个字符（%d转），这段文字需要%zu个字符。",
                      kRecordCapacity, kRecordCapacity / 3, record);
        out.line = said;
        return out;
    }
    out.ok = true;
    char said[128];
    std::snprintf(said, sizeof said, "识别为打乱公式：%d步，%d转。", out.moveCount, out.turns);
    out.line = said;
    return out;
}

}  // namespace

PastedCube RecognisePastedText(const CTarnexSource& m, std::string_view text) {
    const std::string_view body = Trimmed(text);
    if (body.empty()) {
        PastedCube out;
        out.line.assign(kEmptyLine);
        return out;
    }
    if (LooksLikeCode(body)) return FromCode(m, body);
    const std::string letters = FaceletLetters(body);
    int net[kFaceletCount];
    if (letters.size() == static_cast<std::size_t>(kFaceletCount) && ReadFaceletString(m, letters, net)) {
        PastedCube out;
        out.kind = PastedKind::Facelets;
        out.ok = true;
        out.facelets = letters;
        out.line = "识别为54位魔方字符串。";
        return out;
    }
    if (WrittenAsFacelets(body, letters)) {
        PastedCube out;
        out.kind = PastedKind::Facelets;
        out.line.assign(kNotFaceletStringNote);
        return out;
    }
    return FromMoves(m, body);
}

std::string PasteDialogOpening(const CTarnexSource& m, std::string_view clipboard) {
    return RecognisePastedText(m, clipboard).ok ? std::string(clipboard) : std::string();
}

}  // namespace velmora
