// The About box tells the user where the solve log is and how saving treats the file.
#include <gtest/gtest.h>

#include <QImage>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <cstdlib>
#include <string_view>

#include "ui/dialogs/about_dialog.h"
#include "ui_test_support.h"

namespace velmora::test {
namespace {

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

TEST(AboutLogText, NamesTheSolveLogAndItsFallbackFolder) {
    REQUIRE_DISPLAY();
    AboutDialog about;
    const QString help = about.HelpText();
    for (const char* part : {"velmora_log.mf", "$XDG_STATE_HOME/velmora", "~/.local/state/velmora", "只读"})
        EXPECT_TRUE(help.contains(Utf8(part))) << part;
    // A picture of the passage for a person to look at, when asked for.
    if (const char* shot = std::getenv("VELMORA_ABOUT_SHOT")) {
        about.show();
        auto* edit = about.findChild<QPlainTextEdit*>();
        ASSERT_NE(edit, nullptr);
        QTextCursor at = edit->document()->find(Utf8("【自动记录】"));
        edit->setTextCursor(at);
        edit->centerCursor();
        Pump(200);
        EXPECT_TRUE(about.grab().toImage().save(QString::fromLocal8Bit(shot)));
    }
}

}  // namespace
}  // namespace velmora::test
