// The paste command in the window: a printed scramble on the clipboard reaches its first
// demonstrated move in three keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/views/net_view.h"
#include "app_window_fixture.h"
#include "ui/dialogs/paste_cube_dialog.h"

namespace velmora::test {
namespace {

constexpr std::string_view kScramble = "D2 B2 U' F2 U2 L2 D' F2 R2 U R2 F' L' U' R F' D' U2 B L2 R'";

class PasteCubeWindow : public AppWindowTest {
protected:
    void Start() {
        StartApp({}, [](std::string_view, Buttons b, Icon) {
            return b == Buttons::YesNoCancel ? Answer::No : SilentUser::FirstButton(b);
        });
    }
    void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
        if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + QLatin1String(name));
    }
};

TEST_F(PasteCubeWindow, ScrambleOnTheClipboardIsDemonstratedAfterThreeKeys) {
    Start();
    QApplication::clipboard()->setText(Text(kScramble));
    QWidget* view = Frame().CubeView();
    view->setFocus();
    std::string opened, line;
    bool okEnabled = false;
    QElapsedTimer clock;
    qint64 shownMs = -1;
    app->user.pasteHook = [&](PasteCubeDialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        shownMs = clock.elapsed();
        opened = d.Text();
        line = d.Line()->text().toStdString();
        okEnabled = d.OkButton()->isEnabled();
        Shot(d, "paste_dialog.png");
        QTest::keyClick(d.Field(), Qt::Key_Return);
        return d.result() == QDialog::Accepted;
    };
    clock.start();
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    const qint64 solvedMs = clock.elapsed();
    EXPECT_EQ(opened, kScramble);
    EXPECT_EQ(line, "识别为打乱公式：21步，21转。");
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(Model().lastSolveResult, 1);
    EXPECT_TRUE(app->doc->IsModified());
    EXPECT_TRUE(app->doc->PathName().empty());
    EXPECT_EQ(Frame().Message(), Text("已经粘贴魔方：打乱公式21步，21转，并求出解法。"));

    // Down: the first move of the solution, turned by the animation timer's ticks.
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_GT(Model().demoPos, kRecordMovesStart);
    EXPECT_NE(Model().animAngle, 0);
    int ticks = 0;
    while (Model().animAngle != 0 && ticks < 100) {
        Frame().CubeView()->AnimationTick();
        ++ticks;
    }
    EXPECT_EQ(Model().animAngle, 0);
    Shot(Frame(), "paste_first_move.png");
    std::printf("paste_keys: Ctrl+Shift+V Enter Down\ndialog_shown_ms: %lld\nsolved_ms: %lld\n"
                "first_move_ticks: %d (50 ms each)\n",
                static_cast<long long>(shownMs), static_cast<long long>(solvedMs), ticks);
}

TEST_F(PasteCubeWindow, CtrlVInTheNetShowsAnyClipboardTextAndChangesNothingOnCancel) {
    Start();
    const std::string before = CodeOf(Model().startState);
    QApplication::clipboard()->setText(QStringLiteral("[R,U,F]"));
    QWidget* net = Frame().NetView();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    net->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), net);
    std::string opened, line;
    bool okEnabled = true;
    app->user.pasteHook = [&](PasteCubeDialog& d) {
        opened = d.Text();
        line = d.Line()->text().toStdString();
        okEnabled = d.OkButton()->isEnabled();
        return false;
    };
    QTest::keyClick(net, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(opened, "[R,U,F]");
    EXPECT_EQ(line, "括号中只能有一个逗号或冒号：“,”（第 5 个字符）");
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(CodeOf(Model().startState), before);

    // A text dropped on the window opens the dialog with it.
    QMimeData dropped;
    dropped.setText(QStringLiteral("R U R' U'"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_EQ(opened, "R U R' U'");
    EXPECT_EQ(line, "识别为打乱公式：4步，4转。");
    EXPECT_TRUE(okEnabled);
    // The toolbar carries the command beside 打开.
    EXPECT_NE(Frame().CommandAction(cmd::kPasteCube), nullptr);
}

}  // namespace
}  // namespace velmora::test
