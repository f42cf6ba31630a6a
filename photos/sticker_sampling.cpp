// Sampling the stickers of a located face at the picture's full resolution.
#include <algorithm>
#include <cmath>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "photos/face_grid.h"

namespace velmora::photos {

namespace {

// Half-width of the sampled inner area in grid units (a sticker spans about 0.45 on a
// cube with black plastic, 0.49 on a stickerless one): leaves room for a grid that is
// a few percent off and for rounded sticker corners.
constexpr double kInnerHalf = 0.27;
// Sample points per side of the inner area at most; fewer when the area has fewer pixels.
constexpr int kMaxSide = 28;

struct Pixel {
    unsigned char b, g, r;
};

int MedianOf(std::vector<int>& v) {
    auto mid = v.begin() + v.size() / 2;
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

}  // namespace

cv::Point2d MapPoint(const cv::Matx33d& h, double x, double y) {
    const cv::Vec3d p = h * cv::Vec3d(x, y, 1.0);
    // A point the map sends to infinity (or a degenerate map) lands far outside any
    // picture, where every caller skips it.
    if (!(std::abs(p[2]) > 1e-12) || !std::isfinite(p[0] / p[2]) || !std::isfinite(p[1] / p[2])) return {-1e9, -1e9};
    const cv::Point2d q(p[0] / p[2], p[1] / p[2]);
    if (std::abs(q.x) > 1e9 || std::abs(q.y) > 1e9) return {-1e9, -1e9};
    return q;
}

Rgb SampleSticker(const cv::Mat& bgr, const cv::Matx33d& h, cv::Point2d centre, double half) {
    // Side of the inner area in pixels decides how densely to sample it.
    const cv::Point2d a = MapPoint(h, centre.x - half, centre.y), b = MapPoint(h, centre.x + half, centre.y);
    const int side = std::clamp(int(cv::norm(a - b)), 6, kMaxSide);
    std::vector<Pixel> pixels;
    pixels.reserve(side * side);
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            const double gx = centre.x - half + 2 * half * (j + 0.5) / side;
            const double gy = centre.y - half + 2 * half * (i + 0.5) / side;
            const cv::Point2d p = MapPoint(h, gx, gy);
            const int x = int(std::lround(p.x)), y = int(std::lround(p.y));
            if (x < 0 || y < 0 || x >= bgr.cols || y >= bgr.rows) continue;
            const cv::Vec3b v = bgr.at<cv::Vec3b>(y, x);
            pixels.push_back({v[0], v[1], v[2]});
        }
    if (pixels.empty()) return {};

    // Glare: clipped pixels, and pixels much brighter and paler than the sticker's own
    // median. Set aside only while they are a minority (an over-exposed white sticker
    // is clipped all over and still white).
    std::vector<int> lum, chroma;
    lum.reserve(pixels.size());
    chroma.reserve(pixels.size());
    for (const Pixel& p : pixels) {
        lum.push_back(p.r * 3 + p.g * 6 + p.b);
        chroma.push_back(std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}));
    }
    std::vector<int> tmp = lum;
    const int lumMed = MedianOf(tmp);
    tmp = chroma;
    const int chromaMed = MedianOf(tmp);
    std::vector<int> rs, gs, bs;
    rs.reserve(pixels.size());
    gs.reserve(pixels.size());
    bs.reserve(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Pixel& p = pixels[i];
        const bool clipped = std::max({p.r, p.g, p.b}) >= 250;
        const bool pale = lum[i] > lumMed * 5 / 4 + 200 && chroma[i] * 3 < chromaMed * 2;
        if (clipped || pale) continue;
        rs.push_back(p.r);
        gs.push_back(p.g);
        bs.push_back(p.b);
    }
    if (rs.size() * 5 < pixels.size() * 2) {  // mostly glare or clipped: keep everything
        rs.clear(), gs.clear(), bs.clear();
        for (const Pixel& p : pixels) rs.push_back(p.r), gs.push_back(p.g), bs.push_back(p.b);
    }
    return {float(MedianOf(rs)), float(MedianOf(gs)), float(MedianOf(bs))};
}

FaceReading ReadGrid(const cv::Mat& bgr, const cv::Matx33d& h, const std::array<cv::Point2d, 9>* centres) {
    FaceReading out;
    out.found = true;
    const double corners[4][2] = {{-0.5, -0.5}, {2.5, -0.5}, {2.5, 2.5}, {-0.5, 2.5}};
    for (int k = 0; k < 4; ++k) {
        const cv::Point2d p = MapPoint(h, corners[k][0], corners[k][1]);
        out.quad[k] = {float(p.x), float(p.y)};
    }
    const cv::Matx33d inv = h.inv();
    for (int i = 0; i < 9; ++i) {
        cv::Point2d grid(i % 3, i / 3);
        if (centres) grid = MapPoint(inv, (*centres)[i].x, (*centres)[i].y);
        const cv::Point2d p = MapPoint(h, grid.x, grid.y);
        out.centres[i] = {float(p.x), float(p.y)};
        out.samples[i] = SampleSticker(bgr, h, grid, kInnerHalf);
    }
    return out;
}

FaceReading ReadFaceAt(const cv::Mat& bgr, const Quad& quad) {
    FaceReading none;
    none.quad = quad;
    if (bgr.empty() || bgr.type() != CV_8UC3) return none;
    const cv::Point2f grid[4] = {{-0.5f, -0.5f}, {2.5f, -0.5f}, {2.5f, 2.5f}, {-0.5f, 2.5f}};
    cv::Point2f pic[4];
    for (int k = 0; k < 4; ++k) {
        if (!std::isfinite(quad[k][0]) || !std::isfinite(quad[k][1]) || std::abs(quad[k][0]) > 1e7f ||
            std::abs(quad[k][1]) > 1e7f)
            return none;
        pic[k] = {quad[k][0], quad[k][1]};
    }
    // Four corners that do not make a convex outline of some size describe no face.
    std::vector<cv::Point2f> poly(pic, pic + 4);
    if (!cv::isContourConvex(poly) || cv::contourArea(poly) < 9.0) return none;
    const cv::Matx33d h = cv::getPerspectiveTransform(grid, pic);
    FaceReading r = ReadGrid(bgr, h);
    r.quad = quad;
    return r;
}

}  // namespace velmora::photos
