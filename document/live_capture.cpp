// Stable-grid detection and the placement of captured faces into slots.
#include "document/live_capture.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora {
namespace {

constexpr std::array<std::string_view, 7> kCountWords = {"零", "一", "两", "三", "四", "五", "六"};
// Centres closer than this (weighted CIELAB distance) are taken for the same colour.
constexpr double kSameCentre = 22;

struct Lab {
    double l, a, b;
};

double Linear(float v) {
    const double c = std::clamp(v, 0.0f, 255.0f) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabCurve(double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; }

Lab ToLab(const Rgb& c) {
    const double r = Linear(c.r), g = Linear(c.g), b = Linear(c.b);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.9505;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.089;
    const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// Lightness counts half: the light on a face changes from capture to capture more than
// its hue does.
double Distance(const Rgb& p, const Rgb& q) {
    const Lab a = ToLab(p), b = ToLab(q);
    return std::hypot(0.5 * (a.l - b.l), a.a - b.a, a.b - b.b);
}

const Rgb& Centre(const FaceSamples& s) { return s[4]; }

}  // namespace

double GridMotion(const GridCorners& a, const GridCorners& b) {
    double side = 0;
    for (std::size_t i = 0; i < 4; ++i)
        side += std::hypot(a[(i + 1) % 4][0] - a[i][0], a[(i + 1) % 4][1] - a[i][1]) / 4;
    if (side <= 0) return 1;
    double best = 1e30;
    for (std::size_t shift = 0; shift < 4; ++shift) {
        double worst = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const auto& p = a[i];
            const auto& q = b[(i + shift) % 4];
            worst = std::max(worst, std::hypot(static_cast<double>(p[0] - q[0]), static_cast<double>(p[1] - q[1])));
        }
        best = std::min(best, worst);
    }
    return best / side;
}

bool StableGrid::Frame(long long ms, bool found, const GridCorners& corners) {
    if (!found) {
        running_ = false;
        motion_ = 0;
        return false;
    }
    if (!running_) {
        running_ = true;
        since_ = ms;
        anchor_ = last_ = corners;
        motion_ = 0;
        return false;
    }
    motion_ = GridMotion(last_, corners);
    last_ = corners;
    if (motion_ > limit_ || GridMotion(anchor_, corners) > 3 * limit_) {
        since_ = ms;
        anchor_ = corners;
        return false;
    }
    return ms - since_ >= stillMs_;
}

namespace {

colours::Lab LabOf(const Rgb& c) {
    return colours::LabFromLinear({colours::LinearFromSrgb(c.r), colours::LinearFromSrgb(c.g), colours::LinearFromSrgb(c.b)});
}

}  // namespace

void SteadyFace::Reset() {
    grid_.Reset();
    count_ = 0;
    first_ = 0;
    gridSince_ = -1;
    spread_ = 0;
}

SteadyFace::State SteadyFace::Frame(long long ms, bool found, const GridCorners& corners, const FaceSamples& samples) {
    const bool still = grid_.Frame(ms, found, corners);
    if (!found) {
        count_ = 0;
        gridSince_ = -1;
        spread_ = 0;
        return State::NoFace;
    }
    // Frames from before the grid's still period were taken while it moved.
    if (grid_.StillSince() != gridSince_) {
        gridSince_ = grid_.StillSince();
        count_ = 0;
    }
    // Only the last stillMs count; the oldest makes room when the store is full.
    while (count_ > 0 && (kept_[static_cast<std::size_t>(first_)].ms < ms - stillMs_ || count_ == kKept)) {
        first_ = (first_ + 1) % kKept;
        --count_;
    }
    Kept& k = kept_[static_cast<std::size_t>((first_ + count_) % kKept)];
    ++count_;
    k.ms = ms;
    k.samples = samples;
    for (std::size_t i = 0; i < 9; ++i) k.lab[i] = LabOf(samples[i]);
    // Each sticker's median over the window, and the farthest any frame lies from it.
    std::array<float, kKept> channel{};
    auto median = [&](auto pick) {
        for (int j = 0; j < count_; ++j) channel[static_cast<std::size_t>(j)] = pick(kept_[static_cast<std::size_t>((first_ + j) % kKept)]);
        const auto mid = channel.begin() + count_ / 2;
        std::nth_element(channel.begin(), mid, channel.begin() + count_);
        if (count_ % 2 == 1) return *mid;
        return (*mid + *std::max_element(channel.begin(), mid)) / 2;
    };
    FaceSamples med{};
    spread_ = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        med[i] = {median([i](const Kept& f) { return f.samples[i].r; }), median([i](const Kept& f) { return f.samples[i].g; }),
                  median([i](const Kept& f) { return f.samples[i].b; })};
        const colours::Lab m = LabOf(med[i]);
        for (int j = 0; j < count_; ++j)
            spread_ = std::max(spread_, colours::DeltaE2000(kept_[static_cast<std::size_t>((first_ + j) % kKept)].lab[i], m, 1.0f));
    }
    if (!still) return State::Moving;
    if (spread_ > colourLimit_) return State::ColoursChanging;
    median_ = med;
    return State::Steady;
}

