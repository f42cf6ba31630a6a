// Colour resolution: light normalisation per face, sticker-by-class costs, the best
// real cube by branch and bound over corner and edge placements, the face rotations,
// and the stickers in doubt.
#include "solvers/colours/colour_resolution.h"

#include <algorithm>
#include <cmath>
#ifdef COLOUR_DEBUG
#include <cstdio>
#endif

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
// colour there costs at most kDoubtMargin more than the best one. Costs are summed
// CIEDE2000 differences (lightness weighted by 1/2) of every sticker from its colour
// class after the light normalisation, so kDoubtMargin is the total colour difference,
// spread over all the stickers that the other colouring changes (at least two pieces),
// that a reading may be off by. A plain misreading of one colour costs more than that;
// red beside orange under a poorly estimated light may not.
constexpr float kDoubtMargin = 12.0f;
// A glare explanation (the class colour brightened by white light) costs this much on
// top of its colour difference, so that a sticker is read as glare only when no class
// fits it plainly.
constexpr float kGlarePenalty = 8.0f;
// A sticker whose cost in the best real colouring is above this fits no colour class:
// the colours are not those of a real cube.
constexpr float kNoCubeCost = 30.0f;
// Two centres closer than this (CIEDE2000, after normalisation) are one colour.
constexpr float kSameCentres = 6.0f;
// The linear level a white sticker is normalised to.
constexpr float kWhiteLevel = 0.85f;
// At most this many rounds of "read the cube, re-estimate the light from it".
constexpr int kRounds = 4;
// Linear levels at which a measured channel is taken as clipped by the camera, or as
// too dark to say anything about the light.
constexpr float kClipped = 0.98f;
constexpr float kDarkestUsable = 0.01f;
// Lightness weight in CIEDE2000: shading across a face changes lightness most.
constexpr float kLightnessWeight = 2.0f;

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

// The lower third of n values: glare only ever brightens a sticker, so an estimate of
// a light or a class colour leans to the darker samples (shading and noise are even).
float LowerThird(float* v, int n) {
    std::nth_element(v, v + (n - 1) / 3, v + n);
    return v[(n - 1) / 3];
}

