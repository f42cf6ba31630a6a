// Renders generated photos of a cube face: perspective camera, painter's order over the
// cube's visible faces, then light colour, shadow, glare, defocus, noise and JPEG.
#include "photos/photo_generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace velmora::test {

const std::array<Rgb, 6> kStickerColours = {{
    {235, 236, 230},  // U white
    {196, 22, 36},    // R red
    {0, 155, 72},     // F green
    {250, 212, 0},    // D yellow
    {255, 104, 0},    // L orange
    {0, 72, 176},     // B blue
}};

namespace {

struct Vec3 {
    double x, y, z;
};
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(double k, Vec3 a) { return {k * a.x, k * a.y, k * a.z}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A face of the unit cube centred at the origin: point (a, b) in [0, 1]^2 is o + a*A + b*B.
struct CubeFace {
    Vec3 o, a, b, normal;
};
// Front first: the face being photographed (z = -0.5, towards the camera, y down).
const CubeFace kFaces[6] = {
    {{-.5, -.5, -.5}, {1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
    {{.5, -.5, -.5}, {0, 0, 1}, {0, 1, 0}, {1, 0, 0}},
    {{-.5, -.5, .5}, {0, 0, -1}, {0, 1, 0}, {-1, 0, 0}},
    {{-.5, -.5, .5}, {1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
    {{-.5, .5, -.5}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{.5, -.5, .5}, {-1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
};

struct Camera {
    double r[3][3];
    double distance, focal, px, py;
    Vec3 Rotate(Vec3 p) const {
        return {r[0][0] * p.x + r[0][1] * p.y + r[0][2] * p.z, r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z,
                r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z};
    }
    cv::Point2d Project(Vec3 p) const {
        const Vec3 q = Rotate(p);
        const double z = q.z + distance;
        return {focal * q.x / z + px, focal * q.y / z + py};
    }
};

Camera MakeCamera(const FaceView& v) {
    const double d2r = CV_PI / 180;
    const double cr = std::cos(v.rollDeg * d2r), sr = std::sin(v.rollDeg * d2r);
    const double cp = std::cos(v.pitchDeg * d2r), sp = std::sin(v.pitchDeg * d2r);
    const double cy = std::cos(v.yawDeg * d2r), sy = std::sin(v.yawDeg * d2r);
    const cv::Matx33d rz(cr, -sr, 0, sr, cr, 0, 0, 0, 1);
    const cv::Matx33d rx(1, 0, 0, 0, cp, -sp, 0, sp, cp);
    const cv::Matx33d ry(cy, 0, sy, 0, 1, 0, -sy, 0, cy);
    const cv::Matx33d r = rz * rx * ry;
    Camera c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) c.r[i][j] = r(i, j);
    c.distance = v.distance;
    c.focal = v.faceShare * std::min(v.width, v.height) * (v.distance - 0.5);
    // Place the photographed face's centre (not the cube's) where the view asks.
    c.px = c.py = 0;
    const cv::Point2d at = c.Project({0, 0, -0.5});
    c.px = v.centreX * v.width - at.x;
    c.py = v.centreY * v.height - at.y;
    return c;
}

// Fills a polygon given in face coordinates, anti-aliased with sub-pixel corners.
void FillOnFace(cv::Mat& img, const Camera& cam, const CubeFace& f, const std::vector<cv::Point2d>& ab,
                const cv::Scalar& colour) {
    constexpr int kShift = 4;
    std::vector<cv::Point> pts;
    for (const cv::Point2d& p : ab) {
        const cv::Point2d q = cam.Project(f.o + p.x * f.a + p.y * f.b);
        pts.emplace_back(int(std::lround(q.x * (1 << kShift))), int(std::lround(q.y * (1 << kShift))));
    }
    cv::fillConvexPoly(img, pts, colour, cv::LINE_AA, kShift);
}

std::vector<cv::Point2d> RoundedSquare(cv::Point2d centre, double side, double radius) {
    std::vector<cv::Point2d> pts;
    const double h = side / 2 - radius;
    const cv::Point2d corners[4] = {{h, -h}, {h, h}, {-h, h}, {-h, -h}};
    for (int k = 0; k < 4; ++k)
        for (int s = 0; s <= 4; ++s) {
            const double a = (k - 1) * CV_PI / 2 + s * CV_PI / 8;
            pts.push_back(centre + corners[k] + cv::Point2d(std::cos(a), std::sin(a)) * radius);
        }
    return pts;
}

cv::Scalar Bgr(const Rgb& c, double k = 1) { return cv::Scalar(c.b * k, c.g * k, c.r * k); }

// Channel gains of light of this colour temperature relative to daylight (6500 K).
cv::Vec3d KelvinRgb(double kelvin) {
    const double t = kelvin / 100;
    double r, g, b;
    if (t <= 66) {
        r = 255;
        g = 99.47 * std::log(t) - 161.12;
        b = t <= 19 ? 0 : 138.52 * std::log(t - 10) - 305.04;
    } else {
        r = 329.70 * std::pow(t - 60, -0.1332);
        g = 288.12 * std::pow(t - 60, -0.0755);
        b = 255;
    }
    return {std::clamp(r, 1.0, 255.0), std::clamp(g, 1.0, 255.0), std::clamp(b, 1.0, 255.0)};
}

void DrawClutter(cv::Mat& img, std::mt19937& rng, int count) {
    std::uniform_real_distribution<double> u(0, 1);
    const double s = std::min(img.cols, img.rows);
    // A smooth coloured ground.
    cv::Mat ground(3, 4, CV_8UC3);
    for (int i = 0; i < 12; ++i)
        ground.at<cv::Vec3b>(i / 4, i % 4) = cv::Vec3b(uchar(40 + 180 * u(rng)), uchar(40 + 180 * u(rng)), uchar(40 + 180 * u(rng)));
    cv::resize(ground, img, img.size(), 0, 0, cv::INTER_LINEAR);
    for (int i = 0; i < count; ++i) {
        const cv::Scalar colour(255 * u(rng), 255 * u(rng), 255 * u(rng));
        const cv::Point2d c(u(rng) * img.cols, u(rng) * img.rows);
        const double size = s * (0.02 + 0.25 * u(rng) * u(rng));
        switch (int(u(rng) * 5)) {
            case 0: {  // turned rectangle, sometimes square and sticker-sized
                const double a = u(rng) * CV_PI, w = size, h = u(rng) < 0.4 ? size : size * (0.2 + u(rng));
                std::vector<cv::Point> pts;
                for (int k = 0; k < 4; ++k) {
                    const double x = (k == 1 || k == 2 ? 0.5 : -0.5) * w, y = (k >= 2 ? 0.5 : -0.5) * h;
                    pts.emplace_back(int(c.x + x * std::cos(a) - y * std::sin(a)), int(c.y + x * std::sin(a) + y * std::cos(a)));
                }
                cv::fillConvexPoly(img, pts, colour, cv::LINE_AA);
                break;
            }
            case 1:
                cv::circle(img, c, int(size / 2), colour, -1, cv::LINE_AA);
                break;
            case 2:
                cv::line(img, c, c + cv::Point2d(size * 3 * (u(rng) - 0.5), size * 3 * (u(rng) - 0.5)), colour,
                         std::max(1, int(s * 0.01 * u(rng))), cv::LINE_AA);
                break;
            case 3:
                cv::putText(img, "Velmora 3x3 " + std::to_string(i), c, cv::FONT_HERSHEY_SIMPLEX, size / 40, colour,
                            std::max(1, int(size / 25)), cv::LINE_AA);
                break;
            default: {  // a grid of small tiles, like a keyboard or a tiled floor
                const double t = size / 4;
                for (int gy = 0; gy < 3; ++gy)
                    for (int gx = 0; gx < 5; ++gx)
                        cv::rectangle(img, cv::Point2d(c.x + gx * t * 1.2, c.y + gy * t * 1.2),
                                      cv::Point2d(c.x + gx * t * 1.2 + t, c.y + gy * t * 1.2 + t), colour, -1);
                break;
            }
        }
    }
}

}  // namespace

cv::Mat RenderFaceView(const FaceView& v, photos::Quad* trueQuad) {
    std::mt19937 rng(v.seed);
    std::uniform_real_distribution<double> u(0, 1);
    cv::Mat img(v.height, v.width, CV_8UC3);
    DrawClutter(img, rng, v.clutter);
    const Camera cam = MakeCamera(v);
    const double s = std::min(v.width, v.height);

    // Light from the camera's side, a little above: faces turned away are darker.
    const Vec3 light{0.3 * (u(rng) - 0.5), -0.4 * u(rng), -1};
    const double ll = std::sqrt(Dot(light, light));
    const double pitch = 1.0 / 3;
    const double stickerSide = v.stickerless ? pitch * 0.975 : pitch * (0.84 + 0.06 * u(rng));
    const double radius = stickerSide * (v.stickerless ? 0.04 : 0.06 + 0.12 * u(rng));
    const Rgb plastic = v.stickerless ? Rgb{25, 25, 25} : Rgb{18, 18, 20};
    for (int fi = 0; fi < 6 && v.faceShare > 0; ++fi) {
        const CubeFace& f = kFaces[fi];
        const Vec3 n = cam.Rotate(f.normal);
        const Vec3 centre = cam.Rotate(f.o + 0.5 * f.a + 0.5 * f.b);
        const Vec3 eye{-centre.x, -centre.y, -v.distance - centre.z};
        if (Dot(n, eye) <= 0) continue;
        const double shade = 0.45 + 0.55 * std::max(0.0, Dot(n, light) / ll);
        FillOnFace(img, cam, f, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, Bgr(plastic, shade));
        for (int k = 0; k < 9; ++k) {
            Rgb c = fi == 0 ? v.colours[k] : kStickerColours[rng() % 6];
            // Red leaning to pink: more blue and a little green in the red stickers.
            if (v.pinkRed > 0 && c.r > 150 && c.g < 90 && c.b < 90) {
                c.b = float(c.b + 110 * v.pinkRed);
                c.g = float(c.g + 30 * v.pinkRed);
            }
            const cv::Point2d at((k % 3 + 0.5) * pitch, (k / 3 + 0.5) * pitch);
            FillOnFace(img, cam, f, RoundedSquare(at, stickerSide, radius), Bgr(c, shade));
        }
    }
    if (trueQuad) {
        const cv::Point2d a[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int k = 0; k < 4; ++k) {
            const cv::Point2d p = cam.Project(kFaces[0].o + a[k].x * kFaces[0].a + a[k].y * kFaces[0].b);
            (*trueQuad)[k] = {float(p.x), float(p.y)};
        }
    }

    // Light colour left over after the camera's white balance, and exposure.
    const cv::Vec3d k = KelvinRgb(v.kelvin), day = KelvinRgb(6500);
    cv::Vec3d gain;
    for (int c = 0; c < 3; ++c) gain[c] = std::pow(k[c] / day[c], 1 - v.whiteBalance) * v.exposure;
    const double norm = (gain[0] + gain[1] + gain[2]) / (3 * v.exposure);
    cv::Mat lit;
    img.convertTo(lit, CV_32FC3);
    cv::multiply(lit, cv::Scalar(gain[2] / norm, gain[1] / norm, gain[0] / norm), lit);
    // Veiling light (a hazy lens, a bright window behind the cube) lifts every level.
    if (v.washOut > 0) lit = lit * (1 - v.washOut) + cv::Scalar::all(210 * v.washOut * v.exposure);

    // A shadow edge across the face, soft over a few percent of the picture.
    const cv::Point2d faceCentre = cam.Project({0, 0, -0.5});
    const double faceSide = v.faceShare * s;
    if (v.shadow > 0) {
        const double a = u(rng) * 2 * CV_PI;
        const cv::Point2d dir(std::cos(a), std::sin(a));
        const cv::Point2d p0 = faceCentre + dir * ((u(rng) - 0.5) * 0.6 * faceSide);
        const double soft = 0.02 * s + 0.04 * s * u(rng);
        for (int y = 0; y < lit.rows; ++y) {
            auto* row = lit.ptr<cv::Vec3f>(y);
            for (int x = 0; x < lit.cols; ++x) {
                const double d = (x - p0.x) * dir.x + (y - p0.y) * dir.y;
                const double t = std::clamp(d / soft + 0.5, 0.0, 1.0);
                row[x] *= float(1 - v.shadow * t);
            }
        }
    }
    // Glare: a bright, whitish spot somewhere on the face.
    if (v.glare > 0) {
        const cv::Point2d g = faceCentre + cv::Point2d(u(rng) - 0.5, u(rng) - 0.5) * (0.8 * faceSide);
        const double sigma = faceSide * (0.04 + 0.08 * u(rng));
        const int r = int(3 * sigma);
        for (int y = std::max(0, int(g.y) - r); y < std::min(lit.rows, int(g.y) + r); ++y) {
            auto* row = lit.ptr<cv::Vec3f>(y);
            for (int x = std::max(0, int(g.x) - r); x < std::min(lit.cols, int(g.x) + r); ++x) {
                const double d2 = ((x - g.x) * (x - g.x) + (y - g.y) * (y - g.y)) / (2 * sigma * sigma);
                const float add = float(v.glare * std::exp(-d2));
                row[x] += cv::Vec3f(add, add, add);
            }
        }
    }
    if (v.blur > 0) cv::GaussianBlur(lit, lit, cv::Size(), v.blur * s / 1000);
    if (v.noise > 0) {
        cv::Mat noise(lit.size(), CV_32FC3);
        cv::RNG cvRng(v.seed * 2654435761u + 1);
        cvRng.fill(noise, cv::RNG::NORMAL, 0, v.noise);
        lit += noise;
    }
    cv::Mat out;
    lit.convertTo(out, CV_8UC3);
    if (v.jpegQuality > 0) {
        std::vector<uchar> bytes;
        cv::imencode(".jpg", out, bytes, {cv::IMWRITE_JPEG_QUALITY, v.jpegQuality});
        out = cv::imdecode(bytes, cv::IMREAD_COLOR);
    }
    return out;
}

FaceView RandomFaceView(std::mt19937& rng, const std::array<Rgb, 9>& colours, int width, int height) {
    std::uniform_real_distribution<double> u(0, 1);
    FaceView v;
    v.colours = colours;
    v.width = width;
    v.height = height;
    v.faceShare = 0.25 + 0.6 * u(rng);
    v.rollDeg = 50 * u(rng) - 25;
    const double tilt = 25 * std::sqrt(u(rng)), dir = 2 * CV_PI * u(rng);
    v.yawDeg = tilt * std::cos(dir);
    v.pitchDeg = tilt * std::sin(dir);
    v.distance = 3.5 + 4.5 * u(rng);
    // Keep the whole face in the picture: its turned, tilted outline spans up to ~1.45 sides.
    const double s = std::min(width, height);
    const double half = 0.5 * 1.45 * v.faceShare * s;
    const double slackX = std::max(0.0, 0.5 * width - half), slackY = std::max(0.0, 0.5 * height - half);
    v.centreX = 0.5 + (2 * u(rng) - 1) * slackX / width;
    v.centreY = 0.5 + (2 * u(rng) - 1) * slackY / height;
    v.stickerless = u(rng) < 0.25;
    v.kelvin = 2700 + 6300 * u(rng);
    v.whiteBalance = 0.4 + 0.5 * u(rng);
    v.exposure = std::pow(2.0, 1.3 * u(rng) - 0.8);
    v.glare = u(rng) < 0.3 ? 80 + 170 * u(rng) : 0;
    v.shadow = u(rng) < 0.25 ? 0.25 + 0.35 * u(rng) : 0;
    v.noise = 1 + 5 * u(rng);
    v.blur = 1.2 * u(rng);
    v.jpegQuality = 60 + int(36 * u(rng));
    v.clutter = 10 + int(50 * u(rng));
    v.seed = rng();
    return v;
}

CubePhotoSet RenderCubePhotos(const std::string& facelets, std::mt19937& rng, int width, int height, bool turnPhotos,
                              bool realCamera) {
    CubePhotoSet set;
    std::uniform_real_distribution<double> u(0, 1);
    const int darkFace = realCamera && u(rng) < 0.5 ? int(rng() % 6) : -1;
    const double pink = realCamera && u(rng) < 0.3 ? 0.3 + 0.7 * u(rng) : 0;
    for (int f = 0; f < 6; ++f) {
        set.turns[f] = turnPhotos ? int(rng() % 4) : 0;
        FaceView v = RandomFaceView(rng, TurnColours(FaceColours(facelets, f), set.turns[f]), width, height);
        if (realCamera) {
            if (f == darkFace) v.exposure *= 0.3 + 0.15 * u(rng);
            if (u(rng) < 0.25) v.washOut = 0.15 + 0.25 * u(rng);
            v.pinkRed = pink;
        }
        set.photos[f] = RenderFaceView(v);
    }
    return set;
}

std::array<Rgb, 9> FaceColours(const std::string& facelets, int f) {
    static const std::string kLetters = "URFDLB";
    std::array<Rgb, 9> out{};
    for (int i = 0; i < 9; ++i) {
        const std::size_t k = kLetters.find(facelets.at(9 * f + i));
        out[i] = kStickerColours[k == std::string::npos ? 0 : k];
    }
    return out;
}

std::array<Rgb, 9> TurnColours(const std::array<Rgb, 9>& colours, int quarterTurns) {
    std::array<Rgb, 9> out = colours;
    for (int t = 0; t < ((quarterTurns % 4) + 4) % 4; ++t) {
        const std::array<Rgb, 9> in = out;
        // A clockwise turn: the new row r, column c shows the old row 2 - c, column r.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) out[r * 3 + c] = in[(2 - c) * 3 + r];
    }
    return out;
}

}  // namespace velmora::test
