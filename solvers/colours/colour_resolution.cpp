// Colour resolution: light normalisation per face, sticker-by-class costs, the best
// real cube by branch and bound over corner and edge placements, the face rotations,
// and the stickers in doubt.
#include "solvers/colours/colour_resolution.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>

#include "solvers/colours/colour_space.h"
#include "solvers/colours/piece_search.h"

namespace velmora {

using colours::BestPlacement;
using colours::kNoBound;
using colours::Lab;
using colours::Linear;
using colours::PiecePlacement;
using colours::PieceProblem;
using colours::PieceQuery;

namespace {

// "Almost as well": a sticker is in doubt when a real colouring that shows another
// colour there costs at most the doubt margin more than the best one. Costs are summed
// CIEDE2000 differences (lightness weighted by 1/2) of every sticker from its colour
// class after the light normalisation, so the margin is the total colour difference,
// spread over all the stickers that the other colouring changes (at least two pieces),
// that a reading may be off by. It is kDoubtMargin for a read that fits as well as a
// typical true read (kTypicalCost in all) and grows with the square of the read's cost
// beyond that: a read that fits badly has a light that may be wrong on some face, and
// then a colouring that is worse under that light may be the true one under its own.
constexpr float kDoubtMargin = 16.0f;
constexpr float kTypicalCost = 240.0f;
// A read whose cost is above this fits worse than true reads under hard light almost
// ever do (about one in a thousand; photos with shadows across a face more often): its
// light cannot be trusted anywhere, and with the photos' rotations free another
// colouring of the whole cube may fit as well under another light. All its stickers
// are in doubt.
constexpr float kDoubtAllCost = 380.0f;
// A sample below this share of a class colour in some channel is not that class under
// glare (glare only adds light; the share leaves room for noise and shading).
constexpr float kGlareFloor = 0.7f;
// A glare explanation (the class colour brightened by white light) costs this much on
// top of its colour difference, so that a sticker is read as glare only when no class
// fits it plainly.
constexpr float kGlarePenalty = 8.0f;
// A sticker whose cost in the best real colouring is above this fits no colour class:
// the colours are not those of a real cube.
constexpr float kNoCubeCost = 45.0f;
// Colours whose best real cube costs more than this in all (about 11 per sticker,
// three times a typical read under hard light) are not a cube's: random colours, a
// photo of something else.
constexpr float kNoCubeTotal = 600.0f;
// Two faces are one face photographed twice when, under the light that best turns one
// into the other, each of their nine samples lies within this (CIEDE2000, lightness at
// half weight) of its match.
constexpr float kSameFace = 7.0f;
// A sticker lies far from its class when its difference from the class colour under the
// read's light (CIEDE2000, lightness at half weight) is above this: more than shading,
// glare and noise move a true sticker (a few units in most reads, twenty under hard
// light; one true sticker in ten thousand beyond 26). Such a sticker is in doubt.
constexpr float kFarFromClass = 24.0f;
// In a read that fits well, far is less: kFarTimesTypical times the read's own
// 90th-percentile sticker, but never below kNearFarFromClass.
constexpr float kFarTimesTypical = 3.0f;
// A centre further than this from the class its face's stickers make: the classes are
// not what the centres say, and every sticker is in doubt.
constexpr float kFarCentreDoubt = 20.0f;
constexpr float kNearFarFromClass = 12.0f;
// A centre this far from its own class (estimated from all the class's stickers) is not
// the colour its face's stickers show: the read is refused. Beyond what any true
// sticker shows under hard light.
constexpr float kFarCentre = 40.0f;
// A sticker nearer to another class than to its own by more than this is in doubt:
// a real cube does not show it there, whatever the pieces around it say.
constexpr float kNearerOther = 12.0f;
// A sticker contradicts the read (no real cube shows its measured colour there) when it
// lies beyond kFarContradiction from its class (where about one true sticker in ten
// thousand lies), or nearer another class by more than kNearerOther, and in both cases
// beyond this many times the read's 90th-percentile sticker: under hard light true
// stickers stray that far (about one read in two hundred then shows one), while a
// sticker of another colour stuck in its place lies a whole class distance off.
constexpr float kFarContradiction = 26.0f;
constexpr float kContradictionTimesTypical = 3.0f;
// How much brighter than white (log) a class may be in one channel (fluorescent
// stickers are a little).
constexpr float kBrighterThanWhite = 0.15f;
// The linear level a white sticker is normalised to.
constexpr float kWhiteLevel = 0.85f;
// At most this many rounds of "read the cube, re-estimate the light from it".
constexpr int kRounds = 3;
// Linear levels at which a measured channel is taken as clipped by the camera, or as
// too dark to say anything about the light.
constexpr float kClipped = 0.98f;
constexpr float kDarkestUsable = 0.04f;
// Other colourings given their own light after a read, and how much dearer than the
// read (under its light) they may be.
constexpr int kAlternatives = 3;
constexpr float kAlternativeMargin = 60.0f;
// An alternative whose cost under its own light comes within this of the read's is
// given its light once more.
constexpr float kRefineMargin = 40.0f;
// A read whose total cost is above this is looked at again from other starts (about
// seven in ten true reads under hard light cost less).
constexpr float kSuspectCost = 240.0f;
// Reads of other starts kept for the doubt.
constexpr int kRunnersUp = 4;
// Starts from the colours of common cubes tried while a read still fits badly.
constexpr int kCommonStarts = 5;
// A start whose read after its first round fits this much worse than the read so far
// is given up.
constexpr float kAbandonStart = 200.0f;
// Restarts of the light search from a read cube's class colours.
constexpr int kRestarts = 2;
// Nodes each search of one rotation set may visit.
constexpr long kRotationNodes = 5000;
// Rotation sets whose search ran out of nodes before the search gives up.
constexpr int kSlowRotationSets = 32;
// Rotation sets within reach of the best that the doubt search looks at.
constexpr int kNearRotations = 64;
// A class this dark in a channel (log of the normalised level) says little about a
// face's light in it.
const float kDarkClass = std::log(0.08f);
// How a warmer light shifts the log channels r g b (from the black-body line between
// 2700 and 9000 K, in linear sRGB).
constexpr float kWarm[3] = {0.48f, 0.0f, -0.88f};
// The range of the temperature shift (along kWarm) a face's light is looked for in:
// somewhat beyond 9000 K and 2700 K against daylight.
constexpr float kCoolest = -0.6f, kWarmest = 2.2f;
// Largest difference one sample adds to the score of a light guess.
constexpr float kQuickCap = 25.0f;
// How firmly the lights of two faces are held to one colour temperature line: the
// weight against a green-magenta tint between them (see KeepLightsReal).
constexpr float kTintWeight = 20.0f;
// Lightness weight in CIEDE2000: shading across a face changes lightness most.
constexpr float kLightnessWeight = 2.0f;

// Sticker colours of common cubes in 8-bit sRGB under daylight: white, yellow, red,
// orange, green, blue.
constexpr float kCommonColours[6][3] = {{232, 234, 228}, {245, 214, 10}, {190, 22, 36},
                                        {255, 104, 10},  {10, 155, 72},  {12, 72, 176}};

// The common colours in linear light with white at kWhiteLevel: their log channels and
// CIELAB.
struct CommonColours {
    float log[6][3];
    Lab lab[6];
};

// kTurnSource[r][i]: the picture sample that lands on facelet-order sticker i after r
// clockwise quarter turns of the face.
constexpr std::array<std::array<int, 9>, 4> MakeTurnSources() {
    std::array<std::array<int, 9>, 4> t{};
    for (int i = 0; i < 9; ++i) t[0][static_cast<std::size_t>(i)] = i;
    for (int r = 1; r < 4; ++r)
        for (int i = 0; i < 9; ++i) {
            const int row = i / 3, col = i % 3;
            t[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)] =
                t[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(3 * (2 - col) + row)];
        }
    return t;
}
constexpr auto kTurnSource = MakeTurnSources();

using Rotations = std::array<int, 6>;

int SampleOf(int facelet, const Rotations& rot) {
    const int f = facelet / 9;
    return 9 * f + kTurnSource[static_cast<std::size_t>(rot[static_cast<std::size_t>(f)])][static_cast<std::size_t>(facelet % 9)];
}

float Median(float* v, int n) {
    std::nth_element(v, v + n / 2, v + n);
    const float hi = v[n / 2];
    if (n % 2 == 1) return hi;
    return 0.5f * (hi + *std::max_element(v, v + n / 2));
}

// Puts item into the cheapest-first list items/costs of count entries (at most N),
// after those of equal cost, the dearest dropping out when full; false when the list is
// full of entries no dearer.
template <class T, std::size_t N>
bool InsertCheapest(std::array<T, N>& items, std::array<float, N>& costs, int& count, const T& item, float cost) {
    if (count == static_cast<int>(N) && cost >= costs[N - 1]) return false;
    std::size_t at = count < static_cast<int>(N) ? static_cast<std::size_t>(count++) : N - 1;
    for (; at > 0 && costs[at - 1] > cost; --at) {
        costs[at] = costs[at - 1];
        items[at] = items[at - 1];
    }
    costs[at] = cost;
    items[at] = item;
    return true;
}

float Channel(const Linear& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); }
float& Channel(Linear& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); }

