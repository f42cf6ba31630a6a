// The fewest-turns search in the window: the status bar shows the length being
// searched while the worker runs, the stop button and Esc stop it and keep the shown
// solution. The worker is waited for; nothing depends on how fast it is. With
// VELMORA_SHOT_DIR set, the window is also saved as a picture during the search.
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "document/velmora_doc.h"

namespace velmora::test {
namespace {

class OptimalWindow : public AppWindowTest {};

TEST_F(OptimalWindow, StatusBarShowsTheSearchAndEscStopsItKeepingTheSolution) {
    ::setenv("XDG_CACHE_HOME", (std::filesystem::temp_directory_path() / "velmora-test-cache").c_str(), 1);
    StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::Ok; });
    Model().optimalRequest.tableSize = 0;
    Model().ResetCube();
    // Every edge flipped in place: twenty turns, a search far longer than this test.
    Model().RunMoveString(0, "T+;R*;F+;P+;R+;P*;R+;T*;L+;P*;R+;T-;B-;R*;F+;R-;L+;P*;T*;F*;");
    Frame().Dispatch(cmd::kFindOptimal);
    const std::string shown = Model().SolutionRecord.c_str();
    auto* message = Frame().findChild<QLabel*>(QStringLiteral("messagePane"));
    ASSERT_NE(message, nullptr);
    // Past the table load: the status bar names the length being searched.
    ASSERT_TRUE(WaitFor([&] { return message->text().startsWith(QString::fromUtf8("最少步数：正在搜索")); }, 600000));
    auto* stop = Frame().findChild<QPushButton*>(QStringLiteral("stopOptimalButton"));
    ASSERT_NE(stop, nullptr);
    ASSERT_TRUE(WaitFor([&] { return stop->isVisible(); }));
    if (const char* dir = std::getenv("VELMORA_SHOT_DIR")) {
        QTest::qWait(4000);
        Frame().grab().save(QString::fromUtf8(dir) + QStringLiteral("/optimal_search_status.png"));
    }
    QTest::keyClick(&Frame(), Qt::Key_Escape);
    app->doc->OptimalWorker().Wait();
    ASSERT_TRUE(WaitFor([&] { return !stop->isVisible(); }));
    EXPECT_EQ(std::string(Model().SolutionRecord.c_str()), shown);
    EXPECT_TRUE(message->text().startsWith(QString::fromUtf8("已停止"))) << message->text().toStdString();
}

}  // namespace
}  // namespace velmora::test
