// scan: the colour resolution from the command line. 54 measured colours R,G,B (for
// robots and colour sensors, and to check the resolution alone) become the facelet
// string of the real cube that fits them best, with the stickers in doubt.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/commands.h"

namespace velmora::cli {

namespace {

constexpr const char* kFaceLetters = "URFDLB";

// "sticker 30 (D4)": the 0-based index and its face and place 1-9.
std::string StickerName(int i) {
    return "sticker " + std::to_string(i) + " (" + kFaceLetters[i / 9] + std::to_string(i % 9 + 1) + ")";
}

// One channel: a decimal number 0-255.
bool ReadChannel(const std::string& text, float& out) {
    if (text.empty() || text.size() > 32) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(v) || v < 0 || v > 255) return false;
    if (text.find_first_not_of("0123456789.") != std::string::npos) return false;  // no signs, exponents, hex
    out = static_cast<float>(v);
    return true;
}

// The largest file --rgb @FILE reads: 54 colours take about a kilobyte.
constexpr std::uintmax_t kMaxRgbFile = 64 * 1024;

// The text of --rgb: itself, or the file named after '@' (a regular file of at most
// kMaxRgbFile bytes; a device or a FIFO could be read for ever).
bool RgbText(const std::string& option, std::string& text) {
    if (option.empty() || option[0] != '@') {
        text = option;
        return true;
    }
    const std::string path = option.substr(1);
    if (!RegularFileArgument(path)) return false;
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > kMaxRgbFile) {
        std::fprintf(stderr, "velmora-cli: scan --rgb: %s is larger than %ju bytes; 54 colours take about one kilobyte\n",
                     path.c_str(), kMaxRgbFile);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buf;
    if (in) buf << in.rdbuf();
    if (!in || in.bad()) {
        std::fprintf(stderr, "velmora-cli: cannot read %s\n", option.substr(1).c_str());
        return false;
    }
    text = buf.str();
    return true;
}

// 54 triples R,G,B separated by blanks, in facelet-string order.
bool ParseColours(const std::string& text, std::array<FaceSamples, 6>& faces) {
    std::istringstream words(text);
    std::string word;
    int count = 0;
    while (words >> word) {
        if (count < 54) {
            Rgb c;
            const std::size_t a = word.find(','), b = a == std::string::npos ? a : word.find(',', a + 1);
            if (b == std::string::npos || word.find(',', b + 1) != std::string::npos ||
                !ReadChannel(word.substr(0, a), c.r) || !ReadChannel(word.substr(a + 1, b - a - 1), c.g) ||
                !ReadChannel(word.substr(b + 1), c.b)) {
                std::fprintf(stderr, "velmora-cli: scan --rgb: %s is not R,G,B with three numbers 0 to 255: '%s'\n",
                             StickerName(count).c_str(), word.substr(0, 40).c_str());
                return false;
            }
            faces[static_cast<std::size_t>(count / 9)][static_cast<std::size_t>(count % 9)] = c;
        }
        ++count;
    }
    if (count != 54) {
        std::fprintf(stderr, "velmora-cli: scan --rgb takes 54 colours R,G,B separated by blanks, not %d\n", count);
        return false;
    }
    return true;
}

int RunScanRgb(const ScanOptions& opt) {
    std::string text;
    std::array<FaceSamples, 6> faces{};
    if (!RgbText(opt.rgb, text) || !ParseColours(text, faces)) return 2;
    const ColourResolution r = ResolveColours(faces, false);
    if (!PrintScanResult(r)) return 2;
    if (!opt.solve) return 0;
    CommandOptions solveOpt;
    solveOpt.faceletText = r.facelets.data();
    solveOpt.method = opt.method;
    return RunSolve(solveOpt);
}

std::string DoubtList(const ColourResolution& r) {
    std::string doubt;
    for (int i = 0; i < 54; ++i)
        if (r.doubt[static_cast<std::size_t>(i)]) doubt += (doubt.empty() ? "" : " ") + std::to_string(i);
    return doubt;
}

}  // namespace

bool RegularFileArgument(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        std::fprintf(stderr, "velmora-cli: %s is not a regular file\n", path.c_str());
        return false;
    }
    return true;
}

