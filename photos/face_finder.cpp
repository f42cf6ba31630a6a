// Finding the 3 x 3 grid of one face in a photo.
//
// The search runs on a copy shrunk by a whole factor to a short side of kWorkShortSide
// to twice that:
//  1. Colour edges (the largest Sobel step of the three channels) split the picture into
//     regions of even colour, at three edge thresholds.
//  2. Regions that are filled, convex and nearly square (a sticker seen up to 25 degrees
//     off-axis is a parallelogram) become sticker candidates with a centre and two side
//     vectors.
//  3. Every candidate proposes a lattice: its side vectors times a pitch factor (the
//     gap between stickers is unknown), the factor chosen by the other candidates that
//     fall on lattice points. The members of the lattice are refitted with an affine
//     or perspective map.
//  4. Stickers of one colour that touch (stickerless cubes) make regions covering
//     several cells; such a region that fits the lattice's cells counts as evidence for
//     those cells. The 3 x 3 window with the most evidence, and no stickers of the same
//     lattice outside it, is the face. Nine squares of one colour (tiles, keys) are a
//     face only with something dark between them.
// The nine colours are then sampled from the full-resolution picture.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "photos/face_grid.h"

namespace velmora::photos {

namespace {

constexpr int kWorkShortSide = 360;
// Edge strengths (in levels of a clean step, after the local light correction) above
// which a pixel separates regions: a weak one for dim or similar colours, a strong one
// for textured or noisy pictures.
constexpr int kEdgeThresholds[] = {10, 20, 38};
// A face fills at least this share of the short side; stickers smaller than that are
// not searched for.
constexpr double kSmallestFace = 0.17;
constexpr double kLargestFace = 0.95;
// Pitch (centre to centre) over a candidate's side: stickers with gaps and edge bands.
constexpr double kPitchMin = 0.95, kPitchMax = 1.8;
// What a window that runs off the picture loses in its score (two stickers' evidence).
constexpr double kCutOffPenalty = 2.0;
// Largest distance of a member from its lattice point, in pitches.
constexpr double kSnap = 0.26;

struct Candidate {
    cv::Point2d c;     // centroid
    cv::Point2d u, v;  // side vectors (full side length), u nearest the picture's x axis
    double area = 0;
};

struct Member {
    int cand;
    int m, n;  // lattice point
};

struct Hypothesis {
    cv::Matx33d map;  // lattice point (m, n) to working-picture pixels
    std::vector<Member> members;
    int seed = 0;
    double score = -1e9;
    int winM = 0, winN = 0;  // the chosen 3 x 3 window's first lattice point
    int inWindow = 0;
};

double Cross(cv::Point2d a, cv::Point2d b) { return a.x * b.y - a.y * b.x; }

// The colour edge strength: for each pixel the largest |dx| + |dy| of the three channels,
// scaled so that a clean step of height h gives about h.
cv::Mat EdgeStrength(const cv::Mat& small) {
    cv::Mat blurred, dx, dy;
    cv::GaussianBlur(small, blurred, cv::Size(3, 3), 0);
    cv::Sobel(blurred, dx, CV_16S, 1, 0);
    cv::Sobel(blurred, dy, CV_16S, 0, 1);
    cv::Mat ax, ay, sum;
    cv::convertScaleAbs(dx, ax, 0.125);
    cv::convertScaleAbs(dy, ay, 0.125);
    cv::add(ax, ay, sum);
    cv::Mat ch[3];
    cv::split(sum, ch);
    cv::Mat strength = cv::max(cv::max(ch[0], ch[1]), ch[2]);
    // Edges count relative to the light around them, so that a face in shadow or an
    // under-exposed photo is split as well as a bright one: scaled by a reference
    // brightness over the local brightness (never by more than four).
    cv::Mat level, px[3];
    cv::split(blurred, px);
    cv::Mat value = cv::max(cv::max(px[0], px[1]), px[2]);
    const int k = std::max(3, std::min(small.cols, small.rows) / 8) | 1;
    cv::boxFilter(value, level, CV_32F, cv::Size(k, k));
    cv::Mat gain;
    cv::max(level, 40.0f, level);
    cv::divide(160.0f, level, gain);
    cv::Mat s32;
    strength.convertTo(s32, CV_32F);
    cv::multiply(s32, gain, s32);
    s32.convertTo(strength, CV_8U);
    return strength;
}

// Turns a candidate's side vectors so that u is the side nearest the x axis, pointing
// right, and v points down; false when the two sides are too skewed for a sticker.
bool Upright(Candidate& c) {
    if (std::abs(c.u.x) < std::abs(c.v.x)) std::swap(c.u, c.v);
    if (c.u.x < 0) c.u = -c.u;
    if (c.v.y < 0) c.v = -c.v;
    return std::abs(Cross(c.u, c.v)) >= 0.5 * cv::norm(c.u) * cv::norm(c.v);
}

// Sticker candidates among the regions of even colour at one edge threshold.
void CollectCandidates(const cv::Mat& strength, int level, double minArea, double maxArea,
                       std::vector<Candidate>& out, cv::Mat* labelsOut) {
    cv::Mat even = strength <= kEdgeThresholds[level];
    if (labelsOut) cv::connectedComponents(even, *labelsOut, 4, CV_32S);
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> tree;
    cv::findContours(even, contours, tree, cv::RETR_CCOMP, cv::CHAIN_APPROX_SIMPLE);
    for (int i = 0; i < int(contours.size()); ++i) {
        if (tree[i][3] >= 0) continue;  // a hole
        const double outer = cv::contourArea(contours[i]);
        if (outer < minArea || outer > 2.5 * maxArea) continue;
        double holes = 0;
        for (int k = tree[i][2]; k >= 0; k = tree[k][0]) holes += cv::contourArea(contours[k]);
        if (holes > 0.3 * outer) continue;
        std::vector<cv::Point> hull;
        cv::convexHull(contours[i], hull);
        const double hullArea = cv::contourArea(hull);
        if (outer < 0.85 * hullArea) continue;
        const cv::RotatedRect box = cv::minAreaRect(contours[i]);
        const double w = box.size.width, h = box.size.height;
        // Filled like a square with rounded corners, not like a disc (0.79).
        if (w < 4 || h < 4 || outer < 0.82 * w * h) continue;
        const double a = box.angle * CV_PI / 180.0;
        const cv::Point2d along = cv::Point2d(std::cos(a), std::sin(a)) * w;
        const cv::Point2d across = cv::Point2d(-std::sin(a), std::cos(a)) * h;
        const double aspect = std::max(w, h) / std::min(w, h);
        if (aspect > 1.7 && aspect < 2.5 && outer > 0.8 * w * h && outer < 2 * maxArea) {
            // Two stickers of one colour side by side (a stickerless cube): a candidate
            // for each half.
            const cv::Point2d length = w > h ? along : across, width = w > h ? across : along;
            for (int side = -1; side <= 1; side += 2) {
                Candidate half;
                half.area = outer / 2;
                half.c = box.center + cv::Point2f(length * (0.25 * side));
                half.u = length * 0.5;
                half.v = width;
                if (Upright(half)) out.push_back(half);
            }
            continue;
        }
        if (aspect > 1.6 || outer > maxArea) continue;

        Candidate c;
        c.area = outer;
        const cv::Moments mo = cv::moments(contours[i]);
        c.c = {mo.m10 / mo.m00, mo.m01 / mo.m00};
        std::vector<cv::Point> quad;
        cv::approxPolyDP(hull, quad, 0.06 * cv::arcLength(hull, true), true);
        if (quad.size() == 4 && std::abs(cv::contourArea(quad) - hullArea) < 0.15 * hullArea) {
            cv::Point2d p[4];
            for (int k = 0; k < 4; ++k) p[k] = quad[k];
            c.u = ((p[1] + p[2]) - (p[0] + p[3])) * 0.5;
            c.v = ((p[2] + p[3]) - (p[0] + p[1])) * 0.5;
            const double lu = cv::norm(c.u), lv = cv::norm(c.v);
            if (std::max(lu, lv) > 1.6 * std::min(lu, lv)) continue;
            // Parallelogram check: the two diagonals' midpoints meet.
            if (cv::norm((p[0] + p[2]) - (p[1] + p[3])) > 0.3 * std::min(lu, lv)) continue;
        } else {
            c.u = along;
            c.v = across;
        }
        if (Upright(c)) out.push_back(c);
    }
}

// Two candidates alike in size and turned alike (sides within ~15 degrees, mod 90).
bool Alike(const Candidate& a, const Candidate& b) {
    if (b.area < 0.45 * a.area || b.area > 2.2 * a.area) return false;
    const double cu = std::abs(a.u.dot(b.u)) / (cv::norm(a.u) * cv::norm(b.u));
    return cu > 0.96;
}

cv::Matx33d AffineMap(cv::Point2d origin, cv::Point2d pu, cv::Point2d pv) {
    return cv::Matx33d(pu.x, pv.x, origin.x, pu.y, pv.y, origin.y, 0, 0, 1);
}

// Least-squares perspective map from grid points to picture points (the picture points
// centred and scaled first for a well-conditioned system).
std::optional<cv::Matx33d> FitPerspective(const std::vector<cv::Point2f>& grid, const std::vector<cv::Point2f>& pic) {
    cv::Point2d mean(0, 0);
    for (const cv::Point2f& p : pic) mean += cv::Point2d(p);
    mean *= 1.0 / double(pic.size());
    double spread = 0;
    for (const cv::Point2f& p : pic) spread += cv::norm(cv::Point2d(p) - mean);
    spread = std::max(1e-6, spread / double(pic.size()));
    const int n = int(grid.size());
    cv::Mat a(2 * n, 8, CV_64F, cv::Scalar(0)), b(2 * n, 1, CV_64F);
    for (int i = 0; i < n; ++i) {
        const double x = grid[i].x, y = grid[i].y;
        const double px = (pic[i].x - mean.x) / spread, py = (pic[i].y - mean.y) / spread;
        double* r0 = a.ptr<double>(2 * i);
        double* r1 = a.ptr<double>(2 * i + 1);
        r0[0] = x, r0[1] = y, r0[2] = 1, r0[6] = -x * px, r0[7] = -y * px;
        r1[3] = x, r1[4] = y, r1[5] = 1, r1[6] = -x * py, r1[7] = -y * py;
        b.at<double>(2 * i) = px, b.at<double>(2 * i + 1) = py;
    }
    cv::Mat h;
    if (!cv::solve(a, b, h, cv::DECOMP_SVD)) return std::nullopt;
    const double* v = h.ptr<double>();
    const cv::Matx33d norm(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], 1);
    const cv::Matx33d back(spread, 0, mean.x, 0, spread, mean.y, 0, 0, 1);
    const cv::Matx33d m = back * norm;
    if (std::abs(cv::determinant(m)) < 1e-6) return std::nullopt;
    return m;
}

// Fits the map from lattice points to the members' centroids: perspective when seven or
// more members cover the three rows and three columns, else affine (perspective from
// fewer points extrapolates badly), else the seed's own shape.
cv::Matx33d FitMap(const std::vector<Member>& members, const std::vector<Candidate>& cands,
                   const cv::Matx33d& fallback) {
    std::vector<cv::Point2f> grid, pic;
    int mMin = 99, mMax = -99, nMin = 99, nMax = -99;
    for (const Member& mb : members) {
        grid.emplace_back(float(mb.m), float(mb.n));
        pic.emplace_back(cands[mb.cand].c);
        mMin = std::min(mMin, mb.m), mMax = std::max(mMax, mb.m);
        nMin = std::min(nMin, mb.n), nMax = std::max(nMax, mb.n);
    }
    if (members.size() >= 7 && mMax - mMin >= 2 && nMax - nMin >= 2) {
        if (auto h = FitPerspective(grid, pic)) return *h;
    }
    if (members.size() >= 3 && mMax > mMin && nMax > nMin) {
        // Least squares affine fit: solve [m n 1] * A = [x y].
        cv::Mat a(int(members.size()), 3, CV_64F), b(int(members.size()), 2, CV_64F);
        for (int i = 0; i < int(members.size()); ++i) {
            a.at<double>(i, 0) = grid[i].x, a.at<double>(i, 1) = grid[i].y, a.at<double>(i, 2) = 1;
            b.at<double>(i, 0) = pic[i].x, b.at<double>(i, 1) = pic[i].y;
        }
        cv::Mat x;
        if (cv::solve(a, b, x, cv::DECOMP_SVD)) {
            const cv::Matx33d m(x.at<double>(0, 0), x.at<double>(1, 0), x.at<double>(2, 0),
                                x.at<double>(0, 1), x.at<double>(1, 1), x.at<double>(2, 1), 0, 0, 1);
            if (std::abs(cv::determinant(m)) > 1e-3) return m;
        }
    }
    // Too few or collinear members: keep the seed's shape, centred on the members.
    cv::Matx33d m = fallback;
    cv::Point2d shift(0, 0);
    for (const Member& mb : members) shift += cands[mb.cand].c - MapPoint(fallback, mb.m, mb.n);
    shift *= 1.0 / std::max<std::size_t>(1, members.size());
    m(0, 2) += shift.x, m(1, 2) += shift.y;
    return m;
}

// Assigns every candidate that lies on a lattice point of the map and is sized like
// the cell there; one member per point, the nearest.
std::vector<Member> Assign(const cv::Matx33d& map, const std::vector<Candidate>& cands) {
    const cv::Matx33d inv = map.inv();
    std::vector<Member> members;
    std::vector<double> best;
    for (int j = 0; j < int(cands.size()); ++j) {
        const cv::Point2d g = MapPoint(inv, cands[j].c.x, cands[j].c.y);
        const int m = int(std::lround(g.x)), n = int(std::lround(g.y));
        if (std::abs(m) > 3 || std::abs(n) > 3) continue;  // the seed's window and one ring around it
        const double off = std::hypot(g.x - m, g.y - n);
        if (off > kSnap) continue;
        // The cell's area in pixels here against the candidate's.
        const cv::Point2d o = MapPoint(map, m, n);
        const double cell = std::abs(Cross(MapPoint(map, m + 1, n) - o, MapPoint(map, m, n + 1) - o));
        const double ratio = cands[j].area / cell;
        if (ratio < 0.25 || ratio > 1.15) continue;
        // Turned like the lattice there (within about 14 degrees).
        const cv::Point2d axis = MapPoint(map, m + 1, n) - o;
        const double cosU = std::abs(axis.dot(cands[j].u)) / (cv::norm(axis) * cv::norm(cands[j].u) + 1e-9);
        const double cosV = std::abs(axis.dot(cands[j].v)) / (cv::norm(axis) * cv::norm(cands[j].v) + 1e-9);
        if (std::max(cosU, cosV) < 0.97) continue;
        auto same = std::find_if(members.begin(), members.end(),
                                 [&](const Member& mb) { return mb.m == m && mb.n == n; });
        if (same == members.end()) {
            members.push_back({j, m, n});
            best.push_back(off);
        } else if (off < best[same - members.begin()]) {
            *same = {j, m, n};
            best[same - members.begin()] = off;
        }
    }
    return members;
}

// The lattice that candidate `seed` proposes, or no members when no other candidate
// agrees with it.
Hypothesis Propose(int seed, const std::vector<Candidate>& cands) {
    Hypothesis hyp;
    hyp.seed = seed;
    const Candidate& s = cands[seed];
    const cv::Matx22d basis(s.u.x, s.v.x, s.u.y, s.v.y);
    const cv::Matx22d inv = basis.inv();
    std::vector<double> votes;
    for (int j = 0; j < int(cands.size()); ++j) {
        if (j == seed || !Alike(s, cands[j])) continue;
        const cv::Vec2d ab = inv * cv::Vec2d(cands[j].c.x - s.c.x, cands[j].c.y - s.c.y);
        if (std::abs(ab[0]) > 2 * kPitchMax + 0.5 || std::abs(ab[1]) > 2 * kPitchMax + 0.5) continue;
        for (int m = -2; m <= 2; ++m)
            for (int n = -2; n <= 2; ++n) {
                if (m == 0 && n == 0) continue;
                const double f = (ab[0] * m + ab[1] * n) / (m * m + n * n);
                if (f < kPitchMin || f > kPitchMax) continue;
                if (std::hypot(ab[0] - f * m, ab[1] - f * n) < 0.22 * f) votes.push_back(f);
            }
    }
    if (votes.empty()) return hyp;
    std::sort(votes.begin(), votes.end());
    // The factor with most votes within +-6 %.
    std::size_t bestCount = 0;
    double factor = votes[0];
    for (std::size_t a = 0, b = 0; a < votes.size(); ++a) {
        while (b < votes.size() && votes[b] <= votes[a] * 1.12) ++b;
        if (b - a > bestCount) {
            bestCount = b - a;
            double sum = 0;
            for (std::size_t k = a; k < b; ++k) sum += votes[k];
            factor = sum / double(b - a);
        }
    }
    hyp.map = AffineMap(s.c, s.u * factor, s.v * factor);
    hyp.members = Assign(hyp.map, cands);
    return hyp;
}

// Evidence that grid cell (m, n) holds a sticker although no candidate was found there:
// the region of even colour under it covers the cell and no more than whole cells.
class RegionEvidence {
public:
    RegionEvidence(const cv::Mat& labels) : labels_(labels) {
        int count = 0;
        for (int y = 0; y < labels.rows; ++y) {
            const int* row = labels.ptr<int>(y);
            for (int x = 0; x < labels.cols; ++x) count = std::max(count, row[x] + 1);
        }
        area_.assign(count, 0);
        for (int y = 0; y < labels.rows; ++y) {
            const int* row = labels.ptr<int>(y);
            for (int x = 0; x < labels.cols; ++x) ++area_[row[x]];
        }
    }

