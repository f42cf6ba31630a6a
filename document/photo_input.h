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

class PhotoInputState {
public:
    PhotoInputState();

    // A photo in slot whose face was found (or whose corners the user placed).
    void PhotoRead(int slot, std::string_view name, const FaceSamples& samples);
    // A picture in which no face was found: the slot waits for four corners.
    void PhotoWithoutFace(int slot, std::string_view name);
    // A file that could not be used as a picture: only the message changes, the slot
    // keeps what it held.
    void PhotoUnreadable(std::string_view name, std::string_view error);
    void ClearSlot(int slot);

    const PhotoSlot& Slot(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
    int ReadCount() const;
    // The line under the slots.
    const std::string& Message() const { return message_; }
    // True when the message reports something wrong.
    bool MessageIsError() const { return error_; }

    // Six faces resolved into a cube that can exist; the user may then correct stickers.
    bool HasColouring() const { return hasColouring_; }
    // Facelet letter of sticker i (0-53) of the colouring; ' ' without one.
    char Sticker(int i) const { return hasColouring_ ? colouring_[static_cast<std::size_t>(i)] : ' '; }
    bool InDoubt(int i) const { return hasColouring_ && doubt_[static_cast<std::size_t>(i)]; }
    int DoubtCount() const;
    const ColourResolution& Resolution() const { return resolution_; }
    // The user's colour for sticker i (a letter of U R F D L B); centres stay as read.
    // The sticker is no longer in doubt. False when nothing changed.
    bool ChooseSticker(int i, char letter);
    // The 54-letter facelet string of the colouring (empty without one).
    std::string Facelets() const;

private:
    // Resolves when six faces are read, or says which are missing.
    void Update();
    std::string PhotoLabel(int slot) const;

    std::array<PhotoSlot, kPhotoSlotCount> slots_{};
    ColourResolution resolution_{};
    std::array<char, 54> colouring_{};
    std::array<bool, 54> doubt_{};
    bool hasColouring_ = false;
    std::string message_;
    bool error_ = false;
};

}  // namespace velmora
