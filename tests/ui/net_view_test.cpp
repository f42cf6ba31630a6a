// The net pane: every cell shows its sticker's colour, the centre bars show the centre
// turns, and the mouse rules on the net.
#include <random>
#include <string>

#include "document/settings.h"
#include "document/velmora_doc.h"
#include "support/model_fixture.h"
#include "ui/views/net_drawing.h"
#include "ui/views/net_view.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

std::vector<std::string> Statuses(const ScriptedUser& user) {
    std::vector<std::string> out;
    for (const auto& c : user.CallsOf(ScriptedUser::Kind::Status)) out.push_back(c.text);
    return out;
}

class NetView : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        doc = std::make_unique<CVelmoraDoc>(user, settings);
        view = std::make_unique<CVelmoraView>(*doc);
        view->resize(290, 376);
    }

    // Every cell's middle against the model; each centre's bar on the edge its turn
    // names, the opposite edge in the cell's colour.
    void ExpectNetMatchesModel(const QImage& image, const std::string& where) {
        const CTarnexSource& m = doc->model;
        const int* colours = settings.colourSettings;
        for (int i = 0; i < kNetCellCount; ++i) {
            const FaceletRecord& r = m.FaceletTable[i];
            const bool centre = i < kFaceletCount && i % 9 == 4;
            // Centres carry their letter left of the middle: look right of it.
            const QPoint p = centre ? QPoint(r.left + 17, r.top + 11) : QPoint(r.left + 11, r.top + 11);
            const int colour = colours[m.StickerColour(r.row, r.col, r.sticker)];
            EXPECT_TRUE(ColourNear(image.pixel(p), colour, 0, where + " cell " + std::to_string(i)));
            EXPECT_TRUE(ColourNear(image.pixel(r.left, r.top), colours[8], 0, where + " frame " + std::to_string(i)));
        }
        for (int k = 1; k <= 6; ++k) {
            const FaceletRecord& r = m.FaceletTable[4 + 9 * (k - 1)];
            const QPoint edges[4] = {{r.left + 11, r.bottom - 2}, {r.left + 2, r.top + 11},
                                     {r.left + 11, r.top + 2}, {r.right - 2, r.top + 11}};
            const int t = m.cube.centreTurns[k];
            const int fill = colours[m.StickerColour(k - 1, 0, 0)];
            EXPECT_TRUE(ColourNear(image.pixel(edges[t]), colours[8], 0, where + " bar of face " + std::to_string(k)));
            if (t != 1) {  // the letter stands near the left edge
                EXPECT_TRUE(ColourNear(image.pixel(edges[(t + 2) % 4]), fill, 0,
                                       where + " no bar opposite on face " + std::to_string(k)));
            }
        }
    }

    ScriptedUser user;
    VelmoraSettings settings;
    std::unique_ptr<CVelmoraDoc> doc;
    std::unique_ptr<CVelmoraView> view;
};

TEST_F(NetView, EveryCellShowsItsStickerForRandomPositions) {
    std::mt19937 rng(99);
    CTarnexSource& m = doc->model;
    ExpectNetMatchesModel(view->Render(), "solved");
    for (int round = 0; round < 5; ++round) {
        RandomTurns(m, rng, 30);
        for (int k = 1; k <= 6; ++k) m.cube.centreTurns[k] = static_cast<int>(rng() % 4);
        ExpectNetMatchesModel(view->Render(), "round " + std::to_string(round));
    }
}

TEST_F(NetView, EachBlockIsRingedInItsSolvedColour) {
    const QImage image = view->Render();
    const CTarnexSource& m = doc->model;
    for (int k = 1; k <= 6; ++k) {
        const FaceletRecord& first = m.FaceletTable[9 * (k - 1)];
        // 3 pixels outside: the ring; 1 pixel outside: background.
        EXPECT_TRUE(ColourNear(image.pixel(first.left + 11, first.top - 3), settings.colourSettings[k], 0, "ring"));
        EXPECT_TRUE(ColourNear(image.pixel(first.left + 11, first.top - 1), settings.colourSettings[0], 0, "gap"));
    }
}

TEST_F(NetView, ShiftClickTurnsTheFaceClockwiseAndCtrlClickAnticlockwise) {
    CTarnexSource& m = doc->model;
    const FaceletRecord& tCell = m.FaceletTable[0];
    NetClick(*doc, tCell.left + 5, tCell.top + 5, true, false);
    EXPECT_EQ(m.animAxis, 'T');
    EXPECT_EQ(m.animAngle, -90);
    EXPECT_EQ(m.commandText.view(), "T+;");
    EXPECT_EQ(doc->model.StickerColour(1, 1, 2), 3) << "T+ brings the right face's colour to the front edge";
    EXPECT_EQ(Statuses(user).back(), "执行了命令:(T+;)，并求出解法。");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->CanUndo());

    NetClick(*doc, tCell.left + 5, tCell.top + 5, false, true);
    EXPECT_EQ(m.animAngle, 90);
    EXPECT_EQ(Statuses(user).back(), "执行了命令:(T-;)，并求出解法。");
    EXPECT_TRUE(PiecesSolved(m.cube));
}

