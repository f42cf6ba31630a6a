// Six photos to one cube, with a message naming the photo for every way it can fail.
#include "photos/cube_photos.h"

#include <algorithm>
#include <cmath>

namespace velmora::photos {

namespace {

const char* const kFaceNames[6] = {"顶面", "右面", "前面", "底面", "左面", "后面"};

std::string Quoted(const std::string& name) { return "照片“" + name + "”"; }

// The picture sample that lands on facelet-order sticker i after `turns` clockwise
// quarter turns of the face.
int TurnSource(int turns, int i) {
    for (int t = 0; t < turns; ++t) i = 3 * (2 - i % 3) + i / 3;
    return i;
}

}  // namespace

CubeFromPhotos ResolveFaces(const std::array<FaceReading, 6>& faces, const std::array<std::string, 6>& names) {
    CubeFromPhotos out;
    out.faces = faces;
    for (int f = 0; f < 6; ++f)
        if (!faces[f].found) {
            out.badPhoto = f;
            out.error = Quoted(names[f]) + "（" + kFaceNames[f] + "）中没有找到魔方的一面。";
            return out;
        }
    // The same photo given twice (or the same face in the same light): every sticker
    // alike, in any rotation. Different photos of one face are left to the resolution,
    // which finds their centres alike.
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            for (int turns = 0; turns < 4; ++turns) {
                bool alike = true;
                for (int i = 0; i < 9 && alike; ++i) {
                    const Rgb& x = faces[a].samples[i];
                    const Rgb& y = faces[b].samples[TurnSource(turns, i)];
                    alike = std::abs(x.r - y.r) + std::abs(x.g - y.g) + std::abs(x.b - y.b) < 24;
                }
                if (!alike) continue;
                out.badPhoto = b;
                out.otherPhoto = a;
                out.error = Quoted(names[b]) + "和" + Quoted(names[a]) + "拍的是同一面。";
                return out;
            }
    std::array<FaceSamples, 6> samples;
    for (int f = 0; f < 6; ++f) samples[f] = faces[f].samples;
    out.resolution = ResolveColours(samples, true);
    const ColourResolution& r = out.resolution;
    if (r.status == ResolveStatus::SameCentres) {
        // The resolution found one face twice, by all its stickers.
        out.otherPhoto = r.otherFace;
        out.badPhoto = r.badFace;
        out.error = Quoted(names[out.otherPhoto]) + "和" + Quoted(names[out.badPhoto]) +
                    "拍的像是同一面（九块颜色都相同，只是转了或光线不同）：请换一张照片。";
        return out;
    }
    if (r.status != ResolveStatus::Ok) {
        out.badPhoto = r.badSticker >= 0 ? r.badSticker / 9 : -1;
        out.error = "这六张照片的颜色拼不成一个真实的魔方";
        if (out.badPhoto >= 0)
            out.error += "（最不相符的是" + Quoted(names[out.badPhoto]) + "的第 " +
                         std::to_string(r.badSticker % 9 + 1) + " 块）";
        out.error += "。";
        return out;
    }
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 9; ++i) out.rgb[9 * f + i] = samples[f][TurnSource(r.rotations[f], i)];
    out.ok = true;
    return out;
}

CubeFromPhotos ReadCubePhotos(const std::array<std::string, 6>& paths) {
    std::array<FaceReading, 6> faces{};
    std::array<std::string, 6> names;
    for (int f = 0; f < 6; ++f) {
        names[f] = PhotoName(paths[f]);
        cv::Mat bgr;
        std::string error;
        if (!LoadPhoto(paths[f], bgr, error)) {
            CubeFromPhotos out;
            out.badPhoto = f;
            out.error = error;
            return out;
        }
        faces[f] = FindFace(bgr);
        if (!faces[f].found) {
            CubeFromPhotos out;
            out.badPhoto = f;
            out.error = Quoted(names[f]) + "（" + kFaceNames[f] +
                        "）中没有找到魔方的一面：请让这一面正对镜头、占满画面的大部分。";
            return out;
        }
    }
    return ResolveFaces(faces, names);
}

}  // namespace velmora::photos
