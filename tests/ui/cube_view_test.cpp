// The 3D view rendered to an image: each visible sticker shows the colour the model
// gives it, for the solved cube, after turns, during a turn and on the auxiliary cube.
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <random>
#include <string>
#include <vector>

#include "document/settings.h"
#include "document/velmora_doc.h"
#include "support/model_fixture.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/net_drawing.h"
#include "ui/views/pane_drawing.h"
#include <QPainter>
#include "ui_test_support.h"

namespace velmora::test {
namespace {

constexpr double kE = 0.25, kD = 0.55;

// Stickers of each slot in sticker order, as face letters.
struct SlotFaces {
    int slot;
    const char* faces;
};
constexpr SlotFaces kSlots[20] = {
    {11, "TF"},  {12, "TR"},  {13, "TP"},  {14, "TL"},  {21, "TFR"}, {22, "TRP"}, {23, "TPL"},
    {24, "TLF"}, {31, "FR"},  {32, "RP"},  {33, "PL"},  {34, "LF"},  {41, "FBR"}, {42, "RBP"},
    {43, "PBL"}, {44, "LBF"}, {51, "FB"},  {52, "RB"},  {53, "PB"},  {54, "LB"},
};

struct Axis {
    double x, y, z;
};
Axis Normal(char face) {
    switch (face) {
        case 'T': return {0, 1, 0};
        case 'F': return {0, 0, 1};
        case 'R': return {1, 0, 0};
        case 'P': return {0, 0, -1};
        case 'L': return {-1, 0, 0};
        default: return {0, -1, 0};
    }
}
constexpr const char* kFaceLetters = "TFRPLB";

class CubeView : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        doc->model.SeedRandom(2024);
        view = std::make_unique<CTarnex3dView>(*doc);
        view->resize(510, 376);
        view->show();
        ASSERT_TRUE(WaitFor([&] { return view->FramesDrawn() > 0; }));
    }

    QImage Frame() { return view->grabFramebuffer(); }

    Camera Cam() const {
        Camera c;
        c.aux = doc->auxShown;
        c.tilt = doc->model.viewTilt;
        c.turn = doc->model.viewTurn;
        c.spin = doc->model.viewSpin;
        c.zoom = doc->model.viewZoom;
        c.width = view->width();
        c.height = view->height();
        return c;
    }

