// Copying a real cube into the window: painting its 54 stickers on the net pane with
// the mouse, or typing them into the input tool from the 3D pane, then ending input
// and checking the solution with the move engine. The input tool and the
// description-code dialog on their own.
//
// With VELMORA_SHOT_DIR set, the tests leave screenshots of what they show there.
#include <algorithm>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <random>

#include "document/command_table.h"
#include "document/input_tool.h"
#include "document/pane_text.h"
#include "document/velmora_doc.h"
#include "model/facelet_string.h"
#include "support/model_fixture.h"
#include "ui/app/velmora_app.h"
#include "ui/dialogs/code_dialog.h"
#include "ui/dialogs/input_tool_dialog.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "ui/views/net_view.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

// The toolbar place of the input button (start or end input).
int InputButtonPlace() {
    const auto layout = ToolbarLayout();
    return static_cast<int>(std::find(layout.begin(), layout.end(), cmd::kStartInput) - layout.begin());
}

void Shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("VELMORA_SHOT_DIR");
    if (dir.isEmpty()) return;
    w.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name), "PNG");
}


class CubeInputWindow : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        if (IsSkipped()) return;
        // No preset on the start question; OK on every message.
        StartApp({}, [this](std::string_view text, Buttons buttons, Icon) {
            messages.emplace_back(text);
            return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
        });
    }


    // An upright scrambled position, solved; returns its code and leaves its net in net.
    std::string Scramble(int (&net)[kFaceletCount], unsigned seed) {
        std::mt19937 rng(seed);
        Model().ResetCube();
        RandomTurns(Model(), rng, 40);
        Model().ExecuteAndSolve();
        Model().BeginInput(2);
        std::copy(std::begin(Model().facelets), std::end(Model().facelets), net);
        return CodeOf(Model().cube);
    }
    void ClickInputButton() {
        QToolBar* bar = Frame().ToolBar();
        const int id = Model().inputMode == -1 ? cmd::kEndInput : cmd::kStartInput;
        QWidget* button = bar->widgetForAction(Frame().CommandAction(id));
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        Pump(30);
    }
    static QPoint Middle(const FaceletRecord& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    // The middle of a cell on the net pane, which draws the input net at its own scale.
    QPoint OnNet(const FaceletRecord& r) { return (QPointF(Middle(r)) * Frame().NetView()->Scale()).toPoint(); }
    // The solution applied by the move engine to the entered position restores it.
    void ExpectSolutionRestores(const std::string& code) {
        EXPECT_EQ(CodeOf(Model().cube), code);
        CTarnexSource check;
        check.InitCubeModel();
        check.cube = Model().cube;
        check.RunMoveString(0, Model().SolutionRecord.view().substr(kRecordMovesStart));
        EXPECT_TRUE(PiecesSolved(check.cube)) << Model().SolutionRecord.c_str();
    }

    std::vector<std::string> messages;
};

TEST_F(CubeInputWindow, FiftyFourClicksOnTheNetPaneEnterAScrambledCube) {
    int net[kFaceletCount];
    const std::string wanted = Scramble(net, 5);
    Model().ResetCube();
    Model().ExecuteAndSolve();
    messages.clear();

    ClickInputButton();
    ASSERT_EQ(Model().inputMode, -1);
    EXPECT_EQ(messages, std::vector<std::string>{"开始输入魔方。是否预设成当前魔方的图案？"});
    EXPECT_EQ(Frame().ToolbarCommandAt(InputButtonPlace()), cmd::kEndInput);
    EXPECT_TRUE(Frame().CommandAction(cmd::kEndInput)->isChecked());
    EXPECT_FALSE(Frame().CommandAction(cmd::kFileSave)->isEnabled());
    EXPECT_FALSE(Frame().CommandAction(cmd::kStepForward)->isEnabled());

    // A window wide enough for the whole palette beside the net, as the user makes it.
    Frame().resize(1200, 572);
    Pump(50);
    QWidget* pane = Frame().NetView();
    const CTarnexSource& m = Model();
    ASSERT_TRUE(pane->rect().contains(OnNet(m.FaceletTable[kNetCellCount + kPaletteCellCount - 1])));
    for (int i = 0; i < kFaceletCount; ++i) {
        if (i % 9 == 4) {
            for (int n = 0; n < 4 && m.facelets[i] != net[i]; ++n)
                QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, OnNet(m.FaceletTable[i]));
            continue;
        }
        const int swatch = net[i] <= 6 ? net[i] : net[i] - 1;
        QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, OnNet(m.FaceletTable[kNetCellCount + swatch - 1]));
        QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, OnNet(m.FaceletTable[i]));
    }
    for (int i = 0; i < kFaceletCount; ++i) ASSERT_EQ(m.facelets[i], net[i]) << i;
    // The last sticker painted, named by face, row, column and colour.
    EXPECT_EQ(Frame().Message(), Text(NetCellName(m, 53, app->settings.colourSettings)));
    Pump(50);
    Shot(Frame(), "input_net_pane.png");

    // The painted net in the net pane: one sticker's colour, read from the screen.
    const QImage picture = Frame().NetView()->grab().toImage();
    const FaceletRecord& r = m.FaceletTable[0];
    EXPECT_TRUE(ColourNear(picture.pixel(OnNet(r)), app->settings.colourSettings[net[0]], 0, "cell 0"));

    messages.clear();
    ClickInputButton();
    EXPECT_EQ(messages.front(), "魔方设置成功！");
    EXPECT_EQ(Model().inputMode, 0);
    EXPECT_EQ(Frame().ToolbarCommandAt(InputButtonPlace()), cmd::kStartInput);
    EXPECT_TRUE(Frame().CommandAction(cmd::kFileSave)->isEnabled());
    ExpectSolutionRestores(wanted);
}