    // Label covering most of cell (m, n)'s inner area, or 0.
    int CellLabel(const cv::Matx33d& map, int m, int n) const {
        int labels[25], count = 0;
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                const cv::Point2d p = MapPoint(map, m - 0.32 + 0.16 * j, n - 0.32 + 0.16 * i);
                const int x = int(p.x), y = int(p.y);
                labels[count++] = (x < 0 || y < 0 || x >= labels_.cols || y >= labels_.rows) ? 0 : labels_.at<int>(y, x);
            }
        std::sort(labels, labels + count);
        int best = 0, bestRun = 0;
        for (int a = 0, b = 0; a < count; a = b) {
            while (b < count && labels[b] == labels[a]) ++b;
            if (b - a > bestRun) bestRun = b - a, best = labels[a];
        }
        return bestRun >= 20 ? best : 0;
    }

    // For the cells of [m0, m0 + span) x [n0, n0 + span): which are covered by a region
    // that is a union of cells.
    void Mark(const cv::Matx33d& map, int m0, int n0, int span, std::vector<char>& covered) const {
        std::vector<int> label(span * span);
        for (int i = 0; i < span * span; ++i) label[i] = CellLabel(map, m0 + i % span, n0 + i / span);
        covered.assign(span * span, 0);
        for (int i = 0; i < span * span; ++i) {
            if (label[i] <= 0 || covered[i]) continue;
            int cells = 0;
            double cellArea = 0;
            for (int k = 0; k < span * span; ++k)
                if (label[k] == label[i]) {
                    ++cells;
                    const int m = m0 + k % span, n = n0 + k / span;
                    const cv::Point2d o = MapPoint(map, m, n);
                    cellArea += std::abs(Cross(MapPoint(map, m + 1, n) - o, MapPoint(map, m, n + 1) - o));
                }
            const double area = area_[label[i]];
            if (cells > 6 || area > 1.1 * cellArea || area < 0.4 * cellArea) continue;
            for (int k = 0; k < span * span; ++k)
                if (label[k] == label[i]) covered[k] = 1;
        }
    }

private:
    const cv::Mat& labels_;
    std::vector<int> area_;
};

