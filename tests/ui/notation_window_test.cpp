// The international notation in the window: the menu choice redraws the solution
// pane in it, and Ctrl+C in the pane copies the solution in it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "model/move_notation.h"
#include "ui/views/main_frame.h"
#include "ui/views/solution_view.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

class NotationWindow : public AppWindowTest {};

TEST_F(NotationWindow, MenuChoiceShowsTheSolutionInInternationalNotationAndCtrlCCopiesIt) {
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::Ok; });
    QAction* item = Frame().CommandAction(cmd::kInternational);
    ASSERT_TRUE(item && !item->isChecked());
    const QImage own = Frame().SolutionView()->Render();
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_NE(Frame().SolutionView()->Render(), own);
    const QByteArray shot = qgetenv("VELMORA_NOTATION_SHOT");
    if (!shot.isEmpty()) Frame().grab().save(QString::fromLocal8Bit(shot), "PNG");

    QApplication::clipboard()->clear();
    Frame().activateWindow();
    Frame().SolutionView()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return Frame().SolutionView()->hasFocus(); }));
    QTest::keyClick(Frame().SolutionView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              SolutionInInternational(Model().SolutionRecord.view()));

    item->trigger();
    EXPECT_EQ(Frame().SolutionView()->Render(), own);
}

}  // namespace
}  // namespace velmora::test
