#pragma once
// Finding one face of the cube in a picture and sampling its nine stickers. OpenCV only
// (core, imgproc, imgcodecs); no Qt. The samples feed ResolveColours.
#include <array>
#include <string>

#include <opencv2/core.hpp>

#include "solvers/colours/colour_resolution.h"

namespace velmora::photos {

using Point = std::array<float, 2>;  // x, y in pixels of the picture as loaded

// The face's outline: its four outer corners in the picture, in the order top-left,
// top-right, bottom-right, bottom-left as the face lies in the picture.
using Quad = std::array<Point, 4>;

struct FaceReading {
    bool found = false;
    Quad quad{};                        // the 3 x 3 grid's outline
    std::array<Point, 9> centres{};     // each sticker's centre, row by row
    FaceSamples samples{};              // each sticker's colour, row by row (robust, glare rejected)
};

// The largest photo file read (bytes), and the most pixels a picture may have (from its
// header, before decoding): a 12-megapixel phone photo is 3-8 MB as JPEG, at most
// about 36 MB as PNG.
constexpr unsigned long long kMaxPhotoBytes = 64ull << 20;
constexpr long long kMaxPhotoPixels = 50'000'000;

// Reads an image file (JPEG, PNG, ...) as 8-bit BGR with its EXIF rotation applied.
// False with a message (Chinese, for the user) when the file is not a readable image:
// not a regular file, larger than kMaxPhotoBytes, a picture of more than kMaxPhotoPixels.
bool LoadPhoto(const std::string& path, cv::Mat& bgr, std::string& error);

// Searches the whole picture for a face of the cube.
FaceReading FindFace(const cv::Mat& bgr);

// The file name of a photo's path, as messages name it.
std::string PhotoName(const std::string& path);

// Samples the nine stickers inside a face outline the user placed by hand.
FaceReading ReadFaceAt(const cv::Mat& bgr, const Quad& quad);

}  // namespace velmora::photos