const CommonColours& Common() {
    static const CommonColours common = [] {
        CommonColours c{};
        const float white = colours::LinearFromSrgb(kCommonColours[0][1]);
        for (int p = 0; p < 6; ++p) {
            Linear l;
            for (int k = 0; k < 3; ++k) Channel(l, k) = kWhiteLevel * colours::LinearFromSrgb(kCommonColours[p][k]) / white;
            for (int k = 0; k < 3; ++k) c.log[p][k] = std::log(std::max(Channel(l, k), 1e-4f));
            c.lab[p] = colours::LabFromLinear(l);
        }
        return c;
    }();
    return common;
}

// The best real colouring for one set of rotations: corner and edge placements of
// equal parity, with the best placements of each parity kept for the doubt search.
struct CubeFit {
    float total = kNoBound;
    int parity = 0;
    std::array<PiecePlacement, 2> corners{}, edges{};  // best of parity 0 and 1 (found or not)
    bool complete = true;
};

struct Resolver {
    // Measured colours, linear light, by picture sample (face f, sample i: 9 f + i).
    std::array<Linear, 54> lin{};
    // Per face the log gain of its light, per class the log of its colour under the
    // common normalised light (channels r g b).
    float gain[6][3] = {};
    float ref[6][3] = {};
    std::array<Lab, 54> sampleLab{};
    std::array<Lab, 6> refLab{};
    float cost[54][6] = {};  // sample by class
    float plain[54][6] = {};  // the same without any glare explanation
    bool glare[54][6] = {};  // the cost is that of the class colour under glare
    PieceProblem cornerProblem, edgeProblem;

    Resolver() {
        cornerProblem.count = 8;
        cornerProblem.twists = 3;
        cornerProblem.colours = &colours::kCornerColours[0][0];
        edgeProblem.count = 12;
        edgeProblem.twists = 2;
        edgeProblem.colours = &colours::kEdgeColours[0][0];
    }

    Linear Normalised(int s) const {
        const int f = s / 9;
        Linear c = lin[static_cast<std::size_t>(s)];
        for (int k = 0; k < 3; ++k) Channel(c, k) /= std::exp(gain[f][k]);
        return c;
    }

    // First estimate of each face's light: its lightest neutral-looking sample is taken
    // for white (the sample whose weakest channel is strongest). A face that shows no
    // white gets the mean colour of the other faces' light, at its own exposure.
    void InitialLight() {
        bool hasWhite[6] = {};
        int whites = 0;
        float mean[3] = {};
        for (int f = 0; f < 6; ++f) {
            int bestSample = 9 * f;
            float bestMin = -1;
            for (int i = 0; i < 9; ++i) {
                const Linear& c = lin[static_cast<std::size_t>(9 * f + i)];
                const float lo = std::min({c.r, c.g, c.b});
                if (lo > bestMin) { bestMin = lo; bestSample = 9 * f + i; }
            }
            const Linear& w = lin[static_cast<std::size_t>(bestSample)];
            const float hi = std::max({w.r, w.g, w.b, 1e-4f});
            hasWhite[f] = bestMin / hi >= 0.2f;
            for (int k = 0; k < 3; ++k) gain[f][k] = std::log(std::max(Channel(w, k), 1e-4f) / kWhiteLevel);
            if (hasWhite[f]) {
                ++whites;
                const float level = (gain[f][0] + gain[f][1] + gain[f][2]) / 3;
                for (int k = 0; k < 3; ++k) mean[k] += gain[f][k] - level;
            }
        }
        for (int f = 0; f < 6; ++f) {
            if (hasWhite[f]) continue;
            // Exposure from the face's brightest channel, taken as a light colour's.
            float top = 1e-4f;
            for (int i = 0; i < 9; ++i) {
                const Linear& c = lin[static_cast<std::size_t>(9 * f + i)];
                top = std::max({top, c.r, c.g, c.b});
            }
            const float level = std::log(top / kWhiteLevel);
            for (int k = 0; k < 3; ++k) gain[f][k] = level + (whites > 0 ? mean[k] / static_cast<float>(whites) : 0);
        }
        for (int f = 0; f < 6; ++f) {
            const Linear c = Normalised(9 * f + 4);
            for (int k = 0; k < 3; ++k) ref[f][k] = std::log(std::max(Channel(c, k), 1e-4f));
        }
    }

    // Whether faces a and b are one face photographed twice: in some rotation every
    // sample of b is the matching sample of a seen under another real light (an exposure
    // and a colour temperature, fitted by least squares over the log channels of the
    // samples bright enough to tell), within kSameFace.
    bool SameFace(int a, int b) const {
        for (int turn = 0; turn < 4; ++turn) {
            float d[9][3];
            bool usable[9];
            for (int i = 0; i < 9; ++i) {
                const Linear& x = lin[static_cast<std::size_t>(9 * a + i)];
                const Linear& y = lin[static_cast<std::size_t>(9 * b + kTurnSource[static_cast<std::size_t>(turn)][static_cast<std::size_t>(i)])];
                usable[i] = true;
                for (int k = 0; k < 3; ++k) {
                    const float cx = Channel(x, k), cy = Channel(y, k);
                    usable[i] = usable[i] && cx > kDarkestUsable && cy > kDarkestUsable && cx < kClipped && cy < kClipped;
                    d[i][k] = std::log(std::max(cy, 1e-4f)) - std::log(std::max(cx, 1e-4f));
                }
            }
            // Least squares of d = e + t * kWarm over the usable channels.
            float s11 = 0, s12 = 0, s22 = 0, r1 = 0, r2 = 0;
            int n = 0;
            for (int i = 0; i < 9; ++i) {
                if (!usable[i]) continue;
                ++n;
                for (int k = 0; k < 3; ++k) {
                    s11 += 1;
                    s12 += kWarm[k];
                    s22 += kWarm[k] * kWarm[k];
                    r1 += d[i][k];
                    r2 += d[i][k] * kWarm[k];
                }
            }
            float e = 0, t = 0;
            if (n >= 3) {
                const float det = s11 * s22 - s12 * s12;
                e = (r1 * s22 - r2 * s12) / det;
                t = (s11 * r2 - s12 * r1) / det;
            }
            bool alike = true;
            for (int i = 0; i < 9 && alike; ++i) {
                const Linear& x = lin[static_cast<std::size_t>(9 * a + i)];
                const Linear& y = lin[static_cast<std::size_t>(9 * b + kTurnSource[static_cast<std::size_t>(turn)][static_cast<std::size_t>(i)])];
                Linear lit;
                for (int k = 0; k < 3; ++k) Channel(lit, k) = std::min(1.0f, Channel(x, k) * std::exp(e + t * kWarm[k]));
                alike = colours::DeltaE2000(colours::LabFromLinear(lit), colours::LabFromLinear(y), kLightnessWeight) < kSameFace;
            }
            if (alike) return true;
        }
        return false;
    }