TEST_F(CubeInputWindow, TheInputToolFromThe3dPaneTakesAPastedFaceletString) {
    int net[kFaceletCount];
    const std::string wanted = Scramble(net, 8);
    char facelets[55];
    WriteFaceletString(Model(), true, facelets);
    Model().ResetCube();
    Model().ExecuteAndSolve();

    ClickInputButton();
    ASSERT_EQ(Model().inputMode, -1);
    CTarnex3dView* pane = Frame().CubeView();
    // The 3D pane shows the net and paints it like the net pane.
    const FaceletRecord& swatchR = Model().FaceletTable[kNetCellCount + 2];
    QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, Middle(swatchR));
    QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, Middle(Model().FaceletTable[0]));
    EXPECT_EQ(Model().facelets[0], 3);
    EXPECT_EQ(app->doc->inCursor, 1);
    Pump(50);
    Shot(Frame(), "input_3d_pane.png");

    bool opened = false;
    app->user.inputToolHook = [&](InputToolDialog& dialog) {
        opened = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("用户输入魔方工具"));
        EXPECT_TRUE(dialog.ChoiceButton(InputToolState::Choice::Typed)->isChecked());
        QLineEdit* field = dialog.TextField();
        // A quick edit, then the user's own paste over it.
        dialog.ChoiceButton(InputToolState::Choice::EraseAll)->click();
        EXPECT_EQ(field->text(), Text(kErasedToolText));
        EXPECT_TRUE(dialog.CentreBox()->isChecked());
        // Pasted into the full line at its end.
        field->end(false);
        field->insert(QString::fromLatin1(facelets));
        EXPECT_TRUE(dialog.ChoiceButton(InputToolState::Choice::Typed)->isChecked());
        EXPECT_EQ(field->text().size(), 54);
        EXPECT_FALSE(field->text().contains(QLatin1Char('u')));
        Pump(30);
        Shot(dialog, "input_tool.png");
        return true;
    };
    QTest::mouseDClick(pane, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(opened);
    EXPECT_EQ(app->doc->inputRing[app->doc->inCursor % kHistoryCapacity].marker, '#');

    // The string has no centre marks: set the four that the cube carries by clicks.
    for (int k = 1; k <= 6; ++k)
        while (Model().facelets[4 + 9 * (k - 1)] != net[4 + 9 * (k - 1)])
            QTest::mouseClick(pane, Qt::LeftButton, Qt::NoModifier, Middle(Model().FaceletTable[4 + 9 * (k - 1)]));
    ClickInputButton();
    EXPECT_EQ(Model().inputMode, 0);
    ExpectSolutionRestores(wanted);
}

TEST(CodeDialogWindow, ShowsSelectableTextAndClosesWithEscape) {
    REQUIRE_DISPLAY();
    CodeDialog dialog(QStringLiteral("cdfbaegh\r\nUF UR"), Text("第一行是JAVA工具的涂色参数描述；\r\n第二行是ACUBE输入描述。"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Velmora描述代码"));
    QPlainTextEdit* code = dialog.CodeBox();
    EXPECT_EQ(code->document()->blockCount(), 2);
    EXPECT_TRUE(code->isReadOnly());
    EXPECT_TRUE(code->textInteractionFlags() & Qt::TextSelectableByMouse);
    QTest::keyClicks(code, QStringLiteral("xyz"));
    EXPECT_EQ(code->toPlainText(), QStringLiteral("cdfbaegh\nUF UR"));
    Shot(dialog, "code_dialog.png");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace velmora::test
