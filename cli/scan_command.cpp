// scan: the colour resolution from the command line. 54 measured colours R,G,B (for
// robots and colour sensors, and to check the resolution alone) become the facelet
// string of the real cube that fits them best, with the stickers in doubt.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// The text of --rgb: itself, or the file named after '@'.
bool RgbText(const std::string& option, std::string& text) {
    if (option.empty() || option[0] != '@') {
        text = option;
        return true;
    }
    std::ifstream in(option.substr(1), std::ios::binary);
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
    return PrintScanResult(ResolveColours(faces, false)) ? 0 : 2;
}

}  // namespace

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
    std::printf("facelets: %s\n", r.facelets.data());
    if (!rgbLine.empty()) std::printf("%s\n", rgbLine.c_str());
    std::string doubt;
    for (int i = 0; i < 54; ++i)
        if (r.doubt[static_cast<std::size_t>(i)]) doubt += (doubt.empty() ? "" : " ") + std::to_string(i);
    std::printf("doubt: %s\n", doubt.c_str());
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