    // Refines each face's light before any cube is read. If sample s of face f shows
    // class c, the light of f is log(s) - colour(c): every such guess (c one of the
    // other faces' classes, their colours from their centres) is tried, and the one
    // under which the face's other samples lie nearest to some class colour (or to
    // the face's own centre, which needs no light) is kept. This finds the light of a
    // face that shows no white sticker, or whose lightest sticker is glare.
    //
    // fromCentres false: the class colours are those estimated from a read cube (all
    // their stickers), which also tells the face's own class; used to restart from a
    // read whose light went wrong on some face.
    void SearchFaceLight(bool fromCentres) {
        for (int pass = 0; pass < (fromCentres ? 2 : 1); ++pass) {
            Lab refs[6];
            for (int c = 0; c < 6; ++c) {
                if (!fromCentres) {
                    refs[c] = colours::LabFromLinear({std::exp(ref[c][0]), std::exp(ref[c][1]), std::exp(ref[c][2])});
                    continue;
                }
                const Linear n = Normalised(9 * c + 4);
                refs[c] = colours::LabFromLinear(n);
                for (int k = 0; k < 3; ++k) ref[c][k] = std::log(std::max(Channel(n, k), 1e-4f));
            }
            float next[6][3];
            for (int f = 0; f < 6; ++f) {
                float bestScore = kNoBound;
                for (int k = 0; k < 3; ++k) next[f][k] = gain[f][k];
                const Lab centre = colours::LabFromLinear(lin[static_cast<std::size_t>(9 * f + 4)]);
                Lab raw[9];
                for (int i = 0; i < 9; ++i) raw[i] = colours::LabFromLinear(lin[static_cast<std::size_t>(9 * f + i)]);
                for (int i = 0; i < 9; ++i) {
                    if (i == 4) continue;
                    const Linear& m = lin[static_cast<std::size_t>(9 * f + i)];
                    for (int c = 0; c < 6; ++c) {
                        if (c == f && fromCentres) continue;
                        float trial[3];
                        if (!LightGuess(m, c, f, trial)) continue;
                        float score = 0;
                        const float scale[3] = {std::exp(-trial[0]), std::exp(-trial[1]), std::exp(-trial[2])};
                        for (int j = 0; j < 9 && score < bestScore; ++j) {
                            if (j == 4) continue;
                            const Linear& o = lin[static_cast<std::size_t>(9 * f + j)];
                            const Lab lab = colours::LabFromLinear({o.r * scale[0], o.g * scale[1], o.b * scale[2]});
                            float d = QuickDistance(raw[j], centre);
                            for (int c2 = 0; c2 < 6; ++c2)
                                if (c2 != f || !fromCentres) d = std::min(d, QuickDistance(lab, refs[c2]));
                            score += std::min(d, kQuickCap);
                        }
                        if (score < bestScore) {
                            bestScore = score;
                            for (int k = 0; k < 3; ++k) next[f][k] = trial[k];
                        }
                    }
                }
            }
            for (int f = 0; f < 6; ++f)
                for (int k = 0; k < 3; ++k) gain[f][k] = next[f][k];
        }
        if (!fromCentres) return;
        for (int f = 0; f < 6; ++f) {
            const Linear c = Normalised(9 * f + 4);
            for (int k = 0; k < 3; ++k) ref[f][k] = std::log(std::max(Channel(c, k), 1e-4f));
        }
    }

    // The light of face f if measured colour m shows class c, as an exposure plus a
    // shift along the colour temperature line (where real lights lie, also after a
    // camera's white balance), fitted to the channels that are neither clipped nor
    // nearly black in m and in the class colour. False when no channel is usable.
    bool LightGuess(const Linear& m, int c, int f, float out[3]) const { return LightGuess(m, ref[c], f, out); }

    // The same with the class colour given as its log channels.
    bool LightGuess(const Linear& m, const float colour[3], int f, float out[3]) const {
        float d[3];
        bool use[3];
        int n = 0;
        for (int k = 0; k < 3; ++k) {
            const float v = Channel(m, k);
            use[k] = v > kDarkestUsable && v < kClipped && colour[k] > kDarkClass;
            d[k] = std::log(std::max(v, 1e-4f)) - colour[k];
            n += use[k];
        }
        if (n == 0) return false;
        // Temperature t along kWarm = (r, 0, b), exposure e on all channels.
        const float current = (gain[f][0] - gain[f][2]) / (kWarm[0] - kWarm[2]);
        float e = 0, t = current;
        if (n == 1 || (n == 2 && use[1])) {
            // One channel, or green and one other: green fixes the exposure.
            const int k = use[1] ? 1 : (use[0] ? 0 : 2);
            e = d[k] - t * kWarm[k];
            if (n == 2) {
                const int other = use[0] ? 0 : 2;
                t = (d[other] - e) / kWarm[other];
            }
        } else {
            // Least squares over the usable channels.
            float sw = 0, sww = 0, sd = 0, swd = 0;
            for (int k = 0; k < 3; ++k)
                if (use[k]) { sw += kWarm[k]; sww += kWarm[k] * kWarm[k]; sd += d[k]; swd += kWarm[k] * d[k]; }
            const float det = static_cast<float>(n) * sww - sw * sw;
            t = (static_cast<float>(n) * swd - sw * sd) / det;
            e = (sd - t * sw) / static_cast<float>(n);
        }
        // A light warmer or cooler than any lamp between 2700 and 9000 K reads, say,
        // yellow as white: not a guess worth trying.
        if (t < kCoolest || t > kWarmest) return false;
        for (int k = 0; k < 3; ++k) out[k] = e + t * kWarm[k];
        return true;
    }

    // A start for reads that fit badly: the colours of common cubes. For each face and
    // each common colour its centre may have, the face's light is guessed from every
    // sample taken as every common colour, and scored by how near the face's samples
    // then lie to common colours (the centre to the one it is given). The six centres
    // get six different common colours, the assignment that scores best over the cube;
    // each face keeps the light of its best guess under it and each class starts from
    // its common colour. The colours only start the search: the cube read from them is
    // kept only if it fits the measured colours better than the other reads.
    //
    // The kCommonStarts best assignments are kept, best first; StartFrom applies one.
    struct CommonStarts {
        int count = 0;
        std::array<std::array<int, 6>, kCommonStarts> colourOf{};
        float light[6][6][3];
    };

    CommonStarts CommonColourStarts() const {
        const CommonColours& common = Common();
        CommonStarts starts;
        float score[6][6];
        auto& light = starts.light;
        for (int f = 0; f < 6; ++f) {
            for (int p = 0; p < 6; ++p) score[f][p] = kNoBound;
            for (int i = 0; i < 9; ++i)
                for (int q = 0; q < 6; ++q) {
                    float trial[3];
                    if (!LightGuess(lin[static_cast<std::size_t>(9 * f + i)], common.log[q], f, trial)) continue;
                    const float scale[3] = {std::exp(-trial[0]), std::exp(-trial[1]), std::exp(-trial[2])};
                    float others = 0, centre[6] = {};
                    for (int j = 0; j < 9; ++j) {
                        const Linear& o = lin[static_cast<std::size_t>(9 * f + j)];
                        const Lab lab = colours::LabFromLinear({o.r * scale[0], o.g * scale[1], o.b * scale[2]});
                        float nearest = kQuickCap;
                        for (int c = 0; c < 6; ++c) {
                            const float d = std::min(QuickDistance(lab, common.lab[c]), kQuickCap);
                            if (j == 4) centre[c] = d;
                            nearest = std::min(nearest, d);
                        }
                        if (j != 4) others += nearest;
                    }
                    for (int c = 0; c < 6; ++c)
                        if (others + centre[c] < score[f][c]) {
                            score[f][c] = others + centre[c];
                            for (int k = 0; k < 3; ++k) light[f][c][k] = trial[k];
                        }
                }
        }
        // The assignments that score best, best first.
        std::array<float, kCommonStarts> bestTotal{};
        std::array<int, 6> colourOf = {0, 1, 2, 3, 4, 5};
        do {
            const float bound = starts.count == kCommonStarts ? bestTotal[kCommonStarts - 1] : kNoBound;
            float total = 0;
            for (int f = 0; f < 6 && total < bound; ++f) total += score[f][colourOf[static_cast<std::size_t>(f)]];
            if (total < bound) InsertCheapest(starts.colourOf, bestTotal, starts.count, colourOf, total);
        } while (std::next_permutation(colourOf.begin(), colourOf.end()));
        return starts;
    }

