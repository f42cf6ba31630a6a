#pragma once
// Colour resolution: 54 measured sticker colours (from photos, a camera or a colour
// sensor) become the colouring of a real cube. The six centres give the six colour
// classes; among the colourings that are a cube that can exist, the one that fits the
// measured colours best is chosen. Plain C++, no image types: callers hand in numbers.
//
// Faces and stickers follow the facelet string: faces U R F D L B, each read row by
// row as seen from outside (U with its back edge at the top, D with its front edge at
// the top, the side faces with U at the top). Sticker i of face f is index 9 * f + i.
#include <array>
#include <string>

namespace velmora {

// One measured colour, 8-bit sRGB channels as floats (0-255; averages may be fractional).
struct Rgb {
    float r = 0, g = 0, b = 0;
};

// The nine samples of one face, row by row as the face lies in its picture.
using FaceSamples = std::array<Rgb, 9>;

enum class ResolveStatus {
    Ok,           // facelets is a cube that can exist
    SameCentres,  // two centres are too alike to tell the colour classes apart (badFace, otherFace)
    NoCube,       // no cube that can exist fits the colours (badSticker names the worst-fitting one)
};

struct ColourResolution {
    ResolveStatus status = ResolveStatus::NoCube;
    std::array<char, 55> facelets{};   // 54 letters U R F D L B by centre colour, NUL-ended
    std::array<bool, 54> doubt{};      // another colour there fits almost as well
    std::array<int, 6> rotations{};    // clockwise quarter turns given to each face's samples
    float cost = 0;                    // the fit of the chosen colouring (lower is better)
    int badFace = -1, otherFace = -1, badSticker = -1;
    // When the best real cube and the real cube with the colour classes of two faces'
    // centres exchanged fit about equally, askFaceA and askFaceB name those two faces
    // (0-5, U R F D L B) and swappedFacelets holds the other cube; status stays Ok with
    // facelets the better fit, and the user is asked which of the two faces is which.
    int askFaceA = -1, askFaceB = -1;
    std::array<char, 55> swappedFacelets{};
    // Each sticker's difference from the class it is read as, under the read's light
    // (CIEDE2000, lightness at half weight; under glare with its penalty), and
    // how much nearer the nearest other class lies (0 when none is nearer). Set when
    // status is Ok.
    std::array<float, 54> distance{};
    std::array<float, 54> nearerBy{};
    // Stickers whose measured colour no real cube shows where the read puts them: beyond
    // what light moves a true sticker from its class (kFarFromClass), or nearer another
    // class by a clear margin (a sticker peeled and stuck back elsewhere, an odd colour).
    // They are in doubt, and the read is not taken as the cube: the user says what they
    // are. nearestClass holds each sticker's nearest class as measured (U R F D L B).
    std::array<bool, 54> contradicts{};
    std::array<char, 55> nearestClass{};
};

// The number of stickers whose measured colour contradicts the read, and what the photo
// dialog and the command line say of them.
int ContradictionCount(const ColourResolution& r);
std::string ContradictionText(int count);

// A read with more stickers in doubt than this is not taken as the cube read: the user
// checks it sticker by sticker (the command line refuses it). A wrongly read piece puts
// two or three stickers in doubt, two exchanged pieces up to six.
inline constexpr int kMostDoubtsOfARead = 6;

// faces[f] holds face f's samples as it lies in its picture. With tryRotations each face
// may be turned by 0-3 clockwise quarter turns before it is read (photos come in any
// rotation); without, the samples are taken to be in facelet-string order already.
// No allocation; at most about a millisecond per call without rotations.
ColourResolution ResolveColours(const std::array<FaceSamples, 6>& faces, bool tryRotations);

}  // namespace velmora