    // Checks every sticker of the faces that look at the viewer: piece stickers at
    // their middle, centres near a corner (clear of the letter and the mark).
    void ExpectVisibleStickers(const QImage& image, bool auxCube, const std::string& where) {
        const Camera cam = Cam();
        const CTarnexSource& m = doc->model;
        const QRect inside = image.rect().adjusted(3, 3, -3, -3);
        int checked = 0;
        for (const SlotFaces& s : kSlots) {
            const int row = s.slot / 10, col = s.slot % 10;
            Axis pos{0, 0, 0};
            for (const char* f = s.faces; *f; ++f) {
                const Axis n = Normal(*f);
                pos = {pos.x + n.x * kD, pos.y + n.y * kD, pos.z + n.z * kD};
            }
            for (int k = 0; s.faces[k]; ++k) {
                const Axis n = Normal(s.faces[k]);
                if (!cam.Faces(n.x, n.y, n.z, auxCube)) continue;
                const QPoint p = cam.Project(pos.x + n.x * kE, pos.y + n.y * kE, pos.z + n.z * kE, auxCube);
                if (!inside.contains(p)) continue;
                const int colour = settings.colourSettings[m.StickerColour(row, col, k + 1)];
                EXPECT_TRUE(ColourNear(image.pixel(p), colour, 36,
                                       where + " slot " + std::to_string(s.slot) + " sticker " + std::to_string(k + 1)));
                ++checked;
            }
        }
        // The centres' corners are sampled on the main cube only: on the small
        // auxiliary cube they lie within a pixel or two of the sticker's edge.
        for (int k = 1; k <= 6 && !auxCube; ++k) {
            const Axis n = Normal(kFaceLetters[k - 1]);
            if (!cam.Faces(n.x, n.y, n.z, auxCube)) continue;
            // A corner of the centre sticker, in the two directions along the face.
            const Axis u = n.x != 0 ? Axis{0, 1, 0} : Axis{1, 0, 0};
            const Axis v = n.z != 0 ? Axis{0, 1, 0} : Axis{0, 0, 1};
            const double c = 0.85 * kE;
            const QPoint p = cam.Project(n.x * (kD + kE) + c * (u.x + v.x), n.y * (kD + kE) + c * (u.y + v.y),
                                         n.z * (kD + kE) + c * (u.z + v.z), auxCube);
            if (!inside.contains(p)) continue;
            const int colour = settings.colourSettings[m.StickerColour(k - 1, 0, 0)];
            EXPECT_TRUE(ColourNear(image.pixel(p), colour, 36, where + " centre " + std::to_string(k)));
            ++checked;
        }
        if (!auxCube) {
            EXPECT_EQ(checked, 27) << where << ": three faces of the main cube are in view";
        }
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
    std::unique_ptr<CTarnex3dView> view;
};

TEST_F(CubeView, SolvedCubeShowsEachVisibleFaceInItsColourFromTheDefaultCamera) {
    doc->auxShown = false;
    const QImage image = Frame();
    const Camera cam = Cam();
    // The middle of the top, front and right faces.
    EXPECT_TRUE(ColourNear(image.pixel(cam.Project(0, 0.8, 0.4)), settings.colourSettings[1], 36, "top"));
    EXPECT_TRUE(ColourNear(image.pixel(cam.Project(0.4, 0, 0.8)), settings.colourSettings[2], 36, "front"));
    EXPECT_TRUE(ColourNear(image.pixel(cam.Project(0.8, -0.4, 0)), settings.colourSettings[3], 36, "right"));
    ExpectVisibleStickers(image, false, "solved");
    // The background fills the corners of the pane, fully opaque.
    EXPECT_TRUE(ColourNear(image.pixel(2, 2), settings.colourSettings[0], 2, "background"));
    EXPECT_EQ(qAlpha(image.pixel(cam.Project(0, 0.8, 0.4))), 255);
}

TEST_F(CubeView, StickersFollowTheModelAfterRandomTurns) {
    doc->auxShown = false;
    std::mt19937 rng(7);
    for (int round = 0; round < 4; ++round) {
        RandomTurns(doc->model, rng, 25);
        doc->model.cube.centreTurns[round + 1] = round;  // the marks turn; the colour stays
        view->update();
        ExpectVisibleStickers(Frame(), false, "round " + std::to_string(round));
    }
}

TEST_F(CubeView, AuxiliaryCubeShowsTheHiddenSide) {
    doc->auxShown = true;
    std::mt19937 rng(11);
    RandomTurns(doc->model, rng, 30);
    const QImage image = Frame();
    ExpectVisibleStickers(image, false, "main");
    ExpectVisibleStickers(image, true, "auxiliary");
    // The auxiliary cube looks at the bottom, which the main cube hides.
    EXPECT_TRUE(Cam().Faces(0, -1, 0, true));
    EXPECT_FALSE(Cam().Faces(0, -1, 0, false));
}

TEST_F(CubeView, HidingTheAuxiliaryCubeCentresTheMainCube) {
    // The silhouette of the main cube across its middle row, with and without the
    // auxiliary cube: hiding it moves the main cube right by 0.275 units at depth 8.
    const int bg = settings.colourSettings[0];
    auto middleOfSilhouette = [&](bool aux) {
        doc->auxShown = aux;
        view->update();
        const QImage image = Frame();
        const int y = Cam().Project(0, 0, 0).y();
        int left = 0, right = image.width() - 1;
        while (left < image.width() && ColourNear(image.pixel(left, y), bg, 4, "")) ++left;
        while (right > 0 && ColourNear(image.pixel(right, y), bg, 4, "")) --right;
        return (left + right) / 2.0;
    };
    const double shown = middleOfSilhouette(true);
    const double hidden = middleOfSilhouette(false);
    const double pixelsPerUnit = view->width() / 2.0 / (8 * std::tan(15 * M_PI / 180));
    EXPECT_NEAR(hidden - shown, 0.275 * pixelsPerUnit, 3.0);
}

TEST_F(CubeView, DuringAFrontTurnOnlyTheFrontLayerIsTurned) {
    doc->auxShown = false;
    CTarnexSource& m = doc->model;
    m.ApplyToken("F+");
    m.AnimationHint("F+");
    ASSERT_EQ(m.animAngle, -90);
    ASSERT_EQ(m.animAxis, 'F');
    // At the hinted angle the front layer stands where it stood before the turn.
    QImage image = Frame();
    const Camera cam = Cam();
    const QPoint topFrontSticker = cam.Project(0, 0.8, kD);  // top sticker of slot 11
    const QPoint backTopSticker = cam.Project(0, 0.8, -kD);  // slot 13, not in the layer
    EXPECT_TRUE(ColourNear(image.pixel(topFrontSticker), settings.colourSettings[1], 36, "front layer turned back"));
    EXPECT_TRUE(ColourNear(image.pixel(backTopSticker), settings.colourSettings[1], 36, "back stays"));
    // At rest the top front edge shows the left face's colour on top (F+ brought it up).
    m.animAngle = 0;
    view->update();
    image = Frame();
    EXPECT_TRUE(ColourNear(image.pixel(topFrontSticker), settings.colourSettings[m.StickerColour(1, 1, 1)], 36,
                           "after the turn"));
    EXPECT_EQ(m.StickerColour(1, 1, 1), 5);
}

TEST_F(CubeView, AQuarterTurnAnimatesForTenTicksAndAHalfTurnForTwenty) {
    CTarnexSource& m = doc->model;
    for (const auto& [token, ticks] : {std::pair{"T+", 10}, std::pair{"R-", 10}, std::pair{"B*", 20}}) {
        m.AnimationHint(token);
        int n = 0;
        while (m.animAngle != 0 && n < 100) {
            view->AnimationTick();
            ++n;
        }
        EXPECT_EQ(n, ticks) << token;
    }
}

TEST_F(CubeView, DemonstrationStepsOnlyAtCountOneAndNotDuringInput) {
    CTarnexSource& m = doc->model;
    m.Scramble(1);
    ASSERT_EQ(m.demoPos, 76);
    m.autoDemoCount = 2;
    view->DemonstrationTick();
    EXPECT_EQ(m.autoDemoCount, 1);
    EXPECT_EQ(m.demoPos, 76);
    m.inputMode = -1;
    view->DemonstrationTick();
    EXPECT_EQ(m.demoPos, 76);
    m.inputMode = 0;
    view->DemonstrationTick();
    EXPECT_GT(m.demoPos, 76);
    EXPECT_EQ(m.autoDemoCount, 1);
}

TEST_F(CubeView, CentreTurnMovesTheMarkAQuarterClockwise) {
    doc->auxShown = false;
    const int border = settings.colourSettings[8], top = settings.colourSettings[1];
    const double h = kD + kE + 0.0035, mark = 0.7 * kE;
    // Seen from above with the front below: turn 0 puts the mark at the front edge,
    // each quarter turn moves it on clockwise (front, left, back, right).
    const double spots[4][2] = {{0, mark}, {-mark, 0}, {0, -mark}, {mark, 0}};
    for (int turn = 0; turn < 4; ++turn) {
        doc->model.cube.centreTurns[1] = turn;
        view->update();
        const QImage image = Frame();
        for (int spot = 0; spot < 4; ++spot) {
            const QRgb pixel = image.pixel(Cam().Project(spots[spot][0], h, spots[spot][1]));
            const std::string what = "turn " + std::to_string(turn) + " spot " + std::to_string(spot);
            if (spot == turn) {
                EXPECT_TRUE(ColourNear(pixel, border, 60, what));
            } else {
                EXPECT_TRUE(ColourNear(pixel, top, 36, what));
            }
        }
    }
}

TEST_F(CubeView, ZoomOutOfRangeIsShownAtNinetyPercent) {
    doc->model.viewZoom = 4.1f;
    view->update();
    Frame();
    EXPECT_FLOAT_EQ(doc->model.viewZoom, 0.9f);
    doc->model.viewZoom = 0.005f;
    view->update();
    Frame();
    EXPECT_FLOAT_EQ(doc->model.viewZoom, 0.9f);
}

// The picture's own alpha channel, read from the view's framebuffer (a grab reports
// every pixel opaque whatever the buffer holds): the translucent stickers and bodies
// must leave it fully opaque, on the cube, its edges and the background alike.
TEST_F(CubeView, TheDrawnPictureIsOpaqueInItsOwnAlphaChannel) {
    std::mt19937 rng(11);
    RandomTurns(doc->model, rng, 30);
    doc->model.animAxis = 'R';
    doc->model.animAngle = 40;
    Frame();
    view->makeCurrent();
    QOpenGLFunctions* gl = view->context()->functions();
    gl->glBindFramebuffer(GL_FRAMEBUFFER, view->defaultFramebufferObject());
    const int w = view->width(), h = view->height();
    std::vector<unsigned char> rgba(static_cast<std::size_t>(w) * h * 4);
    gl->glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    view->doneCurrent();
    int translucent = 0;
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        if (rgba[i] != 255) ++translucent;
    EXPECT_EQ(translucent, 0) << "of " << w * h << " pixels";
}

TEST_F(CubeView, ColourChangeRebuildsTheLists) {
    doc->auxShown = false;
    settings.colourSettings[1] = 0x00ff8000;  // top in blue-green
    const QImage image = Frame();
    EXPECT_TRUE(ColourNear(image.pixel(Cam().Project(0, 0.8, 0.4)), 0x00ff8000, 36, "new top colour"));
    EXPECT_TRUE(ColourNear(image.pixel(2, 2), settings.colourSettings[0], 2, "background"));
}

TEST_F(CubeView, InputModeShowsTheNetWithItsPaletteInThePane) {
    view->SetNetPainter([&](QPainter& p) {
        p.fillRect(view->rect(), RefColour(settings.colourSettings[0]));
        DrawNet(p, doc->model, settings.colourSettings);
    });
    CTarnexSource& m = doc->model;
    m.inputMode = -1;
    for (int i = 0; i < kFaceletCount; ++i) m.facelets[i] = i % 9 == 4 ? 0 : i / 9 + 1;
    view->update();
    const QImage image = Frame();
    for (int i = 1; i <= 6; ++i) {
        const FaceletRecord& swatch = m.FaceletTable[kNetCellCount + i - 1];
        EXPECT_TRUE(ColourNear(image.pixel(swatch.left + 3, swatch.bottom - 3), settings.colourSettings[i], 0,
                               "swatch " + std::to_string(i)));
    }
    const FaceletRecord& cell = m.FaceletTable[20];
    EXPECT_TRUE(ColourNear(image.pixel(cell.left + 11, cell.top + 11), settings.colourSettings[3], 0, "R cell"));
    EXPECT_EQ(qAlpha(image.pixel(cell.left + 11, cell.top + 11)), 255);
    // Leaving input mode brings the cube back.
    m.inputMode = 0;
    doc->auxShown = false;
    view->update();
    ExpectVisibleStickers(Frame(), false, "after input");
}

}  // namespace
}  // namespace velmora::test
