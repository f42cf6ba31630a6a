// The photo input's state: slots, the resolution of six read faces, corrections and
// the dialog's line of text.
#include "document/photo_input.h"

#include <algorithm>
#include <string>
#include <utility>

#include "solvers/colours/colour_space.h"

namespace velmora {
namespace {

// Colour settings of the faces U R F D L B: T R F B L P in the program's numbering.
constexpr std::array<int, kPhotoSlotCount> kDisplayColourOfFace = {1, 3, 2, 6, 5, 4};

std::string Number(int n) { return std::to_string(n); }

// The picture's place (row by row, 0-8) whose sample lands on facelet-order place i
// after the given clockwise quarter turns of the face, as the resolution turns faces.
int SampleAfterTurns(int i, int turns) {
    for (int t = 0; t < turns; ++t) i = 3 * (2 - i % 3) + i / 3;
    return i;
}

colours::Lab LabOf(const Rgb& c) {
    return colours::LabFromLinear({colours::LinearFromSrgb(c.r), colours::LinearFromSrgb(c.g), colours::LinearFromSrgb(c.b)});
}

}  // namespace

int DisplayColourOfLetter(char letter) {
    const std::size_t f = kFaceletLetters.find(letter);
    return f == std::string_view::npos ? 0 : kDisplayColourOfFace[f];
}

PhotoInputState::PhotoInputState(ColouringCheck check) : check_(std::move(check)) { Update(); }

void PhotoInputState::SetResolver(ColourResolver resolver) {
    resolver_ = std::move(resolver);
    Update();
}

void PhotoInputState::SetCheck(ColouringCheck check) {
    check_ = std::move(check);
    if (hasColouring_) Recheck();
}

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

void PhotoInputState::ClearAll() {
    slots_ = {};
    Update();
}

int PhotoInputState::ReadCount() const {
    int n = 0;
    for (const PhotoSlot& s : slots_) n += s.state == SlotState::Read ? 1 : 0;
    return n;
}

char PhotoInputState::Sticker(int i) const {
    if (!hasColouring_) return ' ';
    const std::size_t at = static_cast<std::size_t>(i);
    return corrected_[at] != 0 ? corrected_[at] : base_[at];
}

Rgb PhotoInputState::Measured(int i) const {
    const int s = sampleOf_[static_cast<std::size_t>(i)];
    return slots_[static_cast<std::size_t>(s / 9)].samples[static_cast<std::size_t>(s % 9)];
}

Rgb PhotoInputState::ClassColour(char letter) const {
    Rgb sum{};
    int n = 0;
    for (int i = 0; i < 54 && hasColouring_; ++i) {
        if (Sticker(i) != letter) continue;
        const Rgb c = Measured(i);
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        ++n;
    }
    return n == 0 ? sum : Rgb{sum.r / n, sum.g / n, sum.b / n};
}

bool PhotoInputState::InDoubt(int i) const {
    return hasColouring_ && doubt_[static_cast<std::size_t>(i)] && corrected_[static_cast<std::size_t>(i)] == 0;
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
    if (Sticker(i) == letter && (corrected_[at] != 0 || !doubt_[at])) return false;
    corrected_[at] = letter;
    Recheck();
    return true;
}

bool PhotoInputState::AnswerQuestion(int face) {
    if (questionSticker_ < 0 || (face != resolution_.askFaceA && face != resolution_.askFaceB)) return false;
    // The cube as read gives the question sticker one face's colour, the exchanged cube
    // the other's.
    const std::size_t q = static_cast<std::size_t>(questionSticker_);
    const char letter = kFaceletLetters[static_cast<std::size_t>(face)];
    // (Should the two cubes differ there by other letters, face A stands for the read.)
    const bool asRead = resolution_.facelets[q] == letter ||
                        (resolution_.swappedFacelets[q] != letter && face == resolution_.askFaceA);
    const std::array<char, 55>& picked = asRead ? resolution_.facelets : resolution_.swappedFacelets;
    for (std::size_t i = 0; i < base_.size(); ++i) base_[i] = picked[i];
    answer_ = face;
    Recheck();
    return true;
}

std::string PhotoInputState::Facelets() const {
    std::string out;
    if (!hasColouring_) return out;
    for (int i = 0; i < 54; ++i) out += Sticker(i);
    return out;
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
    questionSticker_ = -1;
    answer_ = -1;
    corrected_ = {};
    fault_.clear();
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
    resolution_ = resolver_ ? resolver_(faces) : ResolveColours(faces, true);
    TakeResolution();
    Recheck();
}

void PhotoInputState::TakeResolution() {
    const ColourResolution& r = resolution_;
    for (int i = 0; i < 54; ++i) {
        int rot = r.rotations[static_cast<std::size_t>(i / 9)];
        if (rot < 0 || rot > 3) rot = 0;
        sampleOf_[static_cast<std::size_t>(i)] = 9 * (i / 9) + SampleAfterTurns(i % 9, rot);
    }
    hasColouring_ = true;
    // The centres' colours as measured: the classes a sticker can be given.
    std::array<colours::Lab, kPhotoSlotCount> centre;
    for (int f = 0; f < kPhotoSlotCount; ++f) centre[static_cast<std::size_t>(f)] = LabOf(Measured(9 * f + 4));
    for (int i = 0; i < 54; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const char letter = r.facelets[at];
        const bool known = kFaceletLetters.find(letter) != std::string_view::npos && letter != '\0' &&
                           (i % 9 != 4 || letter == kFaceletLetters[static_cast<std::size_t>(i / 9)]);
        // The nearest centre's colour, for what the resolution left open or chose
        // against the measure.
        const colours::Lab lab = LabOf(Measured(i));
        int nearest = i / 9;
        float best = 1e9f;
        for (int f = 0; f < kPhotoSlotCount && i % 9 != 4; ++f) {
            const float d = colours::DeltaE2000(lab, centre[static_cast<std::size_t>(f)], 2.0f);
            if (d < best) { best = d; nearest = f; }
        }
        base_[at] = known && r.status != ResolveStatus::SameCentres ? letter : kFaceletLetters[static_cast<std::size_t>(nearest)];
        // A colour no real cube shows there is shown as measured, not as the nearest
        // real cube would have it: the user says what it is.
        contradicts_[at] = r.status == ResolveStatus::Ok && r.contradicts[at] && i % 9 != 4;
        if (contradicts_[at] && kFaceletLetters.find(r.nearestClass[at]) != std::string_view::npos && r.nearestClass[at] != '\0')
            base_[at] = r.nearestClass[at];
        if (i % 9 == 4) base_[at] = kFaceletLetters[static_cast<std::size_t>(i / 9)];
        bool doubt = r.doubt[at];
        if (r.status != ResolveStatus::Ok && i % 9 != 4)
            doubt = doubt || !known || base_[at] != kFaceletLetters[static_cast<std::size_t>(nearest)] || i == r.badSticker;
        if (r.status == ResolveStatus::SameCentres && i % 9 != 4) {
            const char a = kFaceletLetters[static_cast<std::size_t>(std::clamp(r.badFace, 0, 5))];
            const char b = kFaceletLetters[static_cast<std::size_t>(std::clamp(r.otherFace, 0, 5))];
            doubt = doubt || base_[at] == a || base_[at] == b || i / 9 == r.badFace;
        }
        doubt_[at] = (doubt || contradicts_[at]) && i % 9 != 4;
    }
    leadIsError_ = r.status != ResolveStatus::Ok;
    switch (r.status) {
        case ResolveStatus::SameCentres:
            lead_ = PhotoLabel(r.badFace) + "和" + PhotoLabel(r.otherFace) +
                    "的中心颜色分不清，是同一面拍了两次吗？可以换一张照片，也可以点击色块逐个改选颜色";
            break;
        case ResolveStatus::NoCube: {
            lead_ = "这六面的颜色拼不成一个真实的魔方";
            const int s = r.badSticker;
            if (s >= 0 && s < 54)
                lead_ += "，最不相符的是" + PhotoLabel(s / 9) + "第" + Number(s % 9 / 3 + 1) + "行第" + Number(s % 3 + 1) + "列的色块";
            lead_ += "。可以检查这张照片或换一张，也可以点击色块改选颜色";
            break;
        }
        case ResolveStatus::Ok: lead_ = "六面都已识别"; break;
    }
    // The one question: the first sticker the two equally fitting cubes colour
    // differently; the answer about it picks the cube.
    if (r.status == ResolveStatus::Ok && r.askFaceA >= 0 && r.askFaceA < 6 && r.askFaceB >= 0 && r.askFaceB < 6 &&
        r.askFaceA != r.askFaceB) {
        const char a = kFaceletLetters[static_cast<std::size_t>(r.askFaceA)], b = kFaceletLetters[static_cast<std::size_t>(r.askFaceB)];
        int anyDifference = -1;
        for (int i = 0; i < 54 && questionSticker_ < 0; ++i) {
            const char mine = r.facelets[static_cast<std::size_t>(i)], theirs = r.swappedFacelets[static_cast<std::size_t>(i)];
            if (i % 9 == 4 || mine == theirs) continue;
            if (anyDifference < 0) anyDifference = i;
            if ((mine == a && theirs == b) || (mine == b && theirs == a)) questionSticker_ = i;
        }
        if (questionSticker_ < 0) questionSticker_ = anyDifference;
        if (questionSticker_ >= 0)
            lead_ += "，但" + PhotoLabel(r.askFaceA) + "和" + PhotoLabel(r.askFaceB) + "的颜色太接近，照片上分不清哪一面是哪种颜色";
    }
}

void PhotoInputState::Recheck() {
    fault_ = check_ ? check_(Facelets()) : std::string();
    // Cube input names a colour by the program's face letter; the dialog by its slot.
    static constexpr std::pair<char, std::string_view> kFaceOfLetter[] = {
        {'T', "顶面"}, {'F', "前面"}, {'R', "右面"}, {'P', "后面"}, {'L', "左面"}, {'B', "底面"}};
    const std::size_t at = fault_.find("面色块数目");
    if (at != std::string::npos && at > 0)
        for (const auto& [letter, name] : kFaceOfLetter)
            if (fault_[at - 1] == letter) fault_.replace(at - 1, 4, std::string(name) + "颜色的");
    message_ = lead_;
    const int doubts = DoubtCount();
    if (doubts > 0) message_ += "；有" + Number(doubts) + "个色块的颜色没有把握（标着“?”），请对照手里的魔方核对";
    message_ += "。";
    const int contradictions = ContradictionsLeft();
    if (Asking())
        message_ += "请先回答：网上圈出的色块和哪一面的中心同色？";
    else if (contradictions > 0)
        message_ += "还不能确定：" + ContradictionText(contradictions) + "。请点击这些色块，选定它们在手里魔方上的颜色。";
    else if (!fault_.empty())
        message_ += "还不能确定：" + fault_ + "点击色块可以改选它的颜色。";
    else
        message_ += "点击色块可以改选它的颜色；按“确定”输入这个魔方。";
    error_ = leadIsError_ || !fault_.empty() || contradictions > 0;
}

int PhotoInputState::ContradictionsLeft() const {
    int n = 0;
    for (std::size_t i = 0; i < contradicts_.size() && hasColouring_; ++i) n += contradicts_[i] && corrected_[i] == 0 ? 1 : 0;
    return n;
}

}  // namespace velmora
