// The 3D cube: display lists of the cubies and the per-frame placement of every piece
// and centre, with the turning layer and the auxiliary cube.
#include "ui/gl/cube_renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <algorithm>
#include <array>
#include <string_view>

#include "model/cube_picking.h"
#include "model/tarnex_source.h"

namespace velmora {
namespace {

static_assert(CubeRenderer::kPitch == kCubiePitch && CubeRenderer::kHalf == kCubieHalf,
              "picking on the 3D cube measures the cube as it is drawn");

constexpr double e = CubeRenderer::kHalf;
constexpr double g = CubeRenderer::kOutline;
constexpr double d = CubeRenderer::kPitch;

constexpr GLubyte kStickerAlpha = 233;
constexpr GLubyte kBodyAlpha = 180;
constexpr GLubyte kLineAlpha = 255;

// A rotation R(angle; axis); angle 0 means none.
struct Rot {
    double angle, x, y, z;
};
constexpr Rot kNone{0, 0, 0, 0};
// At most two rotations, applied left to right.
struct Turn2 {
    Rot first, second;
};

// Where the piece in a slot stands (in units of the pitch) and how it is turned for
// each twist, relative to its home frame (sticker 1 on +y, sticker 2 on +z, sticker 3
// of a corner on +x).
struct SlotPlacement {
    int slot;
    int x, y, z;
    Turn2 twist[3];
};

constexpr std::array<SlotPlacement, 20> kSlotPlacements = {{
    {11, 0, 1, 1, {{kNone, kNone}, {{180, 0, 1, 1}, kNone}, {kNone, kNone}}},
    {12, 1, 1, 0, {{{90, 0, 1, 0}, kNone}, {{-90, 0, 1, 0}, {-90, 1, 0, 0}}, {kNone, kNone}}},
    {13, 0, 1, -1, {{{180, 0, 1, 0}, kNone}, {{-90, 1, 0, 0}, kNone}, {kNone, kNone}}},
    {14, -1, 1, 0, {{{-90, 0, 1, 0}, kNone}, {{90, 0, 1, 0}, {-90, 1, 0, 0}}, {kNone, kNone}}},
    {21, 1, 1, 1, {{kNone, kNone}, {{90, 1, 0, 0}, {90, 0, 1, 0}}, {{-90, 1, 0, 0}, {-90, 0, 0, 1}}}},
    {22, 1, 1, -1, {{{90, 0, 1, 0}, kNone}, {{180, 1, 1, 0}, kNone}, {{-90, 1, 0, 0}, kNone}}},
    {23, -1, 1, -1, {{{180, 0, 1, 0}, kNone}, {{-90, 0, 1, 0}, {90, 0, 0, 1}}, {{90, 0, 0, 1}, {90, 0, 1, 0}}}},
    {24, -1, 1, 1, {{{-90, 0, 1, 0}, kNone}, {{90, 0, 0, 1}, kNone}, {{180, 0, 1, 1}, kNone}}},
    {31, 1, 0, 1, {{{90, 0, 1, 0}, {90, 0, 0, 1}}, {{-90, 0, 0, 1}, kNone}, {kNone, kNone}}},
    {32, 1, 0, -1, {{{180, 1, 1, 0}, kNone}, {{-90, 0, 0, 1}, {-90, 1, 0, 0}}, {kNone, kNone}}},
    {33, -1, 0, -1, {{{90, 0, 0, 1}, {-90, 1, 0, 0}}, {{180, 1, -1, 0}, kNone}, {kNone, kNone}}},
    {34, -1, 0, 1, {{{90, 0, 0, 1}, kNone}, {{-90, 0, 0, 1}, {90, 1, 0, 0}}, {kNone, kNone}}},
    {41, 1, -1, 1, {{{90, 1, 0, 0}, kNone}, {{180, 1, 0, 1}, kNone}, {{-90, 0, 0, 1}, kNone}}},
    {42, 1, -1, -1, {{{-90, 0, 0, 1}, {90, 0, 1, 0}}, {{180, 1, 0, 0}, kNone}, {{-90, 0, 0, 1}, {-90, 1, 0, 0}}}},
    {43, -1, -1, -1, {{{180, 0, 1, -1}, kNone}, {{180, -1, 0, 1}, kNone}, {{180, 1, -1, 0}, kNone}}},
    {44, -1, -1, 1, {{{90, 1, 0, 0}, {90, 0, 0, 1}}, {{180, 0, 0, 1}, kNone}, {{-90, 0, 0, 1}, {90, 1, 0, 0}}}},
    {51, 0, -1, 1, {{{90, 1, 0, 0}, kNone}, {{180, 0, 0, 1}, kNone}, {kNone, kNone}}},
    {52, 1, -1, 0, {{{90, 1, 0, 0}, {-90, 0, 0, 1}}, {{180, 1, 0, 1}, kNone}, {kNone, kNone}}},
    {53, 0, -1, -1, {{{180, 0, 1, -1}, kNone}, {{180, 1, 0, 0}, kNone}, {kNone, kNone}}},
    {54, -1, -1, 0, {{{90, 1, 0, 0}, {90, 0, 0, 1}}, {{180, -1, 0, 1}, kNone}, {kNone, kNone}}},
}};

// Where each face position's centre stands and how its list (face on +y) is turned.
struct CentrePlacement {
    int position;
    int x, y, z;
    Turn2 orient;
};

constexpr std::array<CentrePlacement, 6> kCentrePlacements = {{
    {1, 0, 1, 0, {kNone, kNone}},
    {2, 0, 0, 1, {{90, 1, 0, 0}, kNone}},
    {3, 1, 0, 0, {{-90, 0, 0, 1}, {90, 0, 1, 0}}},
    {4, 0, 0, -1, {{-90, 1, 0, 0}, kNone}},
    {5, -1, 0, 0, {{90, 0, 0, 1}, {90, 0, 1, 0}}},
    {6, 0, -1, 0, {{180, 1, 0, 0}, {-90, 0, 1, 0}}},
}};

// The layers that a turn animation rotates: the centre position, the slots and the
// rotation (sign applied to the remaining angle, axis).
struct Layer {
    char axis;
    int centre;  // 0: every centre
    std::array<int, 8> members;  // all zero: every slot
    double sign, x, y, z;
};

constexpr std::array<Layer, 9> kLayers = {{
    {'T', 1, {11, 12, 13, 14, 21, 22, 23, 24}, -1, 0, 1, 0},
    {'B', 6, {41, 42, 43, 44, 51, 52, 53, 54}, 1, 0, 1, 0},
    {'F', 2, {11, 21, 24, 31, 34, 41, 44, 51}, -1, 0, 0, 1},
    {'P', 4, {13, 22, 23, 32, 33, 42, 43, 53}, 1, 0, 0, 1},
    {'R', 3, {12, 21, 22, 31, 32, 41, 42, 52}, -1, 1, 0, 0},
    {'L', 5, {14, 23, 24, 33, 34, 43, 44, 54}, 1, 1, 0, 0},
    {'X', 0, {}, -1, 1, 0, 0},
    {'Y', 0, {}, -1, 0, 1, 0},
    {'Z', 0, {}, -1, 0, 0, 1},
}};

// The letters as segments (x1, z1, x2, z2) in units of the half-size, at height g.
struct Segment {
    double x1, z1, x2, z2;
};
constexpr Segment kLetterT[] = {{0.5, 0.5, -0.5, 0.5}, {0, 0.52, 0, -0.5}};
constexpr Segment kLetterF[] = {{0.26, 0.5, -0.33, 0.5}, {0.25, 0.52, 0.25, -0.5}, {0.26, 0.1, -0.25, 0.1}};
constexpr Segment kLetterR[] = {{0.26, 0.5, -0.22, 0.5}, {-0.25, 0.47, -0.25, 0.13}, {0.26, 0.1, -0.22, 0.1},
                                {0.25, 0.52, 0.25, -0.4}, {0.17, 0.12, -0.3, -0.4}};
constexpr Segment kLetterP[] = {{0.26, 0.5, -0.22, 0.5}, {-0.25, 0.47, -0.25, 0.13}, {0.26, 0.1, -0.22, 0.1},
                                {0.25, 0.52, 0.25, -0.4}};
constexpr Segment kLetterL[] = {{0.3, -0.5, -0.3, -0.5}, {0.3, 0.5, 0.3, -0.52}};
constexpr Segment kLetterB[] = {{0.22, -0.4, -0.26, -0.4}, {0.22, 0.4, -0.26, 0.4}, {0.22, -0.03, -0.26, -0.03},
                                {0.25, 0.37, 0.25, 0},     {0.25, -0.06, 0.25, -0.37}, {-0.26, 0.42, -0.26, -0.42}};

struct Letter {
    const Segment* segments;
    int count;
};
constexpr Letter kLetters[6] = {{kLetterT, 2}, {kLetterF, 3}, {kLetterR, 5},
                                {kLetterP, 4}, {kLetterL, 2}, {kLetterB, 6}};

void Rotate(const Rot& r) {
    if (r.angle != 0) glRotated(r.angle, r.x, r.y, r.z);
}
void Rotate(const Turn2& t) {
    Rotate(t.first);
    Rotate(t.second);
}

void Colour(int ref, GLubyte alpha) {
    glColor4ub(static_cast<GLubyte>(ref & 0xff), static_cast<GLubyte>((ref >> 8) & 0xff),
               static_cast<GLubyte>((ref >> 16) & 0xff), alpha);
}

// The six faces of a cubie as quads, named by their outward normal.
void FaceTop() {
    glNormal3d(0, 1, 0);
    glVertex3d(-e, e, e); glVertex3d(e, e, e); glVertex3d(e, e, -e); glVertex3d(-e, e, -e);
}
void FaceFront() {
    glNormal3d(0, 0, 1);
    glVertex3d(-e, e, e); glVertex3d(-e, -e, e); glVertex3d(e, -e, e); glVertex3d(e, e, e);
}
void FaceRight() {
    glNormal3d(1, 0, 0);
    glVertex3d(e, e, e); glVertex3d(e, -e, e); glVertex3d(e, -e, -e); glVertex3d(e, e, -e);
}
void FaceBack() {
    glNormal3d(0, 0, -1);
    glVertex3d(-e, e, -e); glVertex3d(e, e, -e); glVertex3d(e, -e, -e); glVertex3d(-e, -e, -e);
}
void FaceLeft() {
    glNormal3d(-1, 0, 0);
    glVertex3d(-e, e, e); glVertex3d(-e, e, -e); glVertex3d(-e, -e, -e); glVertex3d(-e, -e, e);
}
void FaceBottom() {
    glNormal3d(0, -1, 0);
    glVertex3d(-e, -e, e); glVertex3d(-e, -e, -e); glVertex3d(e, -e, -e); glVertex3d(e, -e, e);
}

// Outline edges go into one GL_LINES primitive per list: each loop around a face is
// written as its segments in loop order, so a list holds one line primitive.
void Edge(double x1, double y1, double z1, double x2, double y2, double z2) {
    glVertex3d(x1, y1, z1);
    glVertex3d(x2, y2, z2);
}
// The loop around the top face.
void TopOutline() {
    Edge(-g, g, g, g, g, g);
    Edge(g, g, g, g, g, -g);
    Edge(g, g, -g, -g, g, -g);
    Edge(-g, g, -g, -g, g, g);
}

void BuildPiece(int row, int col, const int pieceColours[3], const int colours[10]) {
    const bool corner = IsCornerRow(row);
    const int border = colours[8];
    glNewList(10 * row + col, GL_COMPILE_AND_EXECUTE);
    glBegin(GL_QUADS);
    Colour(colours[pieceColours[0]], kStickerAlpha);
    FaceTop();
    Colour(colours[pieceColours[1]], kStickerAlpha);
    FaceFront();
    if (corner)
        Colour(colours[pieceColours[2]], kStickerAlpha);
    else
        Colour(border, kBodyAlpha);
    FaceRight();
    Colour(border, kBodyAlpha);
    FaceBack();
    FaceLeft();
    FaceBottom();
    glEnd();

    Colour(border, kLineAlpha);
    glBegin(GL_LINES);
    TopOutline();
    // The loop around the front face.
    Edge(-g, g, g, g, g, g);
    Edge(g, g, g, g, -g, g);
    Edge(g, -g, g, -g, -g, g);
    Edge(-g, -g, g, -g, g, g);
    if (corner) {
        // The two further edges of the right face.
        Edge(g, g, -g, g, -g, -g);
        Edge(g, -g, -g, g, -g, g);
    }
    glEnd();
    glEndList();
}

void BuildCentre(int identity, int colour, const int colours[10]) {
    const int border = colours[8];
    glNewList(identity, GL_COMPILE_AND_EXECUTE);
    glBegin(GL_QUADS);
    Colour(colours[colour], kStickerAlpha);
    FaceTop();
    Colour(border, kBodyAlpha);
    FaceFront();
    FaceRight();
    FaceBack();
    FaceLeft();
    FaceBottom();
    glEnd();
    Colour(border, kLineAlpha);
    glBegin(GL_LINES);
    TopOutline();
    glVertex3d(-0.7 * e, g, 0.7 * e);
    glVertex3d(0.7 * e, g, 0.7 * e);
    glEnd();
    glEndList();
}

void BuildLetter(int index, const int colours[10]) {
    glNewList(71 + index, GL_COMPILE_AND_EXECUTE);
    Colour(colours[7], kLineAlpha);
    glBegin(GL_LINES);
    const Letter& letter = kLetters[index];
    for (int s = 0; s < letter.count; ++s) {
        const Segment& seg = letter.segments[s];
        glVertex3d(seg.x1 * e, g, seg.z1 * e);
        glVertex3d(seg.x2 * e, g, seg.z2 * e);
    }
    glEnd();
    glEndList();
}

// The layer whose animation is running, or null.
const Layer* MovingLayer(const CTarnexSource& m) {
    if (m.animAngle == 0) return nullptr;
    for (const Layer& layer : kLayers)
        if (layer.axis == m.animAxis) return &layer;
    return nullptr;
}

bool SlotInLayer(const Layer& layer, int slot) {
    if (layer.centre == 0) return true;
    for (int s : layer.members)
        if (s == slot) return true;
    return false;
}

bool CentreInLayer(const Layer& layer, int position) {
    return layer.centre == 0 || layer.centre == position;
}

int StringPlaceOfSlot(int slot, int sticker) { return StringPlaceOf(slot / 10, slot % 10, sticker); }

void TurnWithLayer(const Layer* layer, double angle) {
    glRotated(layer->sign * angle, layer->x, layer->y, layer->z);
}

}  // namespace

void CubeRenderer::SetGlState() {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDrawBuffer(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
    glLineWidth(2.0f);
    glEnable(GL_LINE_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    // Colours blend by the source alpha; the destination alpha is left as the clear
    // made it (opaque), so the picture needs no second pass to make it opaque again.
    // (OpenGL 1.4, resolved through the context.)
    QOpenGLContext::currentContext()->functions()->glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
                                                                        GL_ZERO, GL_ONE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
}

void CubeRenderer::Projection(int cx, int cy) {
    // The viewport the sticker picking assumes (model/cube_picking.h): both cubes whole.
    const PaneViewport v = ViewportOf(cx, cy);
    glViewport(v.x, v.y, v.side, v.side);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, 1.0, 1.0, 23.0);
    glMatrixMode(GL_MODELVIEW);
}

void CubeRenderer::Invalidate() {
    for (std::uint32_t& c : colourCopy_) c = 0xffffffffu;
}

void CubeRenderer::BuildLists(const CTarnexSource& m, const int colours[10]) {
    for (int row = 1; row <= 5; ++row)
        for (int col = 1; col <= 4; ++col) BuildPiece(row, col, m.pieceColours[row][col], colours);
    for (int k = 1; k <= 6; ++k) BuildCentre(k, m.centreColours[k], colours);
    for (int k = 0; k < 6; ++k) BuildLetter(k, colours);
    const int bg = colours[0];
    glClearColor((bg & 0xff) / 255.0f, ((bg >> 8) & 0xff) / 255.0f, ((bg >> 16) & 0xff) / 255.0f, 1.0f);
}

void CubeRenderer::Render(CTarnexSource& m, const int colours[10], bool auxShown) {
    colours_ = colours;
    if (m.viewZoom > 4 || m.viewZoom <= 0.01f) m.viewZoom = 0.9f;
    bool changed = false;
    for (int i = 0; i <= 8; ++i)
        if (colourCopy_[i] != static_cast<std::uint32_t>(colours[i])) changed = true;
    if (changed) {
        for (int i = 0; i < 10; ++i) colourCopy_[i] = static_cast<std::uint32_t>(colours[i]);
        BuildLists(m, colours);
    } else {
        const int bg = colours[0];
        glClearColor((bg & 0xff) / 255.0f, ((bg >> 8) & 0xff) / 255.0f, ((bg >> 16) & 0xff) / 255.0f, 1.0f);
    }

    // The stencil is never used; clearing it together with the depth lets the
    // combined depth-stencil buffer be cleared whole rather than masked.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glPushMatrix();
    glTranslated(auxShown ? -0.275 : 0.0, 0.0, -8.0);
    glPushMatrix();
    glRotated(m.viewTilt, 1, 0, 0);
    glRotated(m.viewTurn, 0, 1, 0);
    glRotated(m.viewSpin, 1, 1, 1);
    glScalef(m.viewZoom, m.viewZoom, m.viewZoom);
    DrawCube(m);
    if (auxShown) {
        glTranslated(1.65, -0.825, 0.55);
        glRotated(m.viewTilt + 180, 1, 0, 0);
        glRotated(270 - m.viewTurn, 0, 1, 0);
        float s = 1.3f - m.viewZoom;
        if (s < 0) s = 0.05f;
        glScalef(s, s, s);
        DrawCube(m);
    }
    glPopMatrix();
    glPopMatrix();
}

void CubeRenderer::DrawCube(const CTarnexSource& m) const {
    const Layer* layer = MovingLayer(m);
    const double a = m.animAngle;

    for (const SlotPlacement& p : kSlotPlacements) {
        const int row = p.slot / 10, col = p.slot % 10;
        const PieceSlot& piece = m.cube.pieces[row][col];
        glPushMatrix();
        if (layer && SlotInLayer(*layer, p.slot)) TurnWithLayer(layer, a);
        TurnWithHandLayer(p.x, p.y, p.z);
        glTranslated(p.x * d, p.y * d, p.z * d);
        int twist = piece.twist;
        if (twist < 0 || twist > 2) twist = 0;
        Rotate(p.twist[twist]);
        if (lesson_.active)
            DrawLitPiece(m, p.slot, piece.homeRow, piece.homeCol, twist);
        else
            glCallList(10 * piece.homeRow + piece.homeCol);
        glPopMatrix();
    }

    for (const CentrePlacement& c : kCentrePlacements) {
        const int k = c.position;
        glPushMatrix();
        if (layer && CentreInLayer(*layer, k)) TurnWithLayer(layer, a);
        TurnWithHandLayer(c.x, c.y, c.z);
        glTranslated(c.x * d, c.y * d, c.z * d);
        Rotate(c.orient);
        const int turns = ((m.cube.centreTurns[k] % 4) + 4) % 4;
        const double turn = turns == 0 ? 0.0 : 360.0 - 90.0 * turns;
        if (turn != 0) glRotated(turn, 0, 1, 0);
        if (lesson_.active)
            DrawLitCentre(m, k);
        else
            glCallList(m.cube.centres[k]);
        if (turn != 0) glRotated(-turn, 0, 1, 0);
        if (k <= 5) glRotated(180, 0, 1, 0);
        glCallList(71 + k - 1);
        glPopMatrix();
    }
    // The layer about to turn is framed at rest; while a turn is still animating the
    // frame would stand still among moving pieces.
    if (lesson_.active && lesson_.layer.shown && m.animAngle == 0 && turnDegrees_ == 0) DrawLayerOutline();
}

void CubeRenderer::DrawLitPiece(const CTarnexSource& m, int slot, int homeRow, int homeCol, int twist) const {
    if (homeRow < 1 || homeRow > 5 || homeCol < 1 || homeCol > 4) return;
    const int* colours = colours_;
    const int* stickers = m.pieceColours[homeRow][homeCol];
    const bool corner = IsCornerRow(homeRow);
    const int n = corner ? 3 : 2;
    // Entry k of the piece (0 on +y, 1 on +z, 2 on +x) shows as sticker (k + twist) mod n
    // + 1 of its slot, the numbering StickerColour and the lesson's lights use.
    StickerLight light[3] = {StickerLight::Home, StickerLight::Home, StickerLight::Home};
    for (int k = 0; k < n; ++k)
        light[k] = lesson_.lights[static_cast<std::size_t>(
            std::max(0, StringPlaceOfSlot(slot, (k + twist) % n + 1)))];
    auto sticker = [&](int k) {
        const int ref = colours[stickers[k] >= 0 && stickers[k] <= 9 ? stickers[k] : 0];
        Colour(light[k] == StickerLight::Dimmed ? DimmedColour(ref) : ref, kStickerAlpha);
    };
    const int border = colours[8];
    glBegin(GL_QUADS);
    sticker(0);
    FaceTop();
    sticker(1);
    FaceFront();
    if (corner)
        sticker(2);
    else
        Colour(border, kBodyAlpha);
    FaceRight();
    Colour(border, kBodyAlpha);
    FaceBack();
    FaceLeft();
    FaceBottom();
    glEnd();

    Colour(border, kLineAlpha);
    glBegin(GL_LINES);
    TopOutline();
    Edge(-g, g, g, g, g, g);
    Edge(g, g, g, g, -g, g);
    Edge(g, -g, g, -g, -g, g);
    Edge(-g, -g, g, -g, g, g);
    if (corner) {
        Edge(g, g, -g, g, -g, -g);
        Edge(g, -g, -g, g, -g, g);
    }
    glEnd();

    // The stickers of the stage: a bright frame just inside each sticker's edge, above
    // its face, so that it reads as a frame round the sticker rather than as the body.
    if (light[0] != StickerLight::Stage && light[1] != StickerLight::Stage && light[2] != StickerLight::Stage) return;
    constexpr double h = g + 0.004;   // height above the face
    constexpr double r = e - 0.035;   // half-side of the frame
    glLineWidth(4.0f);
    Colour(kStageOutlineColour, kLineAlpha);
    glBegin(GL_LINES);
    if (light[0] == StickerLight::Stage) {
        Edge(-r, h, r, r, h, r);
        Edge(r, h, r, r, h, -r);
        Edge(r, h, -r, -r, h, -r);
        Edge(-r, h, -r, -r, h, r);
    }
    if (light[1] == StickerLight::Stage) {
        Edge(-r, r, h, r, r, h);
        Edge(r, r, h, r, -r, h);
        Edge(r, -r, h, -r, -r, h);
        Edge(-r, -r, h, -r, r, h);
    }
    if (corner && light[2] == StickerLight::Stage) {
        Edge(h, r, r, h, -r, r);
        Edge(h, -r, r, h, -r, -r);
        Edge(h, -r, -r, h, r, -r);
        Edge(h, r, -r, h, r, r);
    }
    glEnd();
    glLineWidth(2.0f);
}

void CubeRenderer::DrawLitCentre(const CTarnexSource& m, int position) const {
    const int* colours = colours_;
    const int identity = m.cube.centres[position];
    if (identity < 1 || identity > 6) return;
    const int ref = colours[m.centreColours[identity] >= 0 && m.centreColours[identity] <= 9 ? m.centreColours[identity] : 0];
    const StickerLight light = lesson_.lights[static_cast<std::size_t>(std::max(0, StringPlaceOf(position - 1, 0, 0)))];
    const int border = colours[8];
    glBegin(GL_QUADS);
    Colour(light == StickerLight::Dimmed ? DimmedColour(ref) : ref, kStickerAlpha);
    FaceTop();
    Colour(border, kBodyAlpha);
    FaceFront();
    FaceRight();
    FaceBack();
    FaceLeft();
    FaceBottom();
    glEnd();
    Colour(border, kLineAlpha);
    glBegin(GL_LINES);
    TopOutline();
    glVertex3d(-0.7 * e, g, 0.7 * e);
    glVertex3d(0.7 * e, g, 0.7 * e);
    glEnd();
}

void CubeRenderer::DrawLayerOutline() const {
    // The slab of the layer: the whole cube across the other two axes, one cubie thick
    // along its own, a little outside the stickers so that its edges show on them.
    constexpr double out = d + e + 0.03;
    double lo[3] = {-out, -out, -out}, hi[3] = {out, out, out};
    const int axis = lesson_.layer.axis, slice = lesson_.layer.slice;
    if (axis < 0 || axis > 2) return;
    lo[axis] = slice * d - (slice == -1 ? out - d : e + 0.02);
    hi[axis] = slice * d + (slice == 1 ? out - d : e + 0.02);
    glLineWidth(3.0f);
    Colour(colours_[7], kLineAlpha);
    glBegin(GL_LINES);
    for (int a = 0; a < 3; ++a) {
        // The four edges parallel to axis a.
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (int i = 0; i < 4; ++i) {
            double p[3], q[3];
            p[a] = lo[a];
            q[a] = hi[a];
            p[b] = q[b] = (i & 1) ? hi[b] : lo[b];
            p[c] = q[c] = (i & 2) ? hi[c] : lo[c];
            glVertex3d(p[0], p[1], p[2]);
            glVertex3d(q[0], q[1], q[2]);
        }
    }
    glEnd();
    glLineWidth(2.0f);
}

void CubeRenderer::TurnWithHandLayer(int x, int y, int z) const {
    if (turnDegrees_ == 0) return;
    const int position[3] = {x, y, z};
    if (turnAxis_ < 0 || turnAxis_ > 2 || position[turnAxis_] != turnSlice_) return;
    glRotated(turnDegrees_, turnAxis_ == 0 ? 1 : 0, turnAxis_ == 1 ? 1 : 0, turnAxis_ == 2 ? 1 : 0);
}

void CubeRenderer::MakeOpaque() {
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
}

}  // namespace velmora
