// The input tool's line of letters: built from and written back to the painted net,
// its quick edits, and the conversion of a pasted facelet string.
#include "document/input_tool.h"

#include <algorithm>

#include "model/export_maps.h"
#include "model/facelet_string.h"

namespace velmora {
namespace {

constexpr std::string_view kToolCentreLetters = "dfcbea";  // by tool face 0-5

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

char AppletLetter(int colour) {
    if (colour < 0 || colour > 7) colour = 0;
    return kAppletColourLetters[static_cast<std::size_t>(colour)];
}

bool IsCentrePlace(int i) { return i % 9 == 4; }

}  // namespace

std::string ToolTextFromFacelets(const CTarnexSource& m, int (&marks)[7]) {
    std::string text(kToolTextLength, 'g');
    for (int i = 0; i < kToolTextLength; ++i) {
        const int a = kAppletFaceletOrder[static_cast<std::size_t>(i)];
        if (a % 9 == 4) {
            const int k = a / 9 + 1;
            marks[k] = m.facelets[a];
            text[static_cast<std::size_t>(i)] = AppletLetter(m.centreColours[k]);
            continue;
        }
        int colour = m.facelets[a];
        if (colour == 8) colour = 7;
        else if (colour > 8) colour = 0;
        text[static_cast<std::size_t>(i)] = AppletLetter(colour);
    }
    return text;
}

void FaceletsFromToolText(CTarnexSource& m, std::string_view text, const int (&marks)[7]) {
    for (int i = 0; i < kToolTextLength; ++i) {
        const int a = kAppletFaceletOrder[static_cast<std::size_t>(i)];
        if (a % 9 == 4) {
            m.facelets[a] = ((marks[a / 9 + 1] % 4) + 4) % 4;
            continue;
        }
        const char c = static_cast<std::size_t>(i) < text.size() ? Lower(text[static_cast<std::size_t>(i)]) : ' ';
        int value = 9;
        for (int colour = 1; colour <= 7; ++colour)
            if (c == kAppletColourLetters[static_cast<std::size_t>(colour)]) value = colour == 7 ? 8 : colour;
        m.facelets[a] = value;
    }
}

bool ToolTextFromFaceletString(const CTarnexSource& m, std::string_view text, std::string& out) {
    if (text.size() != kFaceletCount) return false;
    char upper[kFaceletCount];
    int count[128] = {};
    for (int i = 0; i < kFaceletCount; ++i) {
        char c = text[static_cast<std::size_t>(i)];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        upper[i] = c;
        ++count[static_cast<unsigned char>(c) & 0x7f];
    }
    for (char face : std::string_view("URFDLB"))
        if (count[static_cast<unsigned char>(face)] != 9) return false;
    int net[kFaceletCount];
    if (!ReadFaceletString(m, std::string_view(upper, kFaceletCount), net)) return false;
    out.assign(kToolTextLength, 'g');
    for (int i = 0; i < kToolTextLength; ++i) {
        const int a = kAppletFaceletOrder[static_cast<std::size_t>(i)];
        out[static_cast<std::size_t>(i)] = a % 9 == 4 ? kToolCentreLetters[static_cast<std::size_t>(i / 9)]
                                                      : AppletLetter(net[a]);
    }
    return true;
}

InputToolState::InputToolState(const CTarnexSource& m, std::string_view text, const int (&marks)[7])
    : model_(m), text_(text.substr(0, std::min<std::size_t>(text.size(), kToolTextLength))) {
    std::copy(std::begin(marks), std::end(marks), marks_);
    opening_ = text_;
}

void InputToolState::TextEdited(std::string_view typed) {
    note_.clear();
    // A facelet string pasted into a full line stands somewhere inside the typed
    // letters; blanks and separators between them do not count.
    std::string letters;
    bool faceletLetters = true, faceletOnly = false;
    for (char c : typed) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) continue;
        letters += c;
        const char upper = static_cast<char>(c & ~0x20);
        faceletLetters = faceletLetters && std::string_view("URFDLB").find(upper) != std::string_view::npos;
        // U, R and L are no letters of a tool line.
        faceletOnly = faceletOnly || upper == 'U' || upper == 'R' || upper == 'L';
    }
    std::string converted;
    bool found = false;
    for (std::size_t at = 0; !found && at + kToolTextLength <= letters.size(); ++at)
        found = ToolTextFromFaceletString(model_, std::string_view(letters).substr(at, kToolTextLength), converted);
    if (!found && faceletLetters && faceletOnly && letters.size() == kToolTextLength) {
        note_.assign(kNotFaceletStringNote);
        choice_ = Choice::Typed;
        return;
    }
    if (found) {
        text_ = converted;
    } else if (typed.size() <= kToolTextLength) {
        text_.assign(typed);
        for (char& c : text_) c = Lower(c);
    } else {
        // The line holds 54 letters: of what was typed or pasted in, only as much is kept
        // as fits, so a letter typed into a full line is refused instead of pushing the
        // later stickers along and the last one off the end.
        const std::string_view before = text_;
        std::size_t head = 0;
        while (head < before.size() && head < typed.size() && Lower(typed[head]) == before[head]) ++head;
        std::size_t tail = 0;
        while (tail < before.size() - head && tail < typed.size() - head &&
               Lower(typed[typed.size() - 1 - tail]) == before[before.size() - 1 - tail])
            ++tail;
        const std::size_t full = kToolTextLength;
        const std::size_t room = full - std::min(full, head + tail);
        std::string kept(typed.substr(0, head));
        kept.append(typed.substr(head, std::min(room, typed.size() - head - tail)));
        kept.append(typed.substr(typed.size() - tail));
        text_ = std::move(kept);
        for (char& c : text_) c = Lower(c);
    }
    choice_ = Choice::Typed;
}

void InputToolState::Restore() {
    text_.assign(kRestoredToolText);
    choice_ = Choice::Restored;
    ResetCentres();
}

void InputToolState::EraseAll() {
    text_.assign(kErasedToolText);
    choice_ = Choice::EraseAll;
    ResetCentres();
}

void InputToolState::EraseEdges() {
    text_ = FromOpening(true);
    choice_ = Choice::EraseEdges;
}

void InputToolState::EraseCorners() {
    text_ = FromOpening(false);
    choice_ = Choice::EraseCorners;
}

void InputToolState::ResetCentres() {
    for (int k = 1; k <= 6; ++k) marks_[k] = 0;
    centresReset_ = true;
}

void InputToolState::Complete() {
    std::string out(kToolTextLength, 'g');
    for (int i = 0; i < kToolTextLength; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const char c = at < text_.size() ? text_[at] : ' ';
        if (IsCentrePlace(i))
            out[at] = kToolCentreLetters[at / 9];
        else
            out[at] = (c >= 'a' && c <= 'f') ? c : kRestoredToolText[at];
    }
    text_ = out;
    choice_ = Choice::Typed;
}

std::string InputToolState::FromOpening(bool keepCorners) const {
    std::string out(kToolTextLength, 'g');
    for (int i = 0; i < kToolTextLength; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const int place = i % 9;
        if (place == 4) {
            out[at] = kToolCentreLetters[at / 9];
            continue;
        }
        const bool corner = place % 2 == 0;
        if (corner == keepCorners) out[at] = at < opening_.size() ? opening_[at] : 'g';
    }
    return out;
}

}  // namespace velmora