    void StartFrom(const CommonStarts& starts, int rank) {
        const auto& colourOf = starts.colourOf[static_cast<std::size_t>(rank)];
        for (int f = 0; f < 6; ++f)
            for (int k = 0; k < 3; ++k) {
                gain[f][k] = starts.light[f][colourOf[static_cast<std::size_t>(f)]][k];
                ref[f][k] = Common().log[colourOf[static_cast<std::size_t>(f)]][k];
            }
    }

    // A cheap colour difference for the light search: CIE76 with lightness at half weight.
    static float QuickDistance(const Lab& x, const Lab& y) {
        const float dl = 0.5f * (x.l - y.l), da = x.a - y.a, db = x.b - y.b;
        return std::sqrt(dl * dl + da * da + db * db);
    }

    // Re-estimates the light of every face and the colour of every class from a read
    // cube: measured = face light x class colour, solved by alternating medians, then
    // fixed so that the lightest class is neutral white. Samples read as glare are left
    // out; so are channels the camera clipped (they only say the value is at least
    // that). Nearly black channels tell a class colour (dark there) but not a face's
    // light, and class colours are taken in linear light, where noise is even.
    void LightFromColouring(const std::array<int, 54>& classOfSample) {
        float logs[54][3];
        bool usable[54][3], bright[54][3];
        for (int s = 0; s < 54; ++s)
            for (int k = 0; k < 3; ++k) {
                const float v = Channel(lin[static_cast<std::size_t>(s)], k);
                logs[s][k] = std::log(std::max(v, 1e-4f));
                usable[s][k] = v < kClipped && !glare[s][classOfSample[static_cast<std::size_t>(s)]];
                bright[s][k] = usable[s][k] && v > kDarkestUsable;
            }
        for (int iteration = 0; iteration < 3; ++iteration) {
            float v[54];
            for (int k = 0; k < 3; ++k)
                for (int f = 0; f < 6; ++f) {
                    int n = 0;
                    for (int i = 0; i < 9; ++i)
                        if (bright[9 * f + i][k] && ref[classOfSample[static_cast<std::size_t>(9 * f + i)]][k] > kDarkClass)
                            v[n++] = logs[9 * f + i][k] - ref[classOfSample[static_cast<std::size_t>(9 * f + i)]][k];
                    if (n >= 2) gain[f][k] = Median(v, n);
                    // A clipped sample says its face's light is at least bright enough to
                    // clip it: a floor for the light of an overexposed face.
                    for (int i = 0; i < 9; ++i) {
                        const int s = 9 * f + i, c = classOfSample[static_cast<std::size_t>(s)];
                        if (!usable[s][k] && !glare[s][c] && ref[c][k] > kDarkClass)
                            gain[f][k] = std::max(gain[f][k], logs[s][k] - ref[c][k]);
                    }
                }
            KeepLightsReal();
            for (int k = 0; k < 3; ++k)
                for (int c = 0; c < 6; ++c) {
                    int n = 0;
                    for (int s = 0; s < 54; ++s)
                        if (classOfSample[static_cast<std::size_t>(s)] == c && usable[s][k])
                            v[n++] = Channel(lin[static_cast<std::size_t>(s)], k) / std::exp(gain[s / 9][k]);
                    if (n > 0) ref[c][k] = std::log(std::max(Median(v, n), 1e-3f));
                }
        }
        int white = 0;
        float whiteMin = -1e30f;
        for (int c = 0; c < 6; ++c) {
            const float lo = std::min({ref[c][0], ref[c][1], ref[c][2]});
            if (lo > whiteMin) { whiteMin = lo; white = c; }
        }
        // No sticker is much brighter than white in any channel.
        for (int c = 0; c < 6; ++c)
            for (int k = 0; k < 3; ++k) ref[c][k] = std::min(ref[c][k], ref[white][k] + kBrighterThanWhite);
        for (int k = 0; k < 3; ++k) {
            const float shift = ref[white][k] - std::log(kWhiteLevel);
            for (int c = 0; c < 6; ++c) ref[c][k] -= shift;
            for (int f = 0; f < 6; ++f) gain[f][k] += shift;
        }
    }

