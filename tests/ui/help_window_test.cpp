// The help window on F1: the manual's sections, the search field, the About box's line
// from the same text, the command line as velmora --help gives it; and the title's
// unsaved-changes mark.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cstdlib>

#include "document/command_table.h"
#include "document/velmora_doc.h"
#include "ui/app/velmora_app.h"
#include "ui/dialogs/help_window.h"
#include "ui/views/main_frame.h"
#include "app_window_fixture.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

class Help : public AppWindowTest {
protected:
    void Start() {
        StartApp({}, [](std::string_view, Buttons buttons, Icon) {
            return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
        });
    }
    HelpWindow* Shown() const {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible()) return h;
        return nullptr;
    }
    // A picture for a person to look at, when VELMORA_HELP_SHOTS names a folder.
    static void Keep(QWidget* w, const char* name) {
        if (const char* dir = std::getenv("VELMORA_HELP_SHOTS")) {
            Pump(200);
            EXPECT_TRUE(w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name)));
        }
    }
};

TEST_F(Help, F1OpensTheManualWhoseSearchKeepsTheSectionsThatHoldTheWords) {
    Start();
    ASSERT_EQ(Shown(), nullptr);
    ASSERT_TRUE(Frame().HandleAccelerator(Qt::Key_F1, Qt::NoModifier, QString()));
    HelpWindow* help = Shown();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    const Manual& manual = UserManual();
    ASSERT_GE(manual.sections.size(), 12u);
    EXPECT_EQ(help->ListedHeadings().size(), static_cast<qsizetype>(manual.sections.size()));
    EXPECT_EQ(help->ShownSection(), 0);
    Keep(help, "help_window.png");

    help->Search(QStringLiteral("摄像头"));
    EXPECT_TRUE(help->ListedHeadings().contains(Text("输入魔方：摄像头")));
    EXPECT_LT(help->ListedHeadings().size(), static_cast<qsizetype>(manual.sections.size()));
    EXPECT_TRUE(help->ShownText().contains(Text("摄像头")));
    help->Search(QStringLiteral("ctrl+s"));
    EXPECT_TRUE(help->ListedHeadings().contains(Text("文件")));
    EXPECT_TRUE(help->ListedHeadings().contains(Text("按键")));
    Keep(help, "help_window_search.png");
    help->Search(QStringLiteral("没有这样的词语xyz"));
    EXPECT_TRUE(help->ListedHeadings().isEmpty());
    EXPECT_EQ(help->ShownSection(), -1);
    help->Search(QString());

    // A second F1 brings the same window back rather than another one.
    help->close();
    Frame().Dispatch(cmd::kHelp);
    EXPECT_EQ(Shown(), help);
    help->close();
}

// The command-line section names every option velmora --help prints.
TEST_F(Help, TheManualNamesEveryOptionOfTheCommandLine) {
    Start();
    QProcess p;
    p.start(QStringLiteral(VELMORA_GUI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(10000));
    const QString usage = QString::fromUtf8(p.readAllStandardOutput());
    QString section;
    for (const ManualSection& s : UserManual().sections)
        if (s.heading == "命令行") section = Text(s.PlainText());
    ASSERT_FALSE(section.isEmpty());
    const QRegularExpression option(QStringLiteral("--[a-z-]+"));
    int options = 0;
    for (auto it = option.globalMatch(usage); it.hasNext(); ++options) {
        const QString o = it.next().captured();
        EXPECT_TRUE(section.contains(o)) << o.toStdString();
    }
    EXPECT_GE(options, 6);
}

// The title carries the unsaved-changes mark while the document has changes.
TEST_F(Help, TheTitleMarksUnsavedChanges) {
    Start();
    EXPECT_TRUE(Frame().windowTitle().endsWith(QStringLiteral("[*]")));
    EXPECT_FALSE(Frame().isWindowModified());
    app->doc->RunTypedCommand("R+");
    EXPECT_TRUE(Frame().isWindowModified());
    app->doc->OnCommand(cmd::kFileNew);  // not saved: the question is answered No
    EXPECT_FALSE(Frame().isWindowModified());
    app->doc->OnCommand(cmd::kEightCornerMethod);
    EXPECT_TRUE(Frame().isWindowModified());
    app->doc->SetModifiedFlag(false);
    EXPECT_FALSE(Frame().isWindowModified());
}

}  // namespace
}  // namespace velmora::test
