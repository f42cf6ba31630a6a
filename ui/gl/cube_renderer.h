#pragma once
// Draws the cube model as 26 solid cubies with legacy OpenGL: one display list per
// piece (built in its home frame), per centre and per face letter, placed each frame by
// the slot transforms, with the turning layer rotated by the remaining animation angle
// and an optional smaller auxiliary cube seen from below and behind.
//
// Display list ids: 10*row + col for the piece whose home slot is (row, col); 1-6 for
// the centre with that identity; 71-76 for the letters T F R P L B.
//
// Precondition of every member: the OpenGL context that owns the lists is current.
#include <array>
#include <cstdint>

#include "document/lesson.h"
#include "document/lesson_marks.h"

namespace velmora {

class CTarnexSource;

class CubeRenderer {
public:
    // Half-size of a cubie and the offset of its outlines.
    static constexpr double kHalf = 0.25;
    static constexpr double kOutline = kHalf + 0.0035;
    // Distance between neighbouring cubie centres.
    static constexpr double kPitch = 0.55;

    // The GL state the drawing relies on; set once when the context is made and again
    // after anything else (a QPainter) has drawn with the context.
    static void SetGlState();
    // Viewport and projection for a pane of cx x cy device pixels.
    static void Projection(int cx, int cy);

    // Builds every list from the colours (colourSettings layout: 0 background, 1-6
    // faces, 7 text, 8 border) and sets the clear colour to the background.
    void BuildLists(const CTarnexSource& m, const int colours[10]);
    // Draws one frame into the bound framebuffer; rebuilds the lists first when
    // colour entries 0-8 differ from the private copy. Normalises viewZoom.
    void Render(CTarnexSource& m, const int colours[10], bool auxShown);
    // Forgets the private colour copy so that the next frame rebuilds the lists (a new
    // context has none).
    void Invalidate();
    // Makes the alpha channel of the framebuffer opaque again after a picture with an
    // alpha of its own was copied in (the net in input mode). The cube's drawing needs
    // none: its blend function leaves the cleared, opaque alpha untouched.
    static void MakeOpaque();

    // A layer turned by hand on the main cube (and likewise on the auxiliary cube):
    // axis 0 x, 1 y, 2 z; slice -1, 0 or 1 along it; degrees anticlockwise seen from
    // the positive end of the axis. Drawn on top of the model's turn animation; 0
    // degrees draws nothing turned.
    void SetLayerTurn(int axis, int slice, double degrees) {
        turnAxis_ = axis;
        turnSlice_ = slice;
        turnDegrees_ = degrees;
    }

    // Learn mode on the main and auxiliary cubes: with active set, each sticker is drawn
    // by its light (facelet-string place, document/lesson.h) instead of from the lists,
    // and the layer is outlined; inactive draws the cube as always.
    struct LessonLights {
        bool active = false;
        std::array<StickerLight, 54> lights{};
        LayerMark layer;
    };
    void SetLessonLights(const LessonLights& lights) { lesson_ = lights; }

private:
    void DrawCube(const CTarnexSource& m) const;
    // The piece from home slot (row, col) with its stickers lit, in its home frame.
    void DrawLitPiece(const CTarnexSource& m, int slot, int homeRow, int homeCol, int twist) const;
    void DrawLitCentre(const CTarnexSource& m, int position) const;
    // The frame around the layer about to turn, in cube coordinates.
    void DrawLayerOutline() const;
    // Turns the current transform with the hand-turned layer when the cubie at pitch
    // position (x, y, z) belongs to it.
    void TurnWithHandLayer(int x, int y, int z) const;

    int turnAxis_ = 1, turnSlice_ = 1;
    double turnDegrees_ = 0;
    LessonLights lesson_;
    // The colours of the frame being drawn (colourSettings layout).
    const int* colours_ = nullptr;

    std::uint32_t colourCopy_[10] = {0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu,
                                     0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu};
};

}  // namespace velmora