// Chooses the 3 x 3 window of a refined lattice and scores it.
// Windows with equal evidence (a column or row of stickers not seen at all) are told
// apart by where the face lies: nearer the middle of the picture, as it is photographed.
void ChooseWindow(Hypothesis& hyp, const RegionEvidence& evidence, cv::Size picture,
                  const std::vector<Candidate>& cands) {
    const cv::Point2d middle(picture.width / 2.0, picture.height / 2.0);
    const double shortSide = std::min(picture.width, picture.height);
    int mMin = 99, mMax = -99, nMin = 99, nMax = -99;
    for (const Member& mb : hyp.members) {
        mMin = std::min(mMin, mb.m), mMax = std::max(mMax, mb.m);
        nMin = std::min(nMin, mb.n), nMax = std::max(nMax, mb.n);
    }
    // Evidence from regions over the cells around the members.
    const int m0 = mMin - 2, n0 = nMin - 2;
    const int span = std::max(mMax - mMin, nMax - nMin) + 5;
    if (span > 12) return;
    std::vector<char> covered;
    evidence.Mark(hyp.map, m0, n0, span, covered);
    for (const Member& mb : hyp.members) covered[(mb.n - n0) * span + (mb.m - m0)] = 2;
    for (int wm = mMin - 2; wm <= mMax; ++wm)
        for (int wn = nMin - 2; wn <= nMax; ++wn) {
            double score = 0;
            int in = 0, out = 0;
            // Stickers of the same lattice outside the window, sized like those inside,
            // speak against it (a face ends at the cube's edge); much smaller or larger
            // squares that happen to lie on lattice points are the background's.
            std::vector<double> areas;
            for (const Member& mb : hyp.members)
                if (mb.m >= wm && mb.m < wm + 3 && mb.n >= wn && mb.n < wn + 3) areas.push_back(cands[mb.cand].area);
            if (areas.empty()) continue;
            std::nth_element(areas.begin(), areas.begin() + areas.size() / 2, areas.end());
            const double typical = areas[areas.size() / 2];
            in = int(areas.size());
            for (const Member& mb : hyp.members) {
                const bool inside = mb.m >= wm && mb.m < wm + 3 && mb.n >= wn && mb.n < wn + 3;
                const double a = cands[mb.cand].area;
                if (!inside && a > 0.5 * typical && a < 2 * typical) ++out;
            }
            for (int k = 0; k < span * span; ++k) {
                if (covered[k] != 1) continue;
                const int m = m0 + k % span, n = n0 + k / span;
                const bool inside = m >= wm && m < wm + 3 && n >= wn && n < wn + 3;
                score += inside ? 0.8 : -0.4;
            }
            score += in - 2.5 * out;
            score -= 0.05 * cv::norm(MapPoint(hyp.map, wm + 1, wn + 1) - middle) / shortSide;
            if (score > hyp.score) hyp.score = score, hyp.winM = wm, hyp.winN = wn, hyp.inWindow = in;
        }
}

