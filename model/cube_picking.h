#pragma once
// Which sticker of the main 3D cube lies under a point of the 3D pane, and which layer
// a drag that starts on it turns. Pure geometry of the 3D view's camera:
//
// - The pane of width x height pixels shows a square viewport (ViewportOf) as large as
//   lets the band of it that holds both cubes fit whole, centred in the pane, so that
//   the auxiliary cube at the lower right is never cut off; a 30 degree perspective
//   looks down -z.
// - The main cube stands 8 units in front of the eye (0.275 to the left while the
//   auxiliary cube is shown), turned by viewTilt about x, then viewTurn about y, then
//   viewSpin about (1, 1, 1), and scaled by viewZoom (shown at 0.9 when out of range).
//
// Cube coordinates: x towards face R, y towards T, z towards F. Cubie centres stand at
// multiples of the pitch 0.55; every sticker lies on an outer face at 0.8. A sticker
// is named by its face (1-6: T F R P L B) and the position of its cubie (-1, 0 or 1 on
// each axis). A layer is named by an axis (0 x, 1 y, 2 z) and a slice along it (-1, 0,
// 1): slice 1 of y is the T layer, slice 0 of y the horizontal middle layer. Turn
// angles are degrees, positive anticlockwise seen from the positive end of the axis.
//
// Pane coordinates are pixels from the top left corner; a point given as whole pixels
// stands for the middle of that pixel.

namespace velmora {

class CTarnexSource;

// The square viewport of the 3D pane: its left and bottom edges from the pane's bottom
// left corner, and its side. The band from 6 / 510 of the side up, 400 / 510 of the side
// high, holds both cubes; it is fitted whole into the pane and centred.
struct PaneViewport {
    int x = 0, y = 0, side = 1;
};
PaneViewport ViewportOf(int width, int height);

struct ViewCamera {
    double tilt = 27, turn = -36, spin = 0;
    double zoom = 1;
    bool auxShown = true;
    int width = 1, height = 1;
};

// The camera of the model's view fields in a pane of width x height pixels.
ViewCamera CameraOf(const CTarnexSource& m, bool auxShown, int width, int height);

inline constexpr double kCubiePitch = 0.55;
inline constexpr double kCubieHalf = 0.25;
inline constexpr double kStickerPlane = kCubiePitch + kCubieHalf;

struct StickerHit {
    int face = 0;          // 1-6: T F R P L B
    int cell[3] = {};      // the cubie, -1..1 on x, y, z
    double point[3] = {};  // where the pointer meets the face, cube coordinates
};

// The sticker of the main cube under pane point (x, y); false over the background or
// where the auxiliary cube stands in front of the main cube.
bool PickSticker(const ViewCamera& cam, double x, double y, StickerHit& out);

// The pane point of a point p of the main cube (cube coordinates); false when it lies
// behind the eye.
bool ProjectToPane(const ViewCamera& cam, const double p[3], double& x, double& y);

// The layer a drag from a sticker turns, fixed once the drag is long enough to show
// its direction: of the two layers through the sticker that turn about an axis of its
// face, the one that moves the sticker on the screen most nearly the way of the drag.
struct LayerGrip {
    int axis = 1;   // 0 x, 1 y, 2 z
    int slice = 1;  // -1, 0, 1
    // Degrees of turn per pixel of drag in x and y: the turn follows the component of
    // the drag along the grabbed direction on the screen.
    double degreesPerX = 0, degreesPerY = 0;
};

// Pixels a drag must cover before it chooses its layer.
inline constexpr double kGripDistance = 6;

// Chooses the layer for a drag of (dx, dy) pixels from hit; false while the drag is
// shorter than kGripDistance or runs along no usable direction (a face seen edge-on).
bool GripLayer(const ViewCamera& cam, const StickerHit& hit, double dx, double dy, LayerGrip& out);

// The turn angle of a grabbed layer after a drag of (dx, dy) pixels from the press.
double GripAngle(const LayerGrip& grip, double dx, double dy);

// Where a released layer settles: the angle brought into (-180, 180], then a quarter
// turn past 45 degrees either way (1 or -1), a half turn past 135 (2 or -2, with the
// angle's sign), else 0 (the layer springs back). The layer then still stands
// NormalAngle(degrees) - 90 * quarters from rest, at most 45 degrees.
int SettleQuarters(double degrees);
double NormalAngle(double degrees);

}  // namespace velmora
