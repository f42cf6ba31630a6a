#pragma once
// Reading a cube from a video file as the photo dialog reads it from a camera: every
// frame goes to the face finder, a face held still (StableGrid) whose centre colour is
// new is captured, and the captures are placed into the six faces (FaceCaptures).
// OpenCV's videoio reads the file; no Qt.
#include <array>
#include <string>
#include <vector>

#include "document/live_capture.h"
#include "solvers/colours/colour_resolution.h"

namespace velmora::photos {

struct VideoScan {
    std::string error;                   // for the user; empty when the file could be read
    int frames = 0;                      // frames read
    int framesWithFace = 0;
    int captured = 0;                    // faces captured, at most six
    std::array<FaceSamples, 6> faces{};  // by face U R F D L B; complete when captured is 6
    std::vector<float> finderMs;         // the face finder's time per frame
    double captureMotion = 0;            // largest grid movement in a frame that led to a capture
};

// display: the program's colour of each face U R F D L B, for placing the captures.
VideoScan ScanVideo(const std::string& path, const std::array<Rgb, 6>& display);

}  // namespace velmora::photos