    // Real lights differ from one another by an exposure and a colour temperature, and
    // a little green-magenta tint: each face's light is brought to the nearest such
    // difference from the faces' mean light (least squares over the three log
    // channels, the tint held small by kTintWeight).
    void KeepLightsReal() {
        float mean[3] = {};
        for (int f = 0; f < 6; ++f)
            for (int k = 0; k < 3; ++k) mean[k] += gain[f][k] / 6;
        constexpr float kGreen[3] = {-0.5f, 1.0f, -0.5f};
        // Normal equations of (exposure, temperature, tint), the same for every face.
        float a[3][3] = {}, inv[3][3];
        for (int k = 0; k < 3; ++k) {
            const float basis[3] = {1.0f, kWarm[k], kGreen[k]};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) a[i][j] += basis[i] * basis[j];
        }
        a[2][2] += kTintWeight;
        const float det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                          a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const int i1 = (j + 1) % 3, i2 = (j + 2) % 3, j1 = (i + 1) % 3, j2 = (i + 2) % 3;
                inv[i][j] = (a[i1][j1] * a[i2][j2] - a[i1][j2] * a[i2][j1]) / det;
            }
        for (int f = 0; f < 6; ++f) {
            float rhs[3] = {};
            for (int k = 0; k < 3; ++k) {
                const float basis[3] = {1.0f, kWarm[k], kGreen[k]};
                for (int i = 0; i < 3; ++i) rhs[i] += basis[i] * (gain[f][k] - mean[k]);
            }
            float x[3] = {};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) x[i] += inv[i][j] * rhs[j];
            for (int k = 0; k < 3; ++k) gain[f][k] = mean[k] + x[0] + x[1] * kWarm[k] + x[2] * kGreen[k];
        }
    }

    // Every sample's cost against every class: the CIEDE2000 difference from the class
    // colour as the sample's face can show it (clipped where the camera clips that
    // face), or, when smaller, the difference from that colour brightened by glare plus
    // kGlarePenalty.
    void Costs() {
        for (int c = 0; c < 6; ++c)
            refLab[static_cast<std::size_t>(c)] = colours::LabFromLinear({std::exp(ref[c][0]), std::exp(ref[c][1]), std::exp(ref[c][2])});
        Linear clip[6], seen[6][6];
        Lab seenLab[6][6];
        for (int f = 0; f < 6; ++f) {
            for (int k = 0; k < 3; ++k) Channel(clip[f], k) = std::exp(-gain[f][k]);
            for (int c = 0; c < 6; ++c) {
                for (int k = 0; k < 3; ++k) Channel(seen[f][c], k) = std::min(std::exp(ref[c][k]), Channel(clip[f], k));
                seenLab[f][c] = colours::LabFromLinear(seen[f][c]);
            }
        }
        for (int s = 0; s < 54; ++s) {
            const int f = s / 9;
            const Linear m = Normalised(s);
            const Lab lab = colours::LabFromLinear(m);
            sampleLab[static_cast<std::size_t>(s)] = lab;
            for (int c = 0; c < 6; ++c) {
                float d = colours::DeltaE2000(lab, seenLab[f][c], kLightnessWeight);
                plain[s][c] = d;
                glare[s][c] = false;
                // Glare only adds light: a sample well below the class colour in some
                // channel is not that class under glare.
                const Linear& under = seen[f][c];
                const bool darker = m.r < kGlareFloor * under.r || m.g < kGlareFloor * under.g || m.b < kGlareFloor * under.b;
                if (d > kGlarePenalty && !darker) {
                    // Glare adds the light (white, once normalised) to every channel
                    // until the camera clips it; its amount is tried as each channel's
                    // excess over the class colour, the nearest by a cheap difference
                    // then measured properly.
                    const Linear& r = seen[f][c];
                    float nearest = kNoBound;
                    Lab glared{};
                    for (int k = 0; k < 3; ++k) {
                        const float sheen = Channel(m, k) - Channel(r, k);
                        if (sheen <= 0) continue;
                        Linear g;
                        for (int j = 0; j < 3; ++j)
                            Channel(g, j) = std::min(Channel(r, j) + sheen, std::max(Channel(clip[f], j), Channel(m, j)));
                        const Lab gl = colours::LabFromLinear(g);
                        const float q = QuickDistance(lab, gl);
                        if (q < nearest) { nearest = q; glared = gl; }
                    }
                    if (nearest < kNoBound) {
                        const float dg = kGlarePenalty + colours::DeltaE2000(lab, glared, kLightnessWeight);
                        if (dg < d) { d = dg; glare[s][c] = true; }
                    }
                }
                cost[s][c] = d;
            }
        }
    }

    void BuildProblems(const Rotations& rot) {
        for (int pos = 0; pos < 8; ++pos) {
            int samples[3];
            for (int j = 0; j < 3; ++j) samples[j] = SampleOf(colours::kCornerFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)], rot);
            for (int p = 0; p < 8; ++p)
                for (int o = 0; o < 3; ++o) {
                    float sum = 0;
                    for (int j = 0; j < 3; ++j) sum += cost[samples[j]][ColourAt(cornerProblem, p, o, j)];
                    cornerProblem.cost[pos][p][o] = sum;
                }
        }
        for (int pos = 0; pos < 12; ++pos) {
            int samples[2];
            for (int j = 0; j < 2; ++j) samples[j] = SampleOf(colours::kEdgeFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)], rot);
            for (int p = 0; p < 12; ++p)
                for (int o = 0; o < 2; ++o)
                    edgeProblem.cost[pos][p][o] = cost[samples[0]][ColourAt(edgeProblem, p, o, 0)] +
                                                  cost[samples[1]][ColourAt(edgeProblem, p, o, 1)];
        }
        cornerProblem.Sort();
        edgeProblem.Sort();
    }

    // The centres' own cost: they are fixed, each its face's class.
    float CentreCost() const {
        float sum = 0;
        for (int f = 0; f < 6; ++f) sum += cost[9 * f + 4][f];
        return sum;
    }

    static float Cheapest(const PieceProblem& problem, int pos) {
        float best = kNoBound;
        for (int p = 0; p < problem.count; ++p)
            for (int o = 0; o < problem.twists; ++o) best = std::min(best, problem.cost[pos][p][o]);
        return best;
    }

    // The best real colouring for the problems as built, looking only for colourings
    // cheaper than bound.
    CubeFit Fit(float bound, long nodeBudget = PieceQuery{}.nodeBudget) const {
        CubeFit fit;
        // Each half at its cheapest ignoring the other: what the other half leaves of
        // the bound is all it may cost.
        float lowEdges = 0;
        for (int pos = 0; pos < 12; ++pos) lowEdges += Cheapest(edgeProblem, pos);
        PieceQuery q;
        q.nodeBudget = nodeBudget;
        q.bound = bound - lowEdges;
        const PiecePlacement c = BestPlacement(cornerProblem, q);
        fit.complete = c.complete;
        if (!c.found) return fit;
        q.bound = bound - c.cost;
        const PiecePlacement e = BestPlacement(edgeProblem, q);
        fit.complete = fit.complete && e.complete;
        if (!e.found) return fit;
        fit.corners[static_cast<std::size_t>(c.parity)] = c;
        fit.edges[static_cast<std::size_t>(e.parity)] = e;
        // The other parity of each: needed for the best when the two differ, and
        // within reach of the margin for the doubt search.
        const float reach = c.parity == e.parity ? kDoubtMargin + 1 : kNoBound;
        PieceQuery other;
        other.nodeBudget = nodeBudget;
        other.parity = 1 - c.parity;
        other.bound = std::min(bound - e.cost, c.cost + reach);
        fit.corners[static_cast<std::size_t>(1 - c.parity)] = BestPlacement(cornerProblem, other);
        other.parity = 1 - e.parity;
        other.bound = std::min(bound - c.cost, e.cost + reach);
        fit.edges[static_cast<std::size_t>(1 - e.parity)] = BestPlacement(edgeProblem, other);
        for (int p = 0; p < 2; ++p) {
            const PiecePlacement& cp = fit.corners[static_cast<std::size_t>(p)];
            const PiecePlacement& ep = fit.edges[static_cast<std::size_t>(p)];
            fit.complete = fit.complete && cp.complete && ep.complete;
            if (cp.found && ep.found && cp.cost + ep.cost < fit.total) {
                fit.total = cp.cost + ep.cost;
                fit.parity = p;
            }
        }
        return fit;
    }

    // The sample that shows at a facelet when its face's picture is turned q quarters.
    static int TurnedSample(int facelet, int q) {
        return 9 * (facelet / 9) + kTurnSource[static_cast<std::size_t>(q)][static_cast<std::size_t>(facelet % 9)];
    }

    // A lower bound of the best real colouring for every one of the 4^6 rotation sets:
    // each position at its cheapest piece and orientation, pieces used any number of
    // times. Corner positions depend on three faces' rotations, edges on two.
    void RotationBounds(std::array<float, 4096>& bound) const {
        float corner[8][64], edge[12][16];
        CheapestByRotations(cornerProblem, colours::kCornerFacelets, corner);
        CheapestByRotations(edgeProblem, colours::kEdgeFacelets, edge);
        for (int all = 0; all < 4096; ++all) {
            float sum = 0;
            for (std::size_t pos = 0; pos < 8; ++pos) sum += corner[pos][RotationsAt(colours::kCornerFacelets[pos], all)];
            for (std::size_t pos = 0; pos < 12; ++pos) sum += edge[pos][RotationsAt(colours::kEdgeFacelets[pos], all)];
            bound[static_cast<std::size_t>(all)] = sum;
        }
    }

    // For every position of a piece kind and every combination of the rotations of the
    // faces its stickers lie on (two bits per sticker), the cheapest piece and
    // orientation there.
    template <std::size_t Positions, std::size_t Stickers>
    void CheapestByRotations(const PieceProblem& problem, const std::array<std::array<int, Stickers>, Positions>& facelets,
                             float (&table)[Positions][1 << (2 * Stickers)]) const {
        for (std::size_t pos = 0; pos < Positions; ++pos)
            for (int combo = 0; combo < (1 << (2 * Stickers)); ++combo) {
                int samples[Stickers];
                for (std::size_t j = 0; j < Stickers; ++j)
                    samples[j] = TurnedSample(facelets[pos][j], combo >> (2 * j) & 3);
                float best = kNoBound;
                for (int p = 0; p < problem.count; ++p)
                    for (int o = 0; o < problem.twists; ++o) {
                        float sum = 0;
                        for (std::size_t j = 0; j < Stickers; ++j) sum += cost[samples[j]][ColourAt(problem, p, o, static_cast<int>(j))];
                        best = std::min(best, sum);
                    }
                table[pos][combo] = best;
            }
    }

    // The combination of rotations (as CheapestByRotations numbers them) that rotation
    // set `all` gives a position whose stickers are `facelets`.
    template <std::size_t Stickers>
    static int RotationsAt(const std::array<int, Stickers>& facelets, int all) {
        int combo = 0;
        for (std::size_t j = 0; j < Stickers; ++j) combo |= (all >> (2 * (facelets[j] / 9)) & 3) << (2 * j);
        return combo;
    }

    static Rotations RotationsOf(int all) {
        Rotations rot{};
        for (int f = 0; f < 6; ++f) rot[static_cast<std::size_t>(f)] = all >> (2 * f) & 3;
        return rot;
    }

    // The rotations whose best real colouring is cheapest: rotation sets are solved in
    // the order of their bounds until the next bound is no better than the best found.
    // With doubt, every other rotation set whose colouring comes within kDoubtMargin
    // marks the stickers where its colouring differs (at most kNearRotations of them
    // are looked at; rotation sets that only turn faces of one colour give the same
    // colouring and mark nothing). Leaves the problems built for the chosen rotations.
    CubeFit BestRotations(Rotations& rot, std::array<bool, 54>* doubt) {
        std::array<float, 4096> bound;
        RotationBounds(bound);
        std::array<std::uint16_t, 4096> order;
        for (int i = 0; i < 4096; ++i) order[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i);
        std::sort(order.begin(), order.end(), [&](std::uint16_t a, std::uint16_t b) { return bound[a] < bound[b]; });
        CubeFit best;
        int bestAll = 0, slow = 0;
        for (std::uint16_t all : order) {
            if (bound[all] >= best.total) break;
            BuildProblems(RotationsOf(all));
            CubeFit fit = Fit(best.total, kRotationNodes);
            // A rotation set whose search runs long fits badly everywhere: not the best.
            // Many of them: colours that fit no cube in any rotation.
            if (!fit.complete) {
                if (++slow > kSlowRotationSets) break;
                continue;
            }
            if (fit.total < best.total) { best = fit; bestAll = all; }
        }
        rot = RotationsOf(bestAll);
        if (doubt) {
            std::array<int, 54> mine{}, theirs{};
            Colouring(best, rot, mine, nullptr);
            int looked = 0;
            for (std::uint16_t all : order) {
                if (bound[all] > best.total + kDoubtMargin || looked >= kNearRotations) break;
                if (all == bestAll) continue;
                ++looked;
                const Rotations other = RotationsOf(all);
                BuildProblems(other);
                const CubeFit fit = Fit(best.total + kDoubtMargin, kRotationNodes);
                if (fit.total > best.total + kDoubtMargin) continue;
                Colouring(fit, other, theirs, nullptr);
                for (int i = 0; i < 54; ++i)
                    if (mine[static_cast<std::size_t>(SampleOf(i, rot))] != theirs[static_cast<std::size_t>(SampleOf(i, other))])
                        (*doubt)[static_cast<std::size_t>(i)] = true;
            }
        }
        BuildProblems(rot);
        return best;
    }

    // The class each picture sample shows in a fit (centres their own face).
    static void Colouring(const CubeFit& fit, const Rotations& rot, std::array<int, 54>& classOfSample,
                          std::array<char, 55>* facelets) {
        constexpr char kLetters[] = "URFDLB";
        std::array<int, 54> byFacelet{};
        for (int f = 0; f < 6; ++f) byFacelet[static_cast<std::size_t>(9 * f + 4)] = f;
        const PiecePlacement& c = fit.corners[static_cast<std::size_t>(fit.parity)];
        const PiecePlacement& e = fit.edges[static_cast<std::size_t>(fit.parity)];
        for (int pos = 0; pos < 8; ++pos)
            for (int j = 0; j < 3; ++j) {
                const int o = c.twist[static_cast<std::size_t>(pos)];
                byFacelet[static_cast<std::size_t>(colours::kCornerFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)])] =
                    colours::kCornerColours[c.piece[static_cast<std::size_t>(pos)]][static_cast<std::size_t>((j - o + 3) % 3)];
            }
        for (int pos = 0; pos < 12; ++pos)
            for (int j = 0; j < 2; ++j) {
                const int o = e.twist[static_cast<std::size_t>(pos)];
                byFacelet[static_cast<std::size_t>(colours::kEdgeFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)])] =
                    colours::kEdgeColours[e.piece[static_cast<std::size_t>(pos)]][static_cast<std::size_t>((j + o) % 2)];
            }
        for (int i = 0; i < 54; ++i) {
            classOfSample[static_cast<std::size_t>(SampleOf(i, rot))] = byFacelet[static_cast<std::size_t>(i)];
            if (facelets) (*facelets)[static_cast<std::size_t>(i)] = kLetters[byFacelet[static_cast<std::size_t>(i)]];
        }
        if (facelets) (*facelets)[54] = '\0';
    }
};

