#pragma once
// The real photos of real cubes kept for development (photos-dev: three six-photo sets
// with their true positions, fourteen single faces with their corners and colours),
// and the camera stand-in video made from a set: each face held still 1.5 s, then a
// 0.5 s cross-fade to the next at the same place, 1280 x 720 at 25 frames a second,
// the photo kept in proportion on a dark frame. Test code, for the tests and the
// development-data benchmark.
#include <array>
#include <string>
#include <string_view>

#include "photos/face_reader.h"

namespace velmora::test {

// The folder, or empty when it is not there (VELMORA_PHOTOS_DEV, else beside the
// source tree as the build found it).
std::string DevPhotosDir();

struct DevSet {
    std::string_view name, facelets;  // the true position, U R F D L B by centre colour
};
inline constexpr std::array<DevSet, 3> kDevSets = {{
    {"qbr-2016-scramble", "BUBBUBBFUFDUFRURDFLDLFFURLDFBBDDLLBDUUDFLRDRURLLRBLRRF"},
    {"mt-phone-a", "UUUUUUUUURRRDRFDBDFFFLFBRLLBBBDDRFRFLLLDLFDLDBBBRBFLDR"},
    {"mt-phone-b", "UUUUUUUUURRRDRFDBDFFFLFBRLLBBBDDRFRFLLLDLFDLDBBBRBFLDR"},
}};

struct DevFace {
    std::string_view name;
    std::string_view colours;  // nine of W Y R O G B, row by row as the face lies in the picture
    photos::Quad corners;      // TL TR BR BL in pixels
    float precision;           // how far the given corners may be off (px)
    bool overlay;              // a screenshot with the capturing program's marks drawn on it
};
// From photos-dev/faces.json.
inline constexpr std::array<DevFace, 14> kDevFaces = {{
    {"mt-phone-01", "ROGOGGOBG", {{{368, 328}, {1460, 261}, {1527, 1380}, {411, 1430}}}, 5, false},
    {"mt-phone-02", "YYRBRRYGR", {{{338, 515}, {1451, 495}, {1485, 1625}, {355, 1645}}}, 5, false},
    {"mt-phone-03", "ORBYBBRGB", {{{308, 346}, {1493, 298}, {1560, 1506}, {346, 1560}}}, 5, false},
    {"mt-phone-04", "YYRBRRYGR", {{{198, 344}, {790, 299}, {840, 912}, {234, 952}}}, 5, false},
    {"mt-phone-05", "BBBYYRGRG", {{{116, 471}, {736, 242}, {973, 877}, {335, 1106}}}, 5, false},
    {"mt-phone-06", "BBBYYRGRG", {{{243, 241}, {874, 346}, {765, 995}, {117, 868}}}, 5, false},
    {"mt-phone-09", "YYOOOOYGO", {{{451, 495}, {1618, 495}, {1580, 1683}, {434, 1679}}}, 5, false},
    {"mt-phone-10", "GGGOGBROO", {{{500, 472}, {1624, 608}, {1520, 1712}, {372, 1588}}}, 10, false},
    {"mt-phone-11", "WWWWWWWWW", {{{355, 358}, {1601, 372}, {1632, 1621}, {334, 1635}}}, 5, false},
    {"mt-phone-12", "GRGRYYBBB", {{{478, 488}, {1597, 505}, {1597, 1635}, {451, 1628}}}, 5, false},
    {"mt-webcam-15", "GRRGRRGWW", {{{318, 85}, {932, 78}, {938, 700}, {322, 700}}}, 10, false},
    {"qbr-webcam-2016a", "ROGGWWYRW", {{{196, 113}, {492, 113}, {492, 409}, {196, 409}}}, 10, true},
    {"qbr-webcam-2016b", "RGOBYGOWR", {{{171, 78}, {477, 78}, {477, 384}, {171, 384}}}, 10, true},
    {"pn-stickerless-top", "WOWOWOWOW", {{{62, 142}, {300, 12}, {570, 152}, {308, 262}}}, 10, false},
}};

// The largest distance between a found corner and the given one, as a share of the
// face's side, the corners matched in whichever cyclic order fits best.
double CornerError(const photos::Quad& found, const photos::Quad& given);

// Whether nine samples group as the nine named colours do: every sticker is nearer
// (CIEDE2000) to each sticker of its own colour than to any sticker of another colour.
bool GroupsLikeColours(const FaceSamples& samples, std::string_view colours);

// Whether two facelet strings are one cube held two ways (any of the 24 orientations).
bool SameCubeAnyHold(std::string_view a, std::string_view b);

// Writes the camera stand-in video of set (U R F D L B photos) to path (MJPEG in AVI);
// the number of frames, 0 when a photo or the file fails.
int WriteDevSetVideo(const std::string& setDir, const std::string& path);

}  // namespace velmora::test
