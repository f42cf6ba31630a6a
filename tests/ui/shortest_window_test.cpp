// The shortest method in the window: its radio item, the "Solve" value it leaves at
// exit, and a start with that value solving the first deal by it.
#include <QAction>
#include <QSettings>
#include <QTest>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/gl/tarnex_3d_view.h"
#include "ui/views/main_frame.h"
#include "support/model_fixture.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

class ShortestWindow : public AppWindowTest {
protected:
    void Start() {
        StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::Ok; });
    }
};

TEST_F(ShortestWindow, ChosenMethodIsSavedAsThreeAndSolvesTheFirstDealOfTheNextStart) {
    Start();
    QAction* item = app->frame->CommandAction(cmd::kShortestMethod);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().toStdString().rfind("最少步解法(&3)", 0), 0u);
    app->frame->Dispatch(cmd::kShortestMethod);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(app->doc->model.methodUsed, 3);
    app->Exit();
    app.reset();

    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    EXPECT_EQ(store.value(QStringLiteral("Settings/Solve")).toInt(), 3);

    Start();
    EXPECT_EQ(app->doc->model.methodChoice, 3);
    EXPECT_EQ(app->doc->model.methodUsed, 3);
    EXPECT_LE(app->doc->model.lastSolveTurns, 20);
    EXPECT_TRUE(app->frame->CommandAction(cmd::kShortestMethod)->isChecked());
}

}  // namespace
}  // namespace velmora::test
