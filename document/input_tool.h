#pragma once
// The input tool: the painted net written as one line of 54 letters, and the quick
// edits the tool offers on that line.
//
// The line is in the applet's order (kAppletFaceletOrder): nine letters per tool face,
// the centre of tool face f (0-5) at position 4 + 9f. Letters are the applet colour
// letters "gcfbdaeh" by colour number 0-7: "a" to "f" are the six face colours, "g" and
// "h" stand for stickers whose colour is left open (they become the erase and border
// colours of the net). The centre letters of the six tool faces are "dfcbea".
//
// The tool also takes the common 54-letter facelet string (faces U R F D L B, nine
// letters each): a line of those letters, nine of each with every centre its own face,
// is converted to the tool's letters as it is typed or pasted. Such a line holds nine
// "u", which no tool line does, so the two never mix up. Blanks, line breaks and any
// other characters between its letters are passed over; a 54-letter text of U R F D L
// B that is no valid facelet string is refused, never read as the tool's letters.
#include <string>
#include <string_view>

#include "model/tarnex_source.h"

namespace velmora {

inline constexpr int kToolTextLength = 54;
// The note beside the line, after the designed two: a facelet string may be pasted.
inline constexpr std::string_view kFaceletPasteNote = "也可以粘贴由U R F D L B组成的54位魔方字符串";
inline constexpr std::string_view kNotFaceletStringNote =
    "不是有效的魔方字符串：U R F D L B各需9个，每面的中心是本面的字母。";
// All six faces in their own colours.
inline constexpr std::string_view kRestoredToolText =
    "dddddddddfffffffffcccccccccbbbbbbbbbeeeeeeeeeaaaaaaaaa";
// Every sticker open except the six centres.
inline constexpr std::string_view kErasedToolText =
    "ggggdggggggggfggggggggcggggggggbggggggggeggggggggagggg";

// The tool line of the painted net, and each face's centre mark into marks[1..6]
// (faces T F R P L B of the net).
std::string ToolTextFromFacelets(const CTarnexSource& m, int (&marks)[7]);
// Writes a tool line back into the painted net: centres take marks[1..6] (brought into
// 0-3), other stickers 1-6 for "c f b d a e", 8 for "h" and 9 for anything else. The
// line is read in lower case; a line shorter than 54 letters leaves the missing
// stickers at 9.
void FaceletsFromToolText(CTarnexSource& m, std::string_view text, const int (&marks)[7]);

// Converts a common facelet string (either case) into a tool line; false, leaving out
// alone, when text is not one.
bool ToolTextFromFaceletString(const CTarnexSource& m, std::string_view text, std::string& out);

// What the input tool dialog shows and computes; the dialog only displays it.
class InputToolState {
public:
    // Which of the five radio buttons is selected.
    enum class Choice { Typed, Restored, EraseAll, EraseEdges, EraseCorners };

    // Opening: the text and marks handed in, the typed choice, the text remembered as
    // the opening text. The model converts pasted facelet strings; it must outlive the
    // state.
    InputToolState(const CTarnexSource& m, std::string_view text, const int (&marks)[7]);

    // The text as the user typed or pasted it: lower case, cut to 54 characters; a
    // facelet string anywhere in its letters (pasted into a full line, with or without
    // blanks) replaces the whole line. Selects the typed choice. A text whose letters
    // are 54 of U R F D L B but no facelet string is refused: the line stays as it
    // was and Note() says why.
    void TextEdited(std::string_view typed);
    // Why the last edit was refused; empty when it was taken.
    const std::string& Note() const { return note_; }
    void Restore();
    void EraseAll();
    void EraseEdges();
    void EraseCorners();
    // Sets the six marks to 0 and checks the centre box (a click never clears it).
    void ResetCentres();
    // Centres get their face letters; stickers other than "a" to "f" (a blank, a spare
    // letter, a missing one) get the restored colour of their place.
    void Complete();

    const std::string& Text() const { return text_; }
    const int (&Marks() const)[7] { return marks_; }
    Choice Selected() const { return choice_; }
    bool CentresReset() const { return centresReset_; }

private:
    // The opening text face by face: the corners (keepCorners) or the edges of each
    // face kept, the others "g", the centre its face's letter.
    std::string FromOpening(bool keepCorners) const;

    const CTarnexSource& model_;
    std::string text_;
    std::string opening_;
    int marks_[7] = {};
    Choice choice_ = Choice::Typed;
    bool centresReset_ = false;
    std::string note_;
};

}  // namespace velmora