// Whether the window's outline (its stickers' outer edges) lies within the picture.
bool WithinPicture(cv::Size picture, const Hypothesis& hyp) {
    for (int k = 0; k < 4; ++k) {
        const cv::Point2d p = MapPoint(hyp.map, hyp.winM - 0.5 + 3 * (k % 2), hyp.winN - 0.5 + 3 * (k / 2));
        if (p.x < 0 || p.y < 0 || p.x > picture.width || p.y > picture.height) return false;
    }
    return true;
}

// Nine squares of one colour are a solved face only when something dark runs between
// them (black plastic, or the grooves of a stickerless cube); with gaps of another
// colour they are tiles, a keyboard or a pattern.
bool OneColourWithoutGaps(const FaceSamples& samples, const cv::Mat& small, const cv::Matx33d& map) {
    auto lum = [](float r, float g, float b) { return 0.3f * r + 0.59f * g + 0.11f * b; };
    // One colour: seven of the nine like the centre (something may lie over a tile).
    int alike = 0;
    for (const Rgb& a : samples) {
        const Rgb& b = samples[4];
        alike += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 60;
    }
    if (alike < 7) return false;
    // The darkest point on a short line across each of the twelve inner gaps.
    std::vector<float> gaps;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            for (int across = 0; across < 2; ++across) {
                float darkest = 1e9f;
                for (int k = 0; k <= 12; ++k) {
                    const double t = c + 0.3 + 0.4 * k / 12;
                    const cv::Point2d p = across ? MapPoint(map, r, t) : MapPoint(map, t, r);
                    const int x = int(std::lround(p.x)), y = int(std::lround(p.y));
                    if (x < 0 || y < 0 || x >= small.cols || y >= small.rows) continue;
                    const cv::Vec3b v = small.at<cv::Vec3b>(y, x);
                    darkest = std::min(darkest, lum(v[2], v[1], v[0]));
                }
                if (darkest < 1e9f) gaps.push_back(darkest);
            }
    if (gaps.empty()) return true;
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    const Rgb& s = samples[4];
    return gaps[gaps.size() / 2] > 0.6f * lum(s.r, s.g, s.b);
}

