#pragma once
// What the photo input dialog "照片输入魔方" shows and decides, without a window: six
// slots, one per face, each holding the nine colours read from its photo (or a note
// that the photo could not be used); once all six are read, the resolved colouring
// with its doubtful stickers and the user's corrections; the line of text that says
// what is wrong or what to do next. The dialog reads pictures with the photo library
// and only shows this state.
//
// Slots are numbered as the faces of the facelet string: 0 U 顶面, 1 R 右面, 2 F 前面,
// 3 D 底面, 4 L 左面, 5 B 后面. Stickers are numbered 9 * face + place as there.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "solvers/colours/colour_resolution.h"

namespace velmora {

inline constexpr int kPhotoSlotCount = 6;
inline constexpr std::string_view kFaceletLetters = "URFDLB";
inline constexpr std::array<std::string_view, kPhotoSlotCount> kPhotoSlotNames = {
    "顶面", "右面", "前面", "底面", "左面", "后面"};
// Row and column of each slot in the dialog's net (顶面 above; 左面 前面 右面 后面 in a
// row; 底面 below).
inline constexpr std::array<std::array<int, 2>, kPhotoSlotCount> kPhotoSlotGrid = {{
    {0, 1}, {1, 2}, {1, 1}, {2, 1}, {1, 0}, {1, 3}}};
inline constexpr std::string_view kNoFaceText = "没有找到魔方的这一面，请拖动四个角点标出它。";

// The colour setting (VelmoraSettings::colourSettings, faces 1-6 T F R P L B) that shows
// a facelet letter U R F D L B; 0 for any other character.
int DisplayColourOfLetter(char letter);

enum class SlotState {
    Empty,   // nothing loaded
    Read,    // nine colours read from the photo
    NoFace,  // a picture without a face found: waiting for the four corners
};

struct PhotoSlot {
    SlotState state = SlotState::Empty;
    std::string name;   // the photo's file name, for messages
    FaceSamples samples{};
};

// Checks a 54-letter colouring as ending cube input does: empty when it passes,
// otherwise what is wrong (the document's CheckPhotoColouring).
using ColouringCheck = std::function<std::string(std::string_view)>;

// Resolves six read faces (ResolveColours with the rotations searched, unless another
// reading of the colours is put in its place).
using ColourResolver = std::function<ColourResolution(const std::array<FaceSamples, 6>&)>;

class PhotoInputState {
public:
    explicit PhotoInputState(ColouringCheck check = {});
    void SetCheck(ColouringCheck check);
    // Another resolver; six faces already read are resolved again with it.
    void SetResolver(ColourResolver resolver);

    // A photo in slot whose face was found (or whose corners the user placed).
    void PhotoRead(int slot, std::string_view name, const FaceSamples& samples);
    // A picture in which no face was found: the slot waits for four corners.
    void PhotoWithoutFace(int slot, std::string_view name);
    // A file that could not be used as a picture: only the message changes, the slot
    // keeps what it held.
    void PhotoUnreadable(std::string_view name, std::string_view error);
    void ClearSlot(int slot);
    // Empties every slot and forgets the colouring and the corrections.
    void ClearAll();

    const PhotoSlot& Slot(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
    int ReadCount() const;
    // The line under the slots.
    const std::string& Message() const { return message_; }
    // True when the message reports something wrong.
    bool MessageIsError() const { return error_; }

    // Six faces are read: there is a colouring for the user to check and correct,
    // whatever the resolution found (a real cube, none, or centres too alike).
    bool HasColouring() const { return hasColouring_; }
    // Facelet letter of sticker i (0-53) of the colouring; ' ' without one.
    char Sticker(int i) const;
    // The colour measured at sticker i (the sample the colouring puts there).
    Rgb Measured(int i) const;
    // The colour the stickers of a facelet letter's class measure on average (its
    // centre among them), for showing a class beside a sticker.
    Rgb ClassColour(char letter) const;
    bool InDoubt(int i) const;
    // The user chose sticker i's colour.
    bool Corrected(int i) const { return hasColouring_ && corrected_[static_cast<std::size_t>(i)] != 0; }
    int DoubtCount() const;
    const ColourResolution& Resolution() const { return resolution_; }
    // The user's colour for sticker i (a letter of U R F D L B); centres stay as read.
    // The sticker is no longer in doubt. False when nothing changed.
    bool ChooseSticker(int i, char letter);
    // The 54-letter facelet string of the colouring (empty without one).
    std::string Facelets() const;
    // The colouring passes the checks of ending cube input and no question is open:
    // OK may hand it on.
    bool CanConfirm() const { return hasColouring_ && !Asking() && fault_.empty() && ContradictionsLeft() == 0; }
    // Stickers whose measured colour no real cube shows where the read puts them, and
    // that the user has not chosen a colour for yet.
    int ContradictionsLeft() const;
    // What the checks found wrong with the colouring (empty when it passes).
    const std::string& Fault() const { return fault_; }

    // ---- the one question ----
    // The two faces (0-5) whose colours the read cannot tell apart, or -1: the cube as
    // read and the cube with those two faces' colours exchanged fit about equally.
    int QuestionFaceA() const { return hasColouring_ ? resolution_.askFaceA : -1; }
    int QuestionFaceB() const { return hasColouring_ ? resolution_.askFaceB : -1; }
    // The sticker the question is about: the two cubes give it the two faces' colours.
    int QuestionSticker() const { return questionSticker_; }
    // A question is open (asked and not yet answered).
    bool Asking() const { return questionSticker_ >= 0 && answer_ < 0; }
    // The face (QuestionFaceA or QuestionFaceB) whose centre the user says has the
    // question sticker's colour; -1 before an answer.
    int Answer() const { return answer_; }
    // The user's answer: face's centre has the colour of the question sticker. It picks
    // one of the two cubes; the user's corrections stay. False for another face.
    bool AnswerQuestion(int face);

private:
    // Resolves when six faces are read, or says which are missing.
    void Update();
    // The colouring the resolution gives, made whole when it found no real cube.
    void TakeResolution();
    // Checks the colouring and writes the line.
    void Recheck();
    std::string PhotoLabel(int slot) const;

    ColouringCheck check_;
    ColourResolver resolver_;
    std::array<PhotoSlot, kPhotoSlotCount> slots_{};
    ColourResolution resolution_{};
    std::array<char, 54> base_{};       // the colouring as read (or as the answer picked)
    std::array<char, 54> corrected_{};  // the user's letters, 0 where none
    std::array<bool, 54> doubt_{};
    std::array<bool, 54> contradicts_{};
    std::array<int, 54> sampleOf_{};    // the sample (9 * slot + place) at each sticker
    bool hasColouring_ = false;
    int questionSticker_ = -1;
    int answer_ = -1;
    std::string lead_;  // what the resolution found, the first part of the line
    bool leadIsError_ = false;
    std::string fault_;
    std::string message_;
    bool error_ = false;
};

}  // namespace velmora