// Reads the cube and re-estimates the light from it until the reading stays the same
// (at most kRounds times); leaves the costs and problems of the last light built.
CubeFit Converge(Resolver& r, Rotations& rot, bool tryRotations, std::array<int, 54>& classOfSample,
                 float abandonAbove = kNoBound) {
    CubeFit fit;
    std::array<int, 54> previous{};
    previous.fill(-1);
    for (int round = 0;; ++round) {
        r.Costs();
        if (tryRotations && round == 0) {
            // The rotations are searched under the first light; a better light seldom
            // changes them, and the final search looks again.
            fit = r.BestRotations(rot, nullptr);
        } else {
            r.BuildProblems(rot);
            fit = r.Fit(kNoBound);
        }
        Resolver::Colouring(fit, rot, classOfSample, nullptr);
        if (classOfSample == previous || round == kRounds) return fit;
        if (fit.total + r.CentreCost() > abandonAbove) return fit;
        previous = classOfSample;
        r.LightFromColouring(classOfSample);
    }
}

// The doubt margin for a read of the given cost (see kDoubtMargin).
float DoubtMargin(float cost) {
    const float excess = std::max(1.0f, cost / kTypicalCost);
    return kDoubtMargin * excess * excess;
}

// The cheapest real colourings that differ from fit at some corner or edge sticker
// and cost at most margin more, cheapest first (at most kAlternatives of them, no two
// of equal cost). Each is whole: its own half with the other half of the same parity.
int Alternatives(const Resolver& r, const CubeFit& fit, float margin, std::array<CubeFit, kAlternatives>& out) {
    int count = 0;
    std::array<float, kAlternatives> totals{};
    for (int kind = 0; kind < 2; ++kind) {
        const PieceProblem& problem = kind == 0 ? r.cornerProblem : r.edgeProblem;
        const auto& own = kind == 0 ? fit.corners : fit.edges;
        const auto& partner = kind == 0 ? fit.edges : fit.corners;
        const PiecePlacement& chosen = own[static_cast<std::size_t>(fit.parity)];
        for (int pos = 0; pos < problem.count; ++pos)
            for (int j = 0; j < problem.twists; ++j) {
                PieceQuery q;
                q.excludePosition = pos;
                q.excludeSticker = j;
                q.excludeColour = ColourAt(problem, chosen.piece[static_cast<std::size_t>(pos)], chosen.twist[static_cast<std::size_t>(pos)], j);
                for (int p = 0; p < 2; ++p) {
                    const PiecePlacement& other = partner[static_cast<std::size_t>(p)];
                    if (!other.found) continue;
                    q.parity = p;
                    q.bound = fit.total + margin - other.cost;
                    const PiecePlacement alt = BestPlacement(problem, q);
                    if (!alt.found) continue;
                    CubeFit candidate = fit;
                    candidate.parity = p;
                    candidate.total = alt.cost + other.cost;
                    (kind == 0 ? candidate.corners : candidate.edges)[static_cast<std::size_t>(p)] = alt;
                    bool seen = false;
                    for (int i = 0; i < count; ++i) seen = seen || totals[static_cast<std::size_t>(i)] == candidate.total;
                    if (!seen) InsertCheapest(out, totals, count, candidate, candidate.total);
                }
            }
    }
    return count;
}

// The cost of a colouring (all 54 stickers) under the light estimated from it,
// starting from the light r holds: once, and once more when that comes below
// refineBelow (the light moves on as the glare flags follow it); leaves r's light and
// costs as estimated.
float CostUnderOwnLight(Resolver& r, const std::array<int, 54>& classOfSample, float refineBelow) {
    auto costed = [&] {
        r.LightFromColouring(classOfSample);
        r.Costs();
        float sum = 0;
        for (int s = 0; s < 54; ++s) sum += r.cost[s][classOfSample[static_cast<std::size_t>(s)]];
        return sum;
    };
    const float once = costed();
    return once < refineBelow ? costed() : once;
}

// Colourings near a read, each costed under its own light (count -1: not yet known).
struct Relit {
    int count = -1;
    std::array<std::array<int, 54>, kAlternatives> classes{};
    std::array<float, kAlternatives> cost{};
};

// The best reads that other starts settled on, each whole (its own rotations and
// light), cheapest first: where one fits almost as well as the read that is kept, its
// stickers that differ are in doubt.
struct RunnersUp {
    int count = 0;
    std::array<std::array<char, 55>, kRunnersUp> facelets{};
    std::array<float, kRunnersUp> cost{};

