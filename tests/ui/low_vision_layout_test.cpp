// A larger window for low vision: the cube and the net grow with it in the designed
// proportions, and the restore brings the designed layout back.
#include <QSplitter>
#include <QTest>
#include <cstdlib>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "ui/views/main_frame.h"

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

}  // namespace
}  // namespace velmora::test