// The face a chosen lattice window describes, read from the full picture; not found
// when it is nine squares of one colour without dark gaps.
FaceReading ReadHypothesis(const cv::Mat& bgr, const cv::Mat& small, int factor, const Hypothesis& best,
                           const std::vector<Candidate>& cands) {
    // Refit on the window's members, with the window's first cell as lattice (0, 0).
    std::vector<Member> inside;
    for (const Member& mb : best.members)
        if (mb.m >= best.winM && mb.m < best.winM + 3 && mb.n >= best.winN && mb.n < best.winN + 3)
            inside.push_back({mb.cand, mb.m - best.winM, mb.n - best.winN});
    const cv::Matx33d shift(1, 0, best.winM, 0, 1, best.winN, 0, 0, 1);
    cv::Matx33d map = FitMap(inside, cands, best.map * shift);

    // Corners in picture order (top-left first, clockwise): turn the lattice so.
    const cv::Point2d centre = MapPoint(map, 1, 1);
    int turn = 0;
    double bestTl = 1e18;
    const double gx[4] = {-0.5, 2.5, 2.5, -0.5}, gy[4] = {-0.5, -0.5, 2.5, 2.5};
    for (int k = 0; k < 4; ++k) {
        const cv::Point2d p = MapPoint(map, gx[k], gy[k]) - centre;
        if (p.x + p.y < bestTl) bestTl = p.x + p.y, turn = k;
    }
    // The lattice's corner order runs clockwise on the picture (y down) when its signed
    // area is positive; otherwise the lattice is mirrored and the order is walked back.
    double signedArea = 0;
    for (int k = 0; k < 4; ++k)
        signedArea += Cross(MapPoint(map, gx[k], gy[k]), MapPoint(map, gx[(k + 1) % 4], gy[(k + 1) % 4]));
    const bool clockwise = signedArea > 0;
    // Lattice point (c, r) of the picture-ordered grid -> lattice point of `map`.
    cv::Matx33d reorder;
    {
        cv::Point2f from[4], to[4];
        for (int k = 0; k < 4; ++k) {
            const int src = clockwise ? (turn + k) % 4 : (turn - k + 4) % 4;
            from[k] = cv::Point2f(float(gx[k]), float(gy[k]));
            to[k] = cv::Point2f(float(gx[src]), float(gy[src]));
        }
        reorder = cv::getPerspectiveTransform(from, to);
    }
    map = map * reorder;

    // Back to full resolution: pixel centres scale about the half-pixel offset.
    const double inv = factor;
    const cv::Matx33d up(inv, 0, 0.5 * inv - 0.5, 0, inv, 0.5 * inv - 0.5, 0, 0, 1);
    const cv::Matx33d fullMap = up * map;
    std::array<cv::Point2d, 9> centres;
    const cv::Matx33d toGrid = map.inv();
    for (int i = 0; i < 9; ++i) centres[i] = MapPoint(fullMap, i % 3, i / 3);
    for (const Member& mb : inside) {
        const cv::Point2d g = MapPoint(toGrid, cands[mb.cand].c.x, cands[mb.cand].c.y);
        const int c = int(std::lround(g.x)), r = int(std::lround(g.y));
        if (c >= 0 && c < 3 && r >= 0 && r < 3) centres[r * 3 + c] = MapPoint(up, cands[mb.cand].c.x, cands[mb.cand].c.y);
    }
    FaceReading reading = ReadGrid(bgr, fullMap, &centres);
    if (OneColourWithoutGaps(reading.samples, small, map)) return {};
    return reading;
}

}  // namespace