std::string_view SteadyFaceLine(SteadyFace::State state) {
    return state == SteadyFace::State::ColoursChanging ? "请稍等，颜色还在变化…" : "";
}

namespace {

// Whether two captures show one face: besides the centre, most stickers (two of three)
// alike in some rotation. Two faces whose centres merely measure alike (red and orange
// under warm light) differ in their other stickers.
bool SameFace(const FaceSamples& a, const FaceSamples& b) {
    for (int turn = 0; turn < 4; ++turn) {
        int alike = 0;
        for (int i = 0; i < 9; ++i) {
            int r = i / 3, c = i % 3;
            for (int t = 0; t < turn; ++t) std::tie(r, c) = std::pair(2 - c, r);
            alike += Distance(a[static_cast<std::size_t>(i)], b[static_cast<std::size_t>(3 * r + c)]) < kSameCentre ? 1 : 0;
        }
        if (alike >= 6) return true;
    }
    return false;
}

}  // namespace

int FaceCaptures::SameCentreAs(const FaceSamples& samples) const {
    int best = -1;
    double nearest = kSameCentre;
    for (int i = 0; i < count_; ++i) {
        const double d = Distance(Centre(samples), Centre(faces_[static_cast<std::size_t>(i)]));
        if (d < nearest && SameFace(samples, faces_[static_cast<std::size_t>(i)])) {
            nearest = d;
            best = i;
        }
    }
    return best;
}

int FaceCaptures::Capture(const FaceSamples& samples) {
    int at = SameCentreAs(samples);
    if (at < 0) {
        if (count_ == 6) return -1;
        at = count_++;
    }
    faces_[static_cast<std::size_t>(at)] = samples;
    Place();
    return at;
}

namespace {

using Placement = std::array<int, 6>;  // slot of each capture

// The 24 ways to hold the cube, as where each face's slot goes: made from a quarter
// turn of the whole cube about U (F to L, L to B, B to R, R to F) and one about R
// (F to U, U to B, B to D, D to F).
std::array<Placement, 24> WholeCubeTurns() {
    constexpr Placement kAboutU = {0, 2, 4, 3, 5, 1}, kAboutR = {5, 1, 0, 2, 4, 3};
    std::array<Placement, 24> turns{};
    turns[0] = {0, 1, 2, 3, 4, 5};
    int n = 1;
    for (int i = 0; i < n; ++i)
        for (const Placement& g : {kAboutU, kAboutR}) {
            Placement t;
            for (std::size_t k = 0; k < 6; ++k) t[k] = g[static_cast<std::size_t>(turns[static_cast<std::size_t>(i)][k])];
            if (std::find(turns.begin(), turns.begin() + n, t) == turns.begin() + n) turns[static_cast<std::size_t>(n++)] = t;
        }
    return turns;
}

}  // namespace

