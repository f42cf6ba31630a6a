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
    if (!RegularFileArgument(opt.video)) return 2;
    // The captures are placed by the program's default display colours of the faces.
    std::array<Rgb, 6> display;
    for (std::size_t f = 0; f < display.size(); ++f) {
        const int ref = kSettingDefaults[static_cast<std::size_t>(DisplayColourOfLetter(kFaceletLetters[f]))].value;
        display[f] = {static_cast<float>(ref & 0xff), static_cast<float>((ref >> 8) & 0xff),
                      static_cast<float>((ref >> 16) & 0xff)};
    }
    const photos::VideoScan scan = photos::ScanVideo(opt.video, display);
    if (!scan.error.empty()) {
        std::fprintf(stderr, "message: %s\n", scan.error.c_str());
        return 2;
    }
    if (scan.captured < 6) {
        std::fprintf(stderr, "message: %s：只读到%d面；每一面都要在画面里停住半秒钟才能读出。\n",
                     photos::PhotoName(opt.video).c_str(), scan.captured);
        return 2;
    }
    std::array<photos::FaceReading, 6> faces{};
    std::array<std::string, 6> names, faceNames;
    for (std::size_t f = 0; f < faces.size(); ++f) {
        faces[f].found = true;
        faces[f].samples = scan.faces[f];
        names[f] = std::string(kPhotoSlotNames[f]) + "（" + photos::PhotoName(opt.video) + "）";
        faceNames[f] = std::string(kPhotoSlotNames[f]);
    }
    return PrintScanReading(photos::ResolveFaces(faces, names), opt, faceNames);
}

}  // namespace velmora::cli