TEST_F(NetView, PlainClickOnTheGapShowsTheTurnHint) {
    const std::string hint = "在展开图中用SHIFT+鼠标单击某面，表示顺时针旋转该面；CTRL+鼠标单击表示逆时针旋转。";
    NetClick(*doc, 5, 5, false, false);
    EXPECT_EQ(Statuses(user), (std::vector<std::string>{"就绪", hint}));
    // With Shift but outside every block the same hint.
    user.Clear();
    NetClick(*doc, 5, 5, true, false);
    EXPECT_EQ(Statuses(user), (std::vector<std::string>{"就绪", hint}));
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(NetView, HitTestsAreStrict) {
    const CTarnexSource& m = doc->model;
    const FaceletRecord& r = m.FaceletTable[13];  // centre of F
    EXPECT_EQ(NetCellAt(m, r.left + 1, r.top + 1), 13);
    EXPECT_EQ(NetCellAt(m, r.left, r.top + 1), -1);
    EXPECT_EQ(FaceBlockAt(m, r.left + 1, r.top + 1), 2);
    EXPECT_EQ(FaceBlockAt(m, m.FaceletTable[9].left, m.FaceletTable[9].top + 5), 0);
    const FaceletRecord& swatch = m.FaceletTable[kNetCellCount + 6];
    EXPECT_EQ(PaletteSwatchAt(m, swatch.left + 1, swatch.top + 1), 7);
    EXPECT_EQ(PaletteSwatchAt(m, swatch.left, swatch.top + 1), 0);
}

TEST_F(NetView, RightClickOnACentreChoosesThatFacesColour) {
    CTarnexSource& m = doc->model;
    // An empty colour queue is a cancelled dialog.
    const FaceletRecord& centreR = m.FaceletTable[22];
    ColourChoice(*doc, centreR.left + 3, centreR.top + 3);
    EXPECT_EQ(Statuses(user), (std::vector<std::string>{"请选择R面的颜色", "就绪"}));
    EXPECT_EQ(settings.colourSettings[3], kSettingDefaults[3].value);

    user.Clear();
    user.colours.push_back(0x123456);
    ColourChoice(*doc, centreR.left + 3, centreR.top + 3);
    EXPECT_EQ(Statuses(user), (std::vector<std::string>{"请选择R面的颜色", "R面颜色设置成功！"}));
    EXPECT_EQ(settings.colourSettings[3], 0x123456);
    EXPECT_EQ(view->Render().pixel(centreR.left + 17, centreR.top + 11) & 0xffffff, 0x563412u) << "red lowest";

    // Turned away from home, the prompt names where the centre now is.
    m.ApplyToken("TF");
    user.Clear();
    const FaceletRecord& centreT = m.FaceletTable[4];
    ColourChoice(*doc, centreT.left + 3, centreT.top + 3);
    ASSERT_FALSE(Statuses(user).empty());
    EXPECT_EQ(Statuses(user).front(), "请选择T面在复原情况下的颜色，它的中心小块在F面，请注意T面外圈的边框 ");
}

TEST_F(NetView, InputModeShowsPaintedFaceletsAndThePalette) {
    CTarnexSource& m = doc->model;
    m.inputMode = -1;
    for (int i = 0; i < kFaceletCount; ++i) m.facelets[i] = i % 9 == 4 ? i % 4 : (i / 9 + 1);
    m.facelets[0] = 9;
    m.facelets[1] = 0;
    const QImage image = view->Render();
    // The pane, narrower than the net with its palette, shows both whole at a smaller scale.
    const double s = view->Scale();
    EXPECT_LT(s, 1);
    auto at = [&](int x, int y) { return image.pixel((QPointF(x, y) * s).toPoint()); };
    const int* colours = settings.colourSettings;
    EXPECT_TRUE(ColourNear(at(m.FaceletTable[0].left + 11, m.FaceletTable[0].top + 11), colours[9], 0, "erase"));
    EXPECT_TRUE(ColourNear(at(m.FaceletTable[1].left + 11, m.FaceletTable[1].top + 11), colours[0], 0, "unpainted"));
    EXPECT_TRUE(ColourNear(at(m.FaceletTable[10].left + 11, m.FaceletTable[10].top + 11), colours[2], 0, "F"));
    for (int i = 1; i <= 8; ++i) {
        const FaceletRecord& r = m.FaceletTable[kNetCellCount + i - 1];
        const int fill = i <= 6 ? colours[i] : (i == 7 ? colours[8] : colours[9]);
        EXPECT_TRUE(ColourNear(at(r.left + 6, r.bottom - 6), fill, 0, "swatch " + std::to_string(i)));
        EXPECT_LE((r.right + 1) * s, view->width()) << "swatch " << i << " whole";
    }
}

}  // namespace
}  // namespace velmora::test
