// The photo input's state: slots, the resolution of six read faces, corrections and
// the dialog's line of text.
#include "document/photo_input.h"

#include <string>

namespace velmora {
namespace {

// Colour settings of the faces U R F D L B: T R F B L P in the program's numbering.
constexpr std::array<int, kPhotoSlotCount> kDisplayColourOfFace = {1, 3, 2, 6, 5, 4};

std::string Number(int n) { return std::to_string(n); }

}  // namespace

int DisplayColourOfLetter(char letter) {
    const std::size_t f = kFaceletLetters.find(letter);
    return f == std::string_view::npos ? 0 : kDisplayColourOfFace[f];
}

PhotoInputState::PhotoInputState() { Update(); }

void PhotoInputState::PhotoRead(int slot, std::string_view name, const FaceSamples& samples) {
    PhotoSlot& s = slots_[static_cast<std::size_t>(slot)];
    s.state = SlotState::Read;
    s.name.assign(name);
    s.samples = samples;
    Update();
}

void PhotoInputState::PhotoWithoutFace(int slot, std::string_view name) {
    PhotoSlot& s = slots_[static_cast<std::size_t>(slot)];
    s.state = SlotState::NoFace;
    s.name.assign(name);
    Update();
    message_ = PhotoLabel(slot) + "：" + std::string(kNoFaceText);
    error_ = true;
}

void PhotoInputState::PhotoUnreadable(std::string_view name, std::string_view error) {
    message_ = std::string(name) + "：" + std::string(error);
    error_ = true;
}

void PhotoInputState::ClearSlot(int slot) {
    slots_[static_cast<std::size_t>(slot)] = PhotoSlot{};
    Update();
}

int PhotoInputState::ReadCount() const {
    int n = 0;
    for (const PhotoSlot& s : slots_) n += s.state == SlotState::Read ? 1 : 0;
    return n;
}

int PhotoInputState::DoubtCount() const {
    int n = 0;
    for (int i = 0; i < 54; ++i) n += InDoubt(i) ? 1 : 0;
    return n;
}

bool PhotoInputState::ChooseSticker(int i, char letter) {
    if (!hasColouring_ || i < 0 || i >= 54 || i % 9 == 4 || kFaceletLetters.find(letter) == std::string_view::npos)
        return false;
    const std::size_t at = static_cast<std::size_t>(i);
    const bool changed = colouring_[at] != letter || doubt_[at];
    colouring_[at] = letter;
    doubt_[at] = false;
    return changed;
}

std::string PhotoInputState::Facelets() const {
    return hasColouring_ ? std::string(colouring_.begin(), colouring_.end()) : std::string();
}

std::string PhotoInputState::PhotoLabel(int slot) const {
    const PhotoSlot& s = slots_[static_cast<std::size_t>(slot)];
    std::string label(kPhotoSlotNames[static_cast<std::size_t>(slot)]);
    if (!s.name.empty()) label += "（" + s.name + "）";
    return label;
}

void PhotoInputState::Update() {
    hasColouring_ = false;
    error_ = false;
    if (ReadCount() < kPhotoSlotCount) {
        std::string missing;
        for (int f = 0; f < kPhotoSlotCount; ++f) {
            if (slots_[static_cast<std::size_t>(f)].state == SlotState::Read) continue;
            if (!missing.empty()) missing += "、";
            missing += kPhotoSlotNames[static_cast<std::size_t>(f)];
        }
        message_ = "已读入" + Number(ReadCount()) + "面，还差：" + missing + "。";
        return;
    }
    std::array<FaceSamples, kPhotoSlotCount> faces;
    for (std::size_t f = 0; f < faces.size(); ++f) faces[f] = slots_[f].samples;
    resolution_ = ResolveColours(faces, true);
    switch (resolution_.status) {
        case ResolveStatus::SameCentres:
            message_ = PhotoLabel(resolution_.badFace) + "和" + PhotoLabel(resolution_.otherFace) +
                       "的中心颜色分不清，是同一面拍了两次吗？请换一张照片。";
            error_ = true;
            return;
        case ResolveStatus::NoCube: {
            message_ = "这六面的颜色拼不成一个真实的魔方";
            const int s = resolution_.badSticker;
            if (s >= 0 && s < 54)
                message_ += "，最不相符的是" + PhotoLabel(s / 9) + "第" + Number(s % 9 / 3 + 1) + "行第" +
                            Number(s % 3 + 1) + "列的色块";
            message_ += "。请检查这张照片，或换一张。";
            error_ = true;
            return;
        }
        case ResolveStatus::Ok: break;
    }
    for (std::size_t i = 0; i < colouring_.size(); ++i) {
        colouring_[i] = resolution_.facelets[i];
        doubt_[i] = resolution_.doubt[i];
    }
    hasColouring_ = true;
    const int doubts = DoubtCount();
    message_ = doubts == 0 ? std::string("六面都已识别。点击色块可以改选它的颜色；按“确定”输入这个魔方。")
                           : "六面都已识别，有" + Number(doubts) +
                                 "个色块的颜色没有把握（已标出），请核对；点击色块可以改选它的颜色。";
}

}  // namespace velmora
