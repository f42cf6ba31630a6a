#pragma once
// Six photos, one per face, become the colouring of a real cube: each face is found
// and sampled, then the 54 samples are resolved together (rotations of the photos
// included). Messages are Chinese, for the user, and name the photo at fault.
#include <array>
#include <string>

#include "photos/face_reader.h"
#include "solvers/colours/colour_resolution.h"

namespace velmora::photos {

struct CubeFromPhotos {
    bool ok = false;
    std::string error;                 // what is wrong, naming the photo (empty when ok)
    int badPhoto = -1, otherPhoto = -1;  // the photo at fault (and the one it repeats)
    std::array<FaceReading, 6> faces{};
    ColourResolution resolution{};
    std::array<Rgb, 54> rgb{};         // the samples in facelet-string order (rotations applied)
};

// Resolves six face readings (found in photos or read at hand-placed outlines), faces
// in facelet order U R F D L B; names[f] names face f's photo in messages.
CubeFromPhotos ResolveFaces(const std::array<FaceReading, 6>& faces, const std::array<std::string, 6>& names);

// Loads six photo files (U R F D L B), finds a face in each and resolves them.
CubeFromPhotos ReadCubePhotos(const std::array<std::string, 6>& paths);

}  // namespace velmora::photos