void FaceCaptures::Place() {
    std::array<std::array<double, 6>, 6> cost{};
    for (int i = 0; i < count_; ++i)
        for (std::size_t s = 0; s < 6; ++s)
            cost[static_cast<std::size_t>(i)][s] = Distance(Centre(faces_[static_cast<std::size_t>(i)]), display_[s]);
    auto colourCost = [&](const Placement& p) {
        double c = 0;
        for (int i = 0; i < count_; ++i) c += cost[static_cast<std::size_t>(i)][static_cast<std::size_t>(p[static_cast<std::size_t>(i)])];
        return c;
    };
    Placement perm;
    std::iota(perm.begin(), perm.end(), 0);
    if (count_ < 6) {
        // The placement closest to the display colours.
        double best = 1e30;
        do {
            const double c = colourCost(perm);
            if (c < best) {
                best = c;
                slots_ = perm;
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
        return;
    }
    // All six in: the pieces decide which faces are opposite and how they go round.
    // One placement per way of holding the cube (capture 0 on U; capture 1 on D with
    // capture 2 on R, or capture 1 on R) gives the 30 colour schemes; the one whose
    // best real cube fits the measured colours best wins. Another scheme may give a
    // real cube too when two colours are alike (red and orange), but a worse fitting
    // one.
    float bestFit = 0;
    bool any = false;
    Placement scheme = perm;
    do {
        if (perm[0] != 0 || !((perm[1] == 3 && perm[2] == 1) || perm[1] == 1)) continue;
        std::array<FaceSamples, 6> faces;
        for (std::size_t i = 0; i < 6; ++i) faces[static_cast<std::size_t>(perm[i])] = faces_[i];
        const ColourResolution r = ResolveColours(faces, true);
        if (r.status == ResolveStatus::Ok && (!any || r.cost < bestFit)) {
            bestFit = r.cost;
            scheme = perm;
            any = true;
        }
    } while (std::next_permutation(perm.begin(), perm.end()));
    // The same cube held the way the display colours suggest.
    double best = 1e30;
    for (const Placement& turn : WholeCubeTurns()) {
        Placement p;
        for (std::size_t i = 0; i < 6; ++i) p[i] = turn[static_cast<std::size_t>(scheme[i])];
        const double c = colourCost(p);
        if (c < best) {
            best = c;
            slots_ = p;
        }
    }
}

std::string FaceCaptures::Progress() const {
    if (count_ == 0) return "把魔方的一面对准摄像头，停住半秒钟就会拍下这一面；六面都要拍。";
    if (count_ == 6) return "六面都已拍下。";
    std::string seen;
    for (int i = 0; i < count_; ++i) {
        if (i) seen += "、";
        seen += ColourName(Centre(faces_[static_cast<std::size_t>(i)]));
    }
    return "已拍下中心为" + seen + "的" + std::string(kCountWords[static_cast<std::size_t>(count_)]) + "面；还差" +
           std::string(kCountWords[static_cast<std::size_t>(6 - count_)]) + "面（中心颜色还没见过）。";
}

std::string_view ColourName(const Rgb& c) {
    const double r = c.r, g = c.g, b = c.b;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi <= 0 || (hi - lo) / hi < 0.25) return "白";
    double h;
    if (hi == r) h = 60 * std::fmod((g - b) / (hi - lo) + 6, 6.0);
    else if (hi == g) h = 60 * ((b - r) / (hi - lo) + 2);
    else h = 60 * ((r - g) / (hi - lo) + 4);
    if (h < 14 || h >= 330) return "红";
    if (h < 42) return "橙";
    if (h < 72) return "黄";
    if (h < 170) return "绿";
    if (h < 260) return "蓝";
    return "紫";
}

}  // namespace velmora