std::string ScanRefusal(const ColourResolution& r, const std::array<std::string, 6>& faceNames) {
    if (r.status == ResolveStatus::SameCentres)
        return faceNames[static_cast<std::size_t>(r.otherFace)] + "和" + faceNames[static_cast<std::size_t>(r.badFace)] +
               "的中心颜色分不清，是同一面拍了两次吗？请换一张照片。";
    if (r.status != ResolveStatus::Ok) {
        std::string m = "这六面的颜色拼不成一个真实的魔方";
        if (r.badSticker >= 0 && r.badSticker < 54)
            m += "，最不相符的是" + faceNames[static_cast<std::size_t>(r.badSticker / 9)] + "第" +
                 std::to_string(r.badSticker % 9 / 3 + 1) + "行第" + std::to_string(r.badSticker % 3 + 1) + "列的色块";
        return m + "。";
    }
    if (r.askFaceA >= 0 && r.askFaceB >= 0)
        return faceNames[static_cast<std::size_t>(r.askFaceA)] + "和" + faceNames[static_cast<std::size_t>(r.askFaceB)] +
               "的颜色太像，分不清哪一面是哪种颜色：读数有两种可能，请指出这两面各是什么颜色。";
    int doubts = 0;
    for (bool d : r.doubt) doubts += d ? 1 : 0;
    if (doubts > kMostDoubtsOfARead)
        return "六面都已识别，有" + std::to_string(doubts) +
               "个色块的颜色没有把握（已标出），请核对；点击色块可以改选它的颜色。";
    if (const int contradictions = ContradictionCount(r); contradictions > 0)
        return ContradictionText(contradictions) + "，请对照手里的魔方核对；点击色块可以改选它的颜色。";
    return {};
}

bool PrintScanResult(const ColourResolution& r, const std::string& rgbLine) {
    if (r.status == ResolveStatus::SameCentres) {
        std::fprintf(stderr, "velmora-cli: the centres of faces %c and %c have the same colour\n",
                     kFaceLetters[r.otherFace], kFaceLetters[r.badFace]);
        return false;
    }
    if (r.status != ResolveStatus::Ok) {
        std::fprintf(stderr, "velmora-cli: no real cube fits these colours; %s fits worst\n",
                     StickerName(r.badSticker).c_str());
        return false;
    }
    std::array<std::string, 6> names;
    for (std::size_t f = 0; f < 6; ++f) names[f] = std::string(1, kFaceLetters[f]) + " 面";
    const std::string refusal = ScanRefusal(r, names);
    if (refusal.empty()) std::printf("facelets: %s\n", r.facelets.data());
    if (!rgbLine.empty()) std::printf("%s\n", rgbLine.c_str());
    std::printf("doubt: %s\n", DoubtList(r).c_str());
    if (!refusal.empty()) {
        std::fprintf(stderr, "message: %s\n", refusal.c_str());
        return false;
    }
    return true;
}

void AddScanCommand(CLI::App& app, ScanOptions& opt) {
    auto* scan = app.add_subcommand("scan", "read a real cube from measured colours and print its facelets and the stickers in doubt");
    scan->add_option("--rgb", opt.rgb,
                     "54 colours R,G,B separated by blanks in facelet-string order, or @FILE holding them");
#ifdef VELMORA_SCAN_PHOTOS
    AddScanPhotoOptions(*scan, opt);
#endif
#ifdef VELMORA_SCAN_VIDEO
    AddScanVideoOption(*scan, opt);
#endif
}

int RunScanCommand(CLI::App& app, const ScanOptions& opt) {
    CLI::App* scan = app.get_subcommand("scan");
    if (!scan->parsed()) return -1;
    // One source of colours at a time: the others would be silently ignored.
    const int sources = (scan->count("--rgb") > 0 ? 1 : 0) + (!opt.photos.empty() ? 1 : 0) +
                        (!opt.video.empty() || scan->count("--video") > 0 ? 1 : 0);
    if (sources > 1) {
        std::fprintf(stderr, "velmora-cli: scan reads one of --rgb, --video or six photos, not several together\n");
        return 2;
    }
    if (scan->count("--rgb") > 0) return RunScanRgb(opt);
#ifdef VELMORA_SCAN_VIDEO
    if (scan->count("--video") > 0) return RunScanVideo(opt);
#endif
#ifdef VELMORA_SCAN_PHOTOS
    return RunScanPhotos(opt);
#else
    std::fprintf(stderr, "velmora-cli: scan needs --rgb (this velmora-cli reads no photos)\n");
    return 2;
#endif
}

}  // namespace velmora::cli
