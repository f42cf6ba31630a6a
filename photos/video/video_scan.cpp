#include "photos/video/video_scan.h"

#include <chrono>
#include <filesystem>

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/videoio.hpp>

#include "photos/face_reader.h"
#include "photos/quiet_stderr.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_LEAK_CHECKED 1
#include <sanitizer/lsan_interface.h>
#endif
#endif

namespace velmora::photos {

namespace {

// The video library sets up its backends (device lists, plugins it loads and unloads)
// on the first open and keeps that for the life of the process; under the leak checker
// those allocations are not ours to report.
struct BackendSetUp {
#ifdef VELMORA_LEAK_CHECKED
    BackendSetUp() { __lsan_disable(); }
    ~BackendSetUp() { __lsan_enable(); }
#endif
};

}  // namespace

#ifdef VELMORA_LEAK_CHECKED
// The GLib type system, loaded with the video library, keeps its start-up allocations.
extern "C" const char* __lsan_default_suppressions() { return "leak:libglib-2.0.so\n"; }
#endif

std::string VideoFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    const std::string name = PhotoName(path);
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) return name + "：找不到这个视频文件";
    if (fs::is_directory(st)) return name + "：这是一个文件夹，不是视频文件";
    if (!fs::is_regular_file(st)) return name + "：不是普通文件（管道或设备），不能当视频读";
    if (fs::file_size(path, ec) == 0 || ec) return name + "：是空文件，不是能读的视频文件";
    return {};
}

VideoScan ScanVideo(const std::string& path, const std::array<Rgb, 6>& display) {
    VideoScan scan;
    const std::string name = PhotoName(path);
    scan.error = VideoFileProblem(path);
    if (!scan.error.empty()) return scan;
    // A file that is no video is reported once, as a message, not by the backends' logs.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    [[maybe_unused]] const QuietStderr quiet;
    cv::VideoCapture video;
    {
        [[maybe_unused]] const BackendSetUp setUp;
        video.open(path);
    }
    if (!video.isOpened()) {
        scan.error = name + "：不是能读的视频文件";
        return scan;
    }
    double fps = video.get(cv::CAP_PROP_FPS);
    if (!(fps > 1 && fps < 1000)) fps = 30;
    SteadyFace steady;
    FaceCaptures captures(display);
    double periodMotion = 0;  // largest movement since the grid last started standing still
    cv::Mat frame;
    while (captures.Count() < 6 && video.read(frame) && !frame.empty()) {
        const long long ms = static_cast<long long>(scan.frames * 1000.0 / fps);
        ++scan.frames;
        const auto start = std::chrono::steady_clock::now();
        const FaceReading reading = FindFace(frame);
        scan.finderMs.push_back(std::chrono::duration<float, std::milli>(std::chrono::steady_clock::now() - start).count());
        GridCorners corners{};
        for (std::size_t i = 0; i < 4; ++i) corners[i] = reading.quad[i];
        const SteadyFace::State state = steady.Frame(ms, reading.found, corners, reading.samples);
        // A frame that moved too much starts a new still period; its own movement
        // belongs to the period before.
        if (!reading.found || steady.LastMotion() > StableGrid::kMotionLimit) periodMotion = 0;
        else periodMotion = std::max(periodMotion, steady.LastMotion());
        if (!reading.found) continue;
        ++scan.framesWithFace;
        if (state == SteadyFace::State::ColoursChanging) ++scan.colourWaits;
        if (state == SteadyFace::State::Steady && captures.SameCentreAs(steady.Samples()) < 0) {
            captures.Capture(steady.Samples());
            scan.captureMotion = std::max(scan.captureMotion, periodMotion);
            steady.Reset();
        }
    }
    if (scan.frames == 0) {
        scan.error = name + "：不是能读的视频文件";
        return scan;
    }
    scan.captured = captures.Count();
    for (int i = 0; i < captures.Count(); ++i)
        scan.faces[static_cast<std::size_t>(captures.SlotOfCapture()[static_cast<std::size_t>(i)])] = captures.Face(i);
    return scan;
}

}  // namespace velmora::photos
