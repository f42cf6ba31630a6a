// Reading a photo file: only a regular file no larger than kMaxPhotoBytes, into
// memory whole; a check that a JPEG or PNG is complete (the decoders fill a cut-off
// picture with grey and say nothing) and that its header's size is within
// kMaxPhotoPixels; then decoding with the EXIF rotation applied and the decoder's own
// warnings kept off standard error.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <opencv2/imgcodecs.hpp>

#include "photos/face_reader.h"
#include "photos/quiet_stderr.h"

namespace velmora::photos {

namespace {

using Bytes = std::vector<unsigned char>;

bool IsJpeg(const Bytes& b) { return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF; }

bool IsPng(const Bytes& b) {
    static const unsigned char kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return b.size() >= 8 && std::equal(kSig, kSig + 8, b.begin());
}

// A JPEG is complete when its segments lead to the scan data and an end marker follows.
// Data after the end marker (phones append videos and trailers) is allowed.
bool JpegComplete(const Bytes& b) {
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (b[i] != 0xFF) return false;
        const unsigned char marker = b[i + 1];
        if (marker == 0xFF) { ++i; continue; }  // fill byte
        if (marker == 0xD9) return false;        // ends before any picture data
        const std::size_t length = (std::size_t(b[i + 2]) << 8) | b[i + 3];
        if (length < 2) return false;
        if (marker == 0xDA) {
            // Scan data: the end marker is the only FF D9 in entropy-coded data.
            for (std::size_t k = i + 2 + length; k + 1 < b.size(); ++k)
                if (b[k] == 0xFF && b[k + 1] == 0xD9) return true;
            return false;
        }
        i += 2 + length;
    }
    return false;
}

// The picture's size as its JPEG header gives it (the first start-of-frame segment), or
// false when there is none before the scan data.
bool JpegSize(const Bytes& b, long long& width, long long& height) {
    std::size_t i = 2;
    while (i + 9 <= b.size()) {
        if (b[i] != 0xFF) return false;
        const unsigned char marker = b[i + 1];
        if (marker == 0xFF) { ++i; continue; }
        const std::size_t length = (std::size_t(b[i + 2]) << 8) | b[i + 3];
        // SOF0-SOF15 except DHT (C4), JPG (C8) and DAC (CC).
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            height = (b[i + 5] << 8) | b[i + 6];
            width = (b[i + 7] << 8) | b[i + 8];
            return true;
        }
        if (marker == 0xDA || length < 2) return false;
        i += 2 + length;
    }
    return false;
}

// The picture's size from a PNG's IHDR chunk (the first chunk).
bool PngSize(const Bytes& b, long long& width, long long& height) {
    if (b.size() < 24 || !std::equal(b.begin() + 12, b.begin() + 16, "IHDR")) return false;
    auto word = [&](std::size_t at) {
        return (static_cast<long long>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
    };
    width = word(16);
    height = word(20);
    return true;
}

// Decoders of the other formats refuse pictures above this many pixels themselves; set
// before the first decode, which reads it once.
const bool kDecoderLimitSet = [] {
    ::setenv("OPENCV_IO_MAX_IMAGE_PIXELS", std::to_string(kMaxPhotoPixels).c_str(), 0);
    return true;
}();

// A PNG is complete when its chunks run whole up to the IEND chunk.
bool PngComplete(const Bytes& b) {
    std::size_t i = 8;
    while (i + 12 <= b.size()) {
        const std::size_t length = (std::size_t(b[i]) << 24) | (std::size_t(b[i + 1]) << 16) |
                                   (std::size_t(b[i + 2]) << 8) | b[i + 3];
        if (length > b.size()) return false;
        if (std::equal(b.begin() + i + 4, b.begin() + i + 8, "IEND")) return true;
        i += 12 + length;
    }
    return false;
}

}  // namespace

std::string PhotoName(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

bool LoadPhoto(const std::string& path, cv::Mat& bgr, std::string& error) {
    bgr.release();
    const std::string quoted = "照片“" + PhotoName(path) + "”";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = quoted + "无法打开：文件不存在或不是普通文件。";
        return false;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxPhotoBytes) {
        error = quoted + "太大（超过" + std::to_string(kMaxPhotoBytes >> 20) + " MB），不像是一张照片。";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = quoted + "无法读取。";
        return false;
    }
    if (bytes.empty()) {
        error = quoted + "是空文件。";
        return false;
    }
    if ((IsJpeg(bytes) && !JpegComplete(bytes)) || (IsPng(bytes) && !PngComplete(bytes))) {
        error = quoted + "不完整：文件被截断或已损坏。";
        return false;
    }
    long long width = 0, height = 0;
    if ((IsJpeg(bytes) && JpegSize(bytes, width, height)) || (IsPng(bytes) && PngSize(bytes, width, height))) {
        if (width <= 0 || height <= 0 || width * height > kMaxPhotoPixels) {
            error = quoted + "的画面太大（" + std::to_string(width) + " × " + std::to_string(height) + " 像素，最多 " +
                    std::to_string(kMaxPhotoPixels / 1000000) + " 百万像素）。";
            return false;
        }
    }
    cv::Mat decoded;
    (void)kDecoderLimitSet;
    try {
        [[maybe_unused]] const QuietStderr quiet;
        decoded = cv::imdecode(bytes, cv::IMREAD_COLOR);
    } catch (const cv::Exception&) {
        decoded.release();
    }
    if (decoded.empty() || decoded.type() != CV_8UC3) {
        error = quoted + "不是可以读取的图片（请用 JPEG 或 PNG）。";
        return false;
    }
    bgr = decoded;
    error.clear();
    return true;
}

}  // namespace velmora::photos
