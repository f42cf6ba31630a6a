#pragma once
// The camera side of the photo input, without a camera: when a face grid seen in a
// stream of frames stands still long enough to be captured (StableGrid), and which of
// the dialog's slots each captured face belongs to (FaceCaptures). The frames, the
// face finder and the widgets are the window's; these decide.
#include <array>
#include <string>

#include "solvers/colours/colour_resolution.h"
#include "solvers/colours/colour_space.h"

namespace velmora {

// A grid's four corners in frame pixels (top-left, top-right, bottom-right,
// bottom-left as the finder reports them; the finder may start the cycle at any
// corner from one frame to the next).
using GridCorners = std::array<std::array<float, 2>, 4>;

// A grid stands still when no corner moves more than motionLimit times the grid's
// side from one frame to the next, nor drifts more than three times that from where
// the still period began, for stillMs. A frame without a grid ends the period.
class StableGrid {
public:
    static constexpr double kMotionLimit = 0.02;  // 2 % of the side per frame
    static constexpr int kStillMs = 500;

    explicit StableGrid(double motionLimit = kMotionLimit, int stillMs = kStillMs)
        : limit_(motionLimit), stillMs_(stillMs) {}

    // One frame at ms (milliseconds of the stream). True while the grid has stood
    // still for stillMs.
    bool Frame(long long ms, bool found, const GridCorners& corners);
    // The last frame's movement as a share of the grid's side (0 without a grid).
    double LastMotion() const { return motion_; }
    // When the current still period began (ms of the stream); -1 without a grid.
    long long StillSince() const { return running_ ? since_ : -1; }
    void Reset() { running_ = false; }

private:
    double limit_;
    int stillMs_;
    bool running_ = false;
    long long since_ = 0;
    GridCorners anchor_{}, last_{};
    double motion_ = 0;
};

// A face is steady when its grid stands still (StableGrid) and its nine colours have
// held still too: over the last stillMs, every sticker of every frame lies within
// colourLimit CIEDE2000 units of that sticker's median over those frames (lightness at
// full weight: an exposure settling changes lightness most). While a camera's exposure and white balance settle after a turn, or
// while one face fades into the next, the grid stands still but the colours move; such
// frames are never captured. The captured samples are the per-channel medians over
// the steady frames, not one frame.
class SteadyFace {
public:
    static constexpr float kColourLimit = 5.0f;
    // Frames kept for the colour test (more than half a second at 60 frames a second).
    static constexpr int kKept = 48;

    enum class State {
        NoFace,           // no grid in this frame
        Moving,           // the grid moves, or has not stood still long enough
        ColoursChanging,  // the grid stands still, its colours do not yet
        Steady,           // grid and colours still for stillMs: capture Samples()
    };

    explicit SteadyFace(double motionLimit = StableGrid::kMotionLimit, int stillMs = StableGrid::kStillMs,
                        float colourLimit = kColourLimit)
        : grid_(motionLimit, stillMs), stillMs_(stillMs), colourLimit_(colourLimit) {}

    State Frame(long long ms, bool found, const GridCorners& corners, const FaceSamples& samples);
    // The medians over the frames of the last still period (valid after Steady).
    const FaceSamples& Samples() const { return median_; }
    // The largest difference (CIEDE2000) of a sticker from its median in the last frame's
    // window; what the colour test compared with colourLimit.
    float LastColourSpread() const { return spread_; }
    double LastMotion() const { return grid_.LastMotion(); }
    void Reset();

private:
    struct Kept {
        long long ms;
        FaceSamples samples;
        std::array<colours::Lab, 9> lab;
    };
    StableGrid grid_;
    int stillMs_;
    float colourLimit_;
    std::array<Kept, kKept> kept_{};
    int first_ = 0, count_ = 0;
    long long gridSince_ = -1;  // when the grid's current still period began
    FaceSamples median_{};
    float spread_ = 0;
};

// What the camera line says while a steady face is waited for: the colours still
// change ("请稍等，颜色还在变化…"), or empty.
std::string_view SteadyFaceLine(SteadyFace::State state);

// Movement between two grids as a share of the side of a: the largest corner
// displacement, the corners matched in whichever cyclic order moves them least.
double GridMotion(const GridCorners& a, const GridCorners& b);

// The faces captured so far (at most six, one per centre colour) and the slot each
// belongs to. Slots are the facelet-string faces U R F D L B. Until six are in, each
// face goes to the slot whose display colour matches its centre. With six, the pieces
// decide which faces are opposite and how they go round (the colour scheme whose best
// real cube fits the measured colours best), and the display colours only how that
// cube is held. A face may be captured in any rotation.
class FaceCaptures {
public:
    // display: the program's colour of each slot's face.
    explicit FaceCaptures(const std::array<Rgb, 6>& display) : display_(display) {}

    // The captured face that samples show again, or -1: the same centre colour and most
    // of the other stickers alike in some rotation (a face whose centre only measures
    // like another's is a new face).
    int SameCentreAs(const FaceSamples& samples) const;
    // Takes a face: it replaces the capture with the same centre colour, or is added
    // (-1 when six other faces are already in). Returns the capture's index.
    int Capture(const FaceSamples& samples);
    void Clear() { count_ = 0; }

    int Count() const { return count_; }
    const FaceSamples& Face(int capture) const { return faces_[static_cast<std::size_t>(capture)]; }
    // The slot of each capture (valid for indices below Count()).
    const std::array<int, 6>& SlotOfCapture() const { return slots_; }
    // The line that says which faces are in and how many are still missing.
    std::string Progress() const;

private:
    void Place();

    std::array<Rgb, 6> display_;
    std::array<FaceSamples, 6> faces_{};
    std::array<int, 6> slots_{};
    int count_ = 0;
};

// A short colour name (白 黄 橙 红 绿 蓝 紫) for a measured centre colour.
std::string_view ColourName(const Rgb& c);

}  // namespace velmora
