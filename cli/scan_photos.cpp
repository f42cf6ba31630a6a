// velmora-cli scan with six photos: finds a face in each, resolves the cube and prints
// facelets, measured colours, doubtful stickers and the photos' rotations.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "photos/cube_photos.h"

namespace velmora::cli {

namespace {

// Prints the reading; false (with the message on standard error and no facelets: line)
// when it is not a confident read of a real cube.
bool PrintReading(const photos::CubeFromPhotos& cube, const std::array<std::string, 6>& faceNames) {
    const ColourResolution& r = cube.resolution;
    const std::string refusal = ScanRefusal(r, faceNames);
    if (refusal.empty()) std::printf("facelets: %s\n", r.facelets.data());
    std::string rgb;
    for (const Rgb& c : cube.rgb) {
        if (!rgb.empty()) rgb += ' ';
        rgb += std::to_string(std::lround(c.r)) + ',' + std::to_string(std::lround(c.g)) + ',' +
               std::to_string(std::lround(c.b));
    }
    std::printf("rgb: %s\n", rgb.c_str());
    std::string doubt;
    for (int i = 0; i < 54; ++i)
        if (r.doubt[i]) doubt += (doubt.empty() ? "" : " ") + std::to_string(i);
    std::printf("doubt: %s\n", doubt.c_str());
    std::printf("rotations: %d %d %d %d %d %d\n", r.rotations[0], r.rotations[1], r.rotations[2], r.rotations[3],
                r.rotations[4], r.rotations[5]);
    if (refusal.empty()) return true;
    std::fprintf(stderr, "message: %s\n", refusal.c_str());
    return false;
}

}  // namespace

void AddScanPhotoOptions(CLI::App& scan, ScanOptions& opt) {
    scan.add_option("PHOTOS", opt.photos, "six photos, one per face, in the order U R F D L B");
    scan.add_flag("--solve", opt.solve, "solve the cube that was read");
    scan.add_option("--method", opt.method, "group, eight-corner or shortest")
        ->check(CLI::IsMember({"group", "eight-corner", "shortest"}));
}

int PrintScanReading(const photos::CubeFromPhotos& cube, const ScanOptions& opt,
                     const std::array<std::string, 6>& faceNames) {
    if (!cube.ok) {
        std::fprintf(stderr, "message: %s\n", cube.error.c_str());
        return 2;
    }
    if (!PrintReading(cube, faceNames)) return 2;
    if (!opt.solve) return 0;
    CommandOptions solveOpt;
    solveOpt.faceletText = cube.resolution.facelets.data();
    solveOpt.method = opt.method;
    return RunSolve(solveOpt);
}

int RunScanPhotos(const ScanOptions& opt) {
    if (opt.photos.size() != 6) {
        std::fprintf(stderr, "message: 需要六张照片（顶面 右面 前面 底面 左面 后面 各一张），给了 %zu 张。\n",
                     opt.photos.size());
        return 2;
    }
    std::array<std::string, 6> paths, names;
    for (int f = 0; f < 6; ++f) {
        paths[f] = opt.photos[f];
        if (!RegularFileArgument(paths[f])) return 2;
        names[f] = "照片“" + photos::PhotoName(paths[f]) + "”";
    }
    return PrintScanReading(photos::ReadCubePhotos(paths), opt, names);
}

}  // namespace velmora::cli