float Channel(const Linear& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); }
float& Channel(Linear& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); }

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

    // Re-estimates the light of every face and the colour of every class from a read
    // cube: log(measured) = face light + class colour, solved by alternating medians
    // (robust to glare), then fixed so that the lightest class is neutral white.
    void LightFromColouring(const std::array<int, 54>& classOfSample) {
        // A channel the camera clipped only says the value is at least that: not used. A
        // nearly black one is mostly noise: it tells a class colour (dark there), not
        // a face's light.
        float logs[54][3];
        bool usable[54][3], bright[54][3];
        for (int s = 0; s < 54; ++s)
            for (int k = 0; k < 3; ++k) {
                const float v = Channel(lin[static_cast<std::size_t>(s)], k);
                logs[s][k] = std::log(std::max(v, 1e-4f));
                usable[s][k] = v < kClipped;
                bright[s][k] = usable[s][k] && v > kDarkestUsable;
            }
        for (int iteration = 0; iteration < 4; ++iteration) {
            for (int k = 0; k < 3; ++k) {
                float v[54];
                for (int f = 0; f < 6; ++f) {
                    int n = 0;
                    for (int i = 0; i < 9; ++i)
                        if (bright[9 * f + i][k])
                            v[n++] = logs[9 * f + i][k] - ref[classOfSample[static_cast<std::size_t>(9 * f + i)]][k];
                    if (n >= 3) gain[f][k] = LowerThird(v, n);
                }
                for (int c = 0; c < 6; ++c) {
                    int n = 0;
                    for (int s = 0; s < 54; ++s)
                        if (classOfSample[static_cast<std::size_t>(s)] == c && usable[s][k]) v[n++] = logs[s][k] - gain[s / 9][k];
                    if (n > 0) ref[c][k] = LowerThird(v, n);
                }
            }
        }
        int white = 0;
        float whiteMin = -1e30f;
        for (int c = 0; c < 6; ++c) {
            const float lo = std::min({ref[c][0], ref[c][1], ref[c][2]});
            if (lo > whiteMin) { whiteMin = lo; white = c; }
        }
        for (int k = 0; k < 3; ++k) {
            const float shift = ref[white][k] - std::log(kWhiteLevel);
            for (int c = 0; c < 6; ++c) ref[c][k] -= shift;
            for (int f = 0; f < 6; ++f) gain[f][k] += shift;
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
                if (d > kGlarePenalty) {
                    // Glare adds the light (white, once normalised) to every channel
                    // until the camera clips it; its amount is tried as each channel's
                    // excess over the class colour.
                    const Linear& r = seen[f][c];
                    for (int k = 0; k < 3; ++k) {
                        const float sheen = Channel(m, k) - Channel(r, k);
                        if (sheen <= 0) continue;
                        Linear g;
                        for (int j = 0; j < 3; ++j)
                            Channel(g, j) = std::min(Channel(r, j) + sheen, std::max(Channel(clip[f], j), Channel(m, j)));
                        d = std::min(d, kGlarePenalty + colours::DeltaE2000(lab, colours::LabFromLinear(g), kLightnessWeight));
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
    }

    // The centres' own cost: they are fixed, each its face's class.
    float CentreCost(const Rotations&) const {
        float sum = 0;
        for (int f = 0; f < 6; ++f) sum += cost[9 * f + 4][f];
        return sum;
    }

    // The best real colouring for the problems as built, looking only for colourings
    // cheaper than bound.
    CubeFit Fit(float bound) const {
        CubeFit fit;
        PieceQuery q;
        const PiecePlacement c = BestPlacement(cornerProblem, q);
        const PiecePlacement e = BestPlacement(edgeProblem, q);
        fit.complete = c.complete && e.complete;
        if (!c.found || !e.found) return fit;
        fit.corners[static_cast<std::size_t>(c.parity)] = c;
        fit.edges[static_cast<std::size_t>(e.parity)] = e;
        // The other parity of each: needed for the best when the two differ, and
        // within reach of the margin for the doubt search.
        PieceQuery other;
        other.parity = 1 - c.parity;
        other.bound = c.parity == e.parity ? std::min(bound, c.cost + kDoubtMargin + 1) : kNoBound;
        fit.corners[static_cast<std::size_t>(1 - c.parity)] = BestPlacement(cornerProblem, other);
        other.parity = 1 - e.parity;
        other.bound = c.parity == e.parity ? std::min(bound, e.cost + kDoubtMargin + 1) : kNoBound;
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

}  // namespace

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

    Rotations rot{};
    CubeFit fit;
    std::array<int, 54> classOfSample{}, previous{};
    previous.fill(-1);
    for (int round = 0; round < kRounds; ++round) {
        r.Costs();
        (void)tryRotations;
        r.BuildProblems(rot);
        fit = r.Fit(kNoBound);
        Resolver::Colouring(fit, rot, classOfSample, nullptr);
        if (classOfSample == previous) break;
        previous = classOfSample;
        r.LightFromColouring(classOfSample);
    }
    r.Costs();
    r.BuildProblems(rot);
    fit = r.Fit(kNoBound);
    Resolver::Colouring(fit, rot, classOfSample, &result.facelets);
    result.rotations = rot;
    result.cost = fit.total + r.CentreCost(rot);

    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            if (colours::DeltaE2000(r.refLab[static_cast<std::size_t>(a)], r.refLab[static_cast<std::size_t>(b)], 1.0f) < kSameCentres) {
                result.status = ResolveStatus::SameCentres;
                result.otherFace = a;
                result.badFace = b;
                return result;
            }

    float worst = -1;
    for (int i = 0; i < 54; ++i) {
        const int s = SampleOf(i, rot);
        const float c = r.cost[s][classOfSample[static_cast<std::size_t>(s)]];
        if (c > worst) { worst = c; result.badSticker = i; }
    }
#ifdef COLOUR_DEBUG
    for (int c = 0; c < 6; ++c) std::printf("ref %d lab %.1f %.1f %.1f\n", c, r.refLab[c].l, r.refLab[c].a, r.refLab[c].b);
    for (int i = 0; i < 54; ++i) { const int s = SampleOf(i, rot); std::printf("%d:%c %.1f  lab %.0f %.0f %.0f%s", i, result.facelets[i], r.cost[s][classOfSample[s]], r.sampleLab[s].l, r.sampleLab[s].a, r.sampleLab[s].b, i % 9 == 8 ? "\n" : " | "); }
#endif
    if (worst > kNoCubeCost || !fit.complete) {
        result.status = ResolveStatus::NoCube;
        return result;
    }
    result.badSticker = -1;
    result.status = ResolveStatus::Ok;

    // Doubt: for every corner and edge sticker, is there a real colouring with another
    // colour there within kDoubtMargin of the best?
    const float limit = fit.total + kDoubtMargin;
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
    return result;
}

}  // namespace velmora
