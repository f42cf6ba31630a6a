// scan --video: a real cube read from a video file the way the photo dialog reads it
// from a camera (faces held still are captured; their centres place them), printed
// as scan prints six photos.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "document/photo_input.h"
#include "document/settings.h"
#include "photos/video/video_scan.h"

namespace velmora::cli {

void AddScanVideoOption(CLI::App& scan, ScanOptions& opt) {
    scan.add_option("--video", opt.video, "a video file showing the six faces in turn, read as the camera would");
}

int RunScanVideo(const ScanOptions& opt) {
    // The captures are placed by the program's default display colours of the faces.
    std::array<Rgb, 6> display;
    for (std::size_t f = 0; f < display.size(); ++f) {
        const int ref = kSettingDefaults[static_cast<std::size_t>(DisplayColourOfLetter(kFaceletLetters[f]))].value;
        display[f] = {static_cast<float>(ref & 0xff), static_cast<float>((ref >> 8) & 0xff),
                      static_cast<float>((ref >> 16) & 0xff)};
    }
    const photos::VideoScan scan = photos::ScanVideo(opt.video, display);
    if (!scan.error.empty()) {
        std::fprintf(stderr, "velmora-cli: %s\n", scan.error.c_str());
        return 2;
    }
    if (scan.captured < 6) {
        std::fprintf(stderr, "velmora-cli: %s: only %d of the six faces were held still long enough to be read\n",
                     opt.video.c_str(), scan.captured);
        return 2;
    }
    const ColourResolution r = ResolveColours(scan.faces, true);
    if (r.status != ResolveStatus::Ok) return PrintScanResult(r) ? 0 : 2;
    std::printf("facelets: %s\n", r.facelets.data());
    // The measured colours as the resolution turned them, in facelet-string order.
    std::string rgb, doubt, rotations;
    for (int i = 0; i < 54; ++i) {
        const int f = i / 9;
        int row = i % 9 / 3, col = i % 3;
        // Sticker (row, col) after r clockwise turns came from (2 - col, row) before each.
        for (int t = 0; t < r.rotations[static_cast<std::size_t>(f)]; ++t) {
            const int from = 2 - col;
            col = row;
            row = from;
        }
        const Rgb& c = scan.faces[static_cast<std::size_t>(f)][static_cast<std::size_t>(3 * row + col)];
        char one[48];
        std::snprintf(one, sizeof one, "%s%.0f,%.0f,%.0f", i ? " " : "", c.r, c.g, c.b);
        rgb += one;
        if (r.doubt[static_cast<std::size_t>(i)]) doubt += (doubt.empty() ? "" : " ") + std::to_string(i);
    }
    for (int f = 0; f < 6; ++f) rotations += (f ? " " : "") + std::to_string(r.rotations[static_cast<std::size_t>(f)]);
    std::printf("rgb: %s\ndoubt: %s\nrotations: %s\n", rgb.c_str(), doubt.c_str(), rotations.c_str());
    if (!opt.solve) return 0;
    CommandOptions solve;
    solve.faceletText = r.facelets.data();
    solve.method = opt.method;
    return RunSolve(solve);
}

}  // namespace velmora::cli
