// A larger window for low vision: the cube and the net grow with it in the designed
// proportions, and the restore brings the designed layout back.
#include <QSplitter>
#include <QTest>
#include <cstdlib>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "ui/views/main_frame.h"
#include "ui/views/net_view.h"

namespace velmora::test {
namespace {

class LowVision : public AppWindowTest {};

TEST_F(LowVision, AllPanesGrowInProportionAndTheRestoreStillHolds) {
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::No; });
    const QList<int> outer = Frame().OuterSplitter()->sizes(), inner = Frame().InnerSplitter()->sizes();
    Frame().resize(Frame().size() * 2);
    Pump(100);
    const QList<int> bigOuter = Frame().OuterSplitter()->sizes(), bigInner = Frame().InnerSplitter()->sizes();
    // The cube pane grows too, keeping its share of each splitter within a few pixels.
    EXPECT_GT(bigOuter[0], outer[0] * 3 / 2);
    EXPECT_GT(bigInner[0], inner[0] * 3 / 2);
    EXPECT_NEAR(double(bigOuter[0]) / (bigOuter[0] + bigOuter[1]), double(outer[0]) / (outer[0] + outer[1]), 0.02);
    EXPECT_NEAR(double(bigInner[0]) / (bigInner[0] + bigInner[1]), double(inner[0]) / (inner[0] + inner[1]), 0.02);
    if (const char* shot = std::getenv("VELMORA_LAYOUT_SHOT")) Frame().grab().save(QString::fromLocal8Bit(shot));
    Frame().RestoreLayout();
    Pump(50);
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), 376);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), 510);
}

// The focused pane is framed; in cube input the keys move a framed cursor and paint.
TEST_F(LowVision, TheFocusedPaneIsFramedAndTheKeyboardPaintsTheNet) {
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::No; });
    Frame().Dispatch(cmd::kStartInput);
    ASSERT_EQ(Model().inputMode, -1);
    CVelmoraView* net = Frame().NetView();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    Frame().FocusPane(1);
    ASSERT_TRUE(WaitFor([&] { return net->hasFocus(); }));
    QTest::keyClick(net, Qt::Key_Home);
    QTest::keyClick(net, Qt::Key_Right);
    const int cell = net->CursorCell();
    EXPECT_NE(cell, 0);
    QTest::keyClick(net, Qt::Key_3);
    QTest::keyClick(net, Qt::Key_Return);
    EXPECT_EQ(Model().facelets[cell], 3);
    const int ink = app->settings.colourSettings[7];
    const QImage framed = net->grab().toImage();
    if (const char* shot = std::getenv("VELMORA_INPUT_SHOT")) framed.save(QString::fromLocal8Bit(shot));
    EXPECT_TRUE(ColourNear(framed.pixel(1, 1), ink, 40, "focus frame"));
    const QRect ring = net->CellRect(cell).adjusted(-3, -3, 3, 3);
    EXPECT_TRUE(ColourNear(framed.pixel(ring.center().x(), ring.top()), ink, 40, "cursor frame"));
    Frame().FocusPane(1);
    ASSERT_TRUE(WaitFor([&] { return !net->hasFocus(); }));
    EXPECT_FALSE(ColourNear(net->grab().toImage().pixel(1, 1), ink, 40, ""));
}

}  // namespace
}  // namespace velmora::test
