#pragma once
// Reading a cube from a video file as the photo dialog reads it from a camera: every
// frame goes to the face finder, a face steady in grid and colours (SteadyFace) whose
// centre colour is new is captured with its colours' medians over the steady frames,
// and the captures are placed into the six faces (FaceCaptures). Decoding stops once
// six faces are in.
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
    int colourWaits = 0;                 // frames whose grid stood still while its colours changed
};

// What is wrong with path as a video file before it is opened, for the user (naming
// the file), or empty: it must exist and be a regular file (not a folder, a FIFO or a
// device), and not be empty.
std::string VideoFileProblem(const std::string& path);

// display: the program's colour of each face U R F D L B, for placing the captures.
VideoScan ScanVideo(const std::string& path, const std::array<Rgb, 6>& display);

}  // namespace velmora::photos