    void Add(const CubeFit& fit, const Rotations& rot, float total) {
        if (!(fit.total < kNoBound) || (count == kRunnersUp && total >= cost[kRunnersUp - 1])) return;
        std::array<int, 54> classes{};
        std::array<char, 55> letters{};
        Resolver::Colouring(fit, rot, classes, &letters);
        for (int i = 0; i < count; ++i)
            if (facelets[static_cast<std::size_t>(i)] == letters) {
                cost[static_cast<std::size_t>(i)] = std::min(cost[static_cast<std::size_t>(i)], total);
                return;
            }
        InsertCheapest(facelets, cost, count, letters, total);
    }
};

// What no real cube shows is said, not corrected: a sticker far from the class it is
// read as (under the read's light), or plainly nearer another class, is in doubt. A
// sticker read as its class under glare while another class fits it plainly (a white
// sticker where a blue one belongs, taken for blue under glare) is nearer that class.
void MarkMisfits(const Resolver& r, const Rotations& rot, const std::array<int, 54>& classOfSample, ColourResolution& result) {
    std::array<float, 48> sides{};
    int n = 0;
    for (int i = 0; i < 54; ++i) {
        const int s = SampleOf(i, rot);
        const int own = classOfSample[static_cast<std::size_t>(s)];
        float nearest = kNoBound;
        int nearestClass = own;
        for (int c = 0; c < 6; ++c)
            if (c != own && r.cost[s][c] < nearest) nearest = r.cost[s][c], nearestClass = c;
        if (nearest >= r.cost[s][own]) nearestClass = own;
        result.nearestClass[static_cast<std::size_t>(i)] = "URFDLB"[nearestClass];
        result.distance[static_cast<std::size_t>(i)] = r.cost[s][own];
        result.nearerBy[static_cast<std::size_t>(i)] = std::max(0.0f, r.cost[s][own] - nearest);
        if (i % 9 != 4) sides[static_cast<std::size_t>(n++)] = r.cost[s][own];
    }
    // Far is judged against how well this read fits its other stickers: a few times its
    // 90th-percentile sticker, within kNearFarFromClass and kFarFromClass.
    std::nth_element(sides.begin(), sides.begin() + 43, sides.end());
    const float far = std::clamp(kFarTimesTypical * sides[43], kNearFarFromClass, kFarFromClass);
    bool centreOff = false;
    for (int i = 0; i < 54; ++i) {
        const int s = SampleOf(i, rot);
        const int own = classOfSample[static_cast<std::size_t>(s)];
        const float d = result.distance[static_cast<std::size_t>(i)];
        if (i % 9 == 4) {
            centreOff = centreOff || d > kFarCentreDoubt;
            continue;
        }
        float nearestPlain = kNoBound;
        for (int c = 0; c < 6; ++c)
            if (c != own) nearestPlain = std::min(nearestPlain, r.plain[s][c]);
        const bool contradicts = d > std::max(kFarContradiction, kContradictionTimesTypical * sides[43]) ||
                                 result.nearerBy[static_cast<std::size_t>(i)] > std::max(kNearerOther, kContradictionTimesTypical * sides[43]);
        result.contradicts[static_cast<std::size_t>(i)] = contradicts;
        if (contradicts || d > far || result.nearerBy[static_cast<std::size_t>(i)] > kNearerOther ||
            (r.glare[s][own] && nearestPlain < d))
            result.doubt[static_cast<std::size_t>(i)] = true;
    }
    // A centre far from the class its face's stickers make: the classes are not what
    // the centres say (two centres measured alike, a face given twice), so no sticker's
    // class can be trusted.
    if (centreOff)
        for (int i = 0; i < 54; ++i) result.doubt[static_cast<std::size_t>(i)] = i % 9 != 4;
}

}  // namespace

int ContradictionCount(const ColourResolution& r) {
    return r.status == ResolveStatus::Ok ? static_cast<int>(std::count(r.contradicts.begin(), r.contradicts.end(), true)) : 0;
}

std::string ContradictionText(int count) {
    return "有" + std::to_string(count) + "个色块量到的颜色和真实魔方对不上（已标出）：可能贴纸换过位置，或不是魔方的六种颜色";
}

