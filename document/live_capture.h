#pragma once
// The camera side of the photo input, without a camera: when a face grid seen in a
// stream of frames stands still long enough to be captured (StableGrid), and which of
// the dialog's slots each captured face belongs to (FaceCaptures). The frames, the
// face finder and the widgets are the window's; these decide.
#include <array>
#include <string>

#include "solvers/colours/colour_resolution.h"

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
    void Reset() { running_ = false; }

private:
    double limit_;
    int stillMs_;
    bool running_ = false;
    long long since_ = 0;
    GridCorners anchor_{}, last_{};
    double motion_ = 0;
};

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

    // The captured face whose centre has the colour of samples' centre, or -1.
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