FaceReading FindFace(const cv::Mat& bgr) {
    FaceReading none;
    if (bgr.empty() || bgr.type() != CV_8UC3 || std::min(bgr.cols, bgr.rows) < 24) return none;
    // Shrink by a whole factor: averaging whole blocks of pixels is several times faster
    // than an arbitrary factor and keeps the short side between one and two times
    // kWorkShortSide.
    const int factor = std::max(1, std::min(bgr.cols, bgr.rows) / kWorkShortSide);
    cv::Mat small;
    if (factor > 1)
        cv::resize(bgr, small, cv::Size(bgr.cols / factor, bgr.rows / factor), 0, 0, cv::INTER_AREA);
    else
        small = bgr;
    const double workShort = std::min(small.cols, small.rows);
    const double minSide = workShort * kSmallestFace / 3 * 0.55;
    const double maxSide = workShort * kLargestFace / 3;

    const cv::Mat strength = EdgeStrength(small);
    std::vector<Candidate> cands;
    cv::Mat labels;
    for (int level = 0; level < 3; ++level)
        CollectCandidates(strength, level, minSide * minSide, maxSide * maxSide, cands, level == 1 ? &labels : nullptr);
    // The same sticker found at several thresholds: keep one.
    std::vector<Candidate> unique;
    for (const Candidate& c : cands) {
        bool dup = false;
        for (const Candidate& d : unique)
            dup = dup || (cv::norm(c.c - d.c) < 0.2 * std::sqrt(d.area) && c.area > 0.6 * d.area && c.area < 1.6 * d.area);
        if (!dup) unique.push_back(c);
    }
    cands.swap(unique);
    if (cands.size() < 2) return none;

    std::vector<Hypothesis> hyps;
    for (int i = 0; i < int(cands.size()); ++i) {
        Hypothesis h = Propose(i, cands);
        if (h.members.size() >= 3) hyps.push_back(std::move(h));
    }
    // Most members within one 3 x 3 window around the seed first.
    for (Hypothesis& h : hyps) {
        for (int wm = -2; wm <= 0; ++wm)
            for (int wn = -2; wn <= 0; ++wn) {
                int in = 0;
                for (const Member& mb : h.members) in += mb.m >= wm && mb.m < wm + 3 && mb.n >= wn && mb.n < wn + 3;
                h.inWindow = std::max(h.inWindow, in);
            }
    }
    std::sort(hyps.begin(), hyps.end(), [](const Hypothesis& a, const Hypothesis& b) { return a.inWindow > b.inWindow; });
    const RegionEvidence evidence(labels);
    std::vector<Hypothesis> refined;
    std::vector<std::vector<int>> seen;
    for (std::size_t k = 0; k < hyps.size() && k < 40; ++k) {
        Hypothesis h = hyps[k];
        h.inWindow = 0;
        const cv::Matx33d seedMap = h.map;
        for (int round = 0; round < 3; ++round) {
            h.map = FitMap(h.members, cands, seedMap);
            std::vector<Member> again = Assign(h.map, cands);
            if (again.size() < 3) break;
            h.members = again;
        }
        std::vector<int> ids;
        for (const Member& mb : h.members) ids.push_back(mb.cand);
        std::sort(ids.begin(), ids.end());
        if (std::find(seen.begin(), seen.end(), ids) != seen.end()) continue;
        seen.push_back(ids);
        ChooseWindow(h, evidence, small.size(), cands);
        // At least three stickers and the evidence of four (less the small tie-break).
        if (h.inWindow >= 3 && h.score >= 3.9) refined.push_back(std::move(h));
    }
    // A window that runs off the picture is not a face photographed whole: a pattern of
    // squares cut off by the edge is passed over for one that lies within it.
    for (Hypothesis& h : refined)
        if (!WithinPicture(small.size(), h)) h.score -= kCutOffPenalty;
    std::stable_sort(refined.begin(), refined.end(),
                     [](const Hypothesis& x, const Hypothesis& y) { return x.score > y.score; });
    for (std::size_t k = 0; k < refined.size() && k < 3; ++k) {
        FaceReading r = ReadHypothesis(bgr, small, factor, refined[k], cands);
        if (r.found) return r;
    }
    return none;
}

}  // namespace velmora::photos