ColourResolution ResolveColours(const std::array<FaceSamples, 6>& faces, bool tryRotations) {
    ColourResolution result;
    Resolver r;
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 9; ++i) {
            const Rgb& c = faces[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)];
            r.lin[static_cast<std::size_t>(9 * f + i)] = {colours::LinearFromSrgb(c.r), colours::LinearFromSrgb(c.g),
                                                         colours::LinearFromSrgb(c.b)};
        }
    r.InitialLight();
    // The same face given twice (two photos of it, perhaps turned and in other light) is
    // told by its whole picture: all nine samples, in some rotation, alike once the light
    // of one is turned into a real light of the other. Two different faces whose centres
    // merely measure alike (red and orange under warm light) are read: the pieces tell
    // their classes apart.
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            if (r.SameFace(a, b)) {
                result.status = ResolveStatus::SameCentres;
                result.otherFace = a;
                result.badFace = b;
                return result;
            }
    // Two starts: each face's light from its lightest neutral sample alone, and after
    // the search over class guesses; the better read is kept. The further starts below
    // are only tried for a read that fits worse than most true reads do.
    const Resolver initial = r;
    Resolver plain = r;
    r.SearchFaceLight(true);

    Rotations rot{};
    std::array<int, 54> classOfSample{};
    CubeFit fit = Converge(r, rot, tryRotations, classOfSample);
    auto suspect = [&] { return fit.total + r.CentreCost() > kSuspectCost; };
    // Keeps the better of the read so far and a read from another start (it must fit
    // better by more than rounding); the other is kept among the runners-up.
    RunnersUp runnersUp;
    auto consider = [&](const Resolver& other, const Rotations& otherRot, const CubeFit& otherFit,
                        const std::array<int, 54>& otherClasses) {
        const float own = fit.total + r.CentreCost(), theirs = otherFit.total + other.CentreCost();
        if (!(theirs < own - 0.5f)) {
            runnersUp.Add(otherFit, otherRot, theirs);
            return false;
        }
        runnersUp.Add(fit, rot, own);
        r = other;
        rot = otherRot;
        fit = otherFit;
        classOfSample = otherClasses;
        return true;
    };
    if (suspect()) {
        Rotations plainRot{};
        std::array<int, 54> plainClasses{};
        const CubeFit plainFit = Converge(plain, plainRot, tryRotations, plainClasses);
        consider(plain, plainRot, plainFit, plainClasses);
    }
    // A read whose light went wrong on some face settles on a worse fit than the true
    // cube would have: restart the light search from the class colours it found, and
    // keep the restart while it fits better.
    for (int restart = 0; restart < kRestarts && suspect(); ++restart) {
        Resolver again = r;
        again.SearchFaceLight(false);
        Rotations againRot = rot;
        std::array<int, 54> againClasses{};
        const CubeFit againFit = Converge(again, againRot, false, againClasses);
        if (!consider(again, againRot, againFit, againClasses)) break;
    }
    // Still a bad fit: the light may be wrong on several faces at once. Start again
    // from the colours of common cubes (a start that fits far worse than the read after
    // its first round is not followed further).
    if (suspect()) {
        const Resolver::CommonStarts starts = initial.CommonColourStarts();
        for (int rank = 0; rank < starts.count && suspect(); ++rank) {
            Resolver common = initial;
            common.StartFrom(starts, rank);
            Rotations commonRot{};
            std::array<int, 54> commonClasses{};
            const CubeFit commonFit =
                Converge(common, commonRot, tryRotations, commonClasses, fit.total + r.CentreCost() + kAbandonStart);
            consider(common, commonRot, commonFit, commonClasses);
        }
    }
    // A read can settle on a light that suits it better than the true cube's own light
    // would suit the true cube (red and orange swapped on two pieces, say). The nearest
    // other colourings are each given their own light, and one that then fits better
    // is kept. For a read that fits as well as most true reads, an alternative is first
    // given its light only once and costed as it stands; only one that then fits better
    // is read again from its light. The alternatives under their own light are kept for
    // the doubt below while the read stays the same.
    Relit relit;
    {
        const bool screen = !suspect();
        bool changed = false;
        std::array<CubeFit, kAlternatives> alternatives;
        const int count = Alternatives(r, fit, kAlternativeMargin, alternatives);
        for (int i = 0; i < count; ++i) {
            Resolver again = r;
            std::array<int, 54>& againClasses = relit.classes[static_cast<std::size_t>(i)];
            Resolver::Colouring(alternatives[static_cast<std::size_t>(i)], rot, againClasses, nullptr);
            const float own = relit.cost[static_cast<std::size_t>(i)] = CostUnderOwnLight(again, againClasses, fit.total + r.CentreCost() + kRefineMargin);
            relit.count = i + 1;
            if (screen && !(own < fit.total + r.CentreCost() - 0.5f)) continue;
            Rotations againRot = rot;
            std::array<int, 54> converged = againClasses;
            const CubeFit againFit = Converge(again, againRot, false, converged);
            changed = consider(again, againRot, againFit, converged) || changed;
        }
        if (changed) relit.count = -1;
    }
    if (tryRotations) {
        // The rotations again under the final light; when they change, the light is
        // estimated again under them (the result is kept only if it fits better).
        for (int again = 0; again < 2; ++again) {
            Rotations turned = rot;
            Resolver trial = r;
            const CubeFit turnedFit = trial.BestRotations(turned, nullptr);
            if (turned == rot) break;
            std::array<int, 54> turnedClasses{};
            Resolver::Colouring(turnedFit, turned, turnedClasses, nullptr);
            trial.LightFromColouring(turnedClasses);
            const CubeFit settled = Converge(trial, turned, false, turnedClasses);
            if (!consider(trial, turned, settled, turnedClasses)) break;
        }
        fit = r.BestRotations(rot, &result.doubt);
    }
    Resolver::Colouring(fit, rot, classOfSample, &result.facelets);
    result.rotations = rot;
    result.cost = fit.total + r.CentreCost();

    // Two classes whose colours stay alike after the read are not refused for it: the
    // pieces chose between them, and where they leave a choice the doubt says so.
    float worst = -1;
    for (int i = 0; i < 54; ++i) {
        const int s = SampleOf(i, rot);
        const float c = r.cost[s][classOfSample[static_cast<std::size_t>(s)]];
        if (c > worst) { worst = c; result.badSticker = i; }
    }
    if (worst > kNoCubeCost || result.cost > kNoCubeTotal || !fit.complete) {
        result.status = ResolveStatus::NoCube;
        return result;
    }
    for (int f = 0; f < 6; ++f)
        if (r.cost[9 * f + 4][f] > kFarCentre) {
            result.status = ResolveStatus::NoCube;
            result.badSticker = 9 * f + 4;
            return result;
        }
    result.badSticker = -1;
    result.status = ResolveStatus::Ok;

    // Doubt: for every corner and edge sticker, is there a real colouring with another
    // colour there within the doubt margin of the best? The halves of the other parity
    // are looked for again as far as a wider margin reaches.
    const float limit = fit.total + DoubtMargin(result.cost);
    for (int kind = 0; kind < 2; ++kind) {
        auto& own = kind == 0 ? fit.corners : fit.edges;
        const auto& partner = kind == 0 ? fit.edges : fit.corners;
        const int p = 1 - fit.parity;
        if (own[static_cast<std::size_t>(p)].found) continue;
        PieceQuery q;
        q.parity = p;
        q.bound = limit - std::min(partner[0].cost, partner[1].cost);
        own[static_cast<std::size_t>(p)] = BestPlacement(kind == 0 ? r.cornerProblem : r.edgeProblem, q);
    }
    for (int kind = 0; kind < 2; ++kind) {
        const PieceProblem& problem = kind == 0 ? r.cornerProblem : r.edgeProblem;
        const auto& own = kind == 0 ? fit.corners : fit.edges;
        const auto& partner = kind == 0 ? fit.edges : fit.corners;
        const PiecePlacement& chosen = own[static_cast<std::size_t>(fit.parity)];
        for (int pos = 0; pos < problem.count; ++pos)
            for (int j = 0; j < problem.twists; ++j) {
                const int facelet = kind == 0 ? colours::kCornerFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)]
                                              : colours::kEdgeFacelets[static_cast<std::size_t>(pos)][static_cast<std::size_t>(j)];
                PieceQuery q;
                q.excludePosition = pos;
                q.excludeSticker = j;
                q.excludeColour = ColourAt(problem, chosen.piece[static_cast<std::size_t>(pos)], chosen.twist[static_cast<std::size_t>(pos)], j);
                for (int p = 0; p < 2 && !result.doubt[static_cast<std::size_t>(facelet)]; ++p) {
                    const PiecePlacement& other = partner[static_cast<std::size_t>(p)];
                    if (!other.found) continue;
                    q.parity = p;
                    q.bound = limit - other.cost;
                    const PiecePlacement alt = BestPlacement(problem, q);
                    if (alt.found || !alt.complete) result.doubt[static_cast<std::size_t>(facelet)] = true;
                }
            }
    }
    // The read's light suits the read: a colouring that fits worse under it may fit as
    // well under its own. The nearest other colourings are each given their own light,
    // and where one of them then comes within the margin, the stickers it changes are in
    // doubt. A read that fits worse than true reads ever do (kDoubtAllCost) has a light
    // that cannot be trusted anywhere: every sticker but the centres is in doubt.
    if (result.cost > kDoubtAllCost) {
        for (int i = 0; i < 54; ++i) result.doubt[static_cast<std::size_t>(i)] = i % 9 != 4;
        return result;
    }
    if (relit.count < 0 || tryRotations) {
        std::array<CubeFit, kAlternatives> alternatives;
        relit.count = Alternatives(r, fit, kAlternativeMargin, alternatives);
        for (int a = 0; a < relit.count; ++a) {
            std::array<int, 54>& theirs = relit.classes[static_cast<std::size_t>(a)];
            Resolver::Colouring(alternatives[static_cast<std::size_t>(a)], rot, theirs, nullptr);
            Resolver again = r;
            relit.cost[static_cast<std::size_t>(a)] = CostUnderOwnLight(again, theirs, limit + r.CentreCost() + kRefineMargin);
        }
    }
    for (int a = 0; a < runnersUp.count; ++a) {
        if (runnersUp.cost[static_cast<std::size_t>(a)] > limit + r.CentreCost()) continue;  // a repeat may have lowered a cost out of order
        for (int i = 0; i < 54; ++i)
            if (runnersUp.facelets[static_cast<std::size_t>(a)][static_cast<std::size_t>(i)] != result.facelets[static_cast<std::size_t>(i)])
                result.doubt[static_cast<std::size_t>(i)] = true;
    }
    for (int a = 0; a < relit.count; ++a) {
        if (relit.cost[static_cast<std::size_t>(a)] > limit + r.CentreCost()) continue;
        for (int i = 0; i < 54; ++i) {
            const std::size_t s = static_cast<std::size_t>(SampleOf(i, rot));
            if (relit.classes[static_cast<std::size_t>(a)][s] != classOfSample[s]) result.doubt[static_cast<std::size_t>(i)] = true;
        }
    }
    MarkMisfits(r, rot, classOfSample, result);
    // Two faces only the user can tell apart: a runner-up that fits about as well and
    // differs from the read only by stickers of two classes exchanged.
    for (int a = 0; a < runnersUp.count && result.askFaceA < 0; ++a) {
        if (runnersUp.cost[static_cast<std::size_t>(a)] > limit + r.CentreCost()) continue;
        const auto& other = runnersUp.facelets[static_cast<std::size_t>(a)];
        char x = 0, y = 0;
        bool exchange = true;
        for (int i = 0; i < 54 && exchange; ++i) {
            const char p = result.facelets[static_cast<std::size_t>(i)], q = other[static_cast<std::size_t>(i)];
            if (p == q) continue;
            if (x == 0) x = p, y = q;
            exchange = (p == x && q == y) || (p == y && q == x);
        }
        if (!exchange || x == 0) continue;
        result.askFaceA = static_cast<int>(std::string_view("URFDLB").find(x));
        result.askFaceB = static_cast<int>(std::string_view("URFDLB").find(y));
        if (result.askFaceA > result.askFaceB) std::swap(result.askFaceA, result.askFaceB);
        result.swappedFacelets = other;
    }
    return result;
}

}  // namespace velmora
