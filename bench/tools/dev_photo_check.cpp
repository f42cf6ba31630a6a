// The development data read as a user would read it: each real six-photo set from its
// photos and from its camera stand-in video, each single face's grid found (against
// its given corners) and its nine colours read. Prints one line per item and a total.
// velmora_dev_photos [DIR]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "document/photo_input.h"
#include "photos/cube_photos.h"
#include "photos/dev_photos.h"
#include "photos/video/video_scan.h"

using namespace velmora;

namespace {

int Doubts(const ColourResolution& r) {
    int n = 0;
    for (bool d : r.doubt) n += d ? 1 : 0;
    return n;
}

// The display colours the camera path places captures by (as scan --video).
std::array<Rgb, 6> Display() {
    return {{{255, 65, 100}, {50, 100, 255}, {255, 255, 0}, {255, 60, 255}, {0, 255, 0}, {230, 230, 230}}};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : test::DevPhotosDir();
    if (dir.empty()) {
        std::fprintf(stderr, "velmora_dev_photos: no photos-dev folder (give it, or set VELMORA_PHOTOS_DEV)\n");
        return 2;
    }
    int setsExact = 0, videosExact = 0, facesPlaced = 0, facesRead = 0;
    for (const test::DevSet& set : test::kDevSets) {
        const std::string folder = dir + "/" + std::string(set.name);
        std::array<std::string, 6> paths;
        for (int f = 0; f < 6; ++f) paths[f] = folder + "/" + "URFDLB"[f] + ".jpg";
        const auto start = std::chrono::steady_clock::now();
        const photos::CubeFromPhotos cube = photos::ReadCubePhotos(paths);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const bool exact = cube.ok && std::string_view(cube.resolution.facelets.data()) == set.facelets;
        setsExact += exact && Doubts(cube.resolution) <= kMostDoubtsOfARead ? 1 : 0;
        std::printf("photos %-18s %s cost %.1f doubts %d ask %d,%d %.0f ms/photo %s\n", std::string(set.name).c_str(),
                    exact ? "exact" : (cube.ok ? "WRONG" : "refused"), cube.resolution.cost, Doubts(cube.resolution),
                    cube.resolution.askFaceA, cube.resolution.askFaceB, ms / 6, cube.ok ? "" : cube.error.c_str());
        const std::string video = (std::filesystem::temp_directory_path() /
                                   ("velmora-dev-" + std::string(set.name) + "-" + std::to_string(::getpid()) + ".avi"))
                                      .string();
        test::WriteDevSetVideo(folder, video);
        const photos::VideoScan scan = photos::ScanVideo(video, Display());
        std::filesystem::remove(video);
        std::string line = scan.error;
        bool videoExact = false;
        if (scan.error.empty() && scan.captured == 6) {
            std::array<photos::FaceReading, 6> faces{};
            std::array<std::string, 6> names;
            for (std::size_t f = 0; f < 6; ++f) {
                faces[f].found = true;
                faces[f].samples = scan.faces[f];
                names[f] = kPhotoSlotNames[f];
            }
            const photos::CubeFromPhotos read = photos::ResolveFaces(faces, names);
            videoExact = read.ok && Doubts(read.resolution) <= kMostDoubtsOfARead &&
                         test::SameCubeAnyHold(read.resolution.facelets.data(), set.facelets);
            line = (read.ok ? std::string(read.resolution.facelets.data()) : read.error) + " doubts " +
                   std::to_string(Doubts(read.resolution));
        }
        videosExact += videoExact ? 1 : 0;
        std::printf("video  %-18s %s frames %d captured %d colour-waits %d %s\n", std::string(set.name).c_str(),
                    videoExact ? "exact" : "NOT", scan.frames, scan.captured, scan.colourWaits, line.c_str());
    }
    for (const test::DevFace& face : test::kDevFaces) {
        cv::Mat bgr;
        std::string error;
        if (!photos::LoadPhoto(dir + "/faces/" + std::string(face.name) + ".jpg", bgr, error)) {
            std::printf("face   %-18s %s\n", std::string(face.name).c_str(), error.c_str());
            continue;
        }
        const photos::FaceReading found = photos::FindFace(bgr);
        const double err = found.found ? test::CornerError(found.quad, face.corners) : 1;
        const bool placed = found.found && err < 0.08;
        const photos::FaceReading atCorners = photos::ReadFaceAt(bgr, face.corners);
        const bool read = test::GroupsLikeColours(atCorners.samples, face.colours);
        facesPlaced += placed || face.overlay ? 1 : 0;
        facesRead += read ? 1 : 0;
        std::printf("face   %-18s %s corner error %.3f of the side; colours at the given corners %s\n",
                    std::string(face.name).c_str(), placed ? "placed" : (face.overlay ? "(overlay)" : "NOT PLACED"), err,
                    read ? "grouped right" : "MISGROUPED");
    }
    std::printf("sets %d/3 exact, videos %d/3 exact, faces placed %d/14, colours read %d/14\n", setsExact, videosExact,
                facesPlaced, facesRead);
    return 0;
}
