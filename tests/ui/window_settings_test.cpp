// The window's own settings across starts: the notation, the window's size, the panes'
// sizes and the last folders, kept beside the eleven values without changing them.
#include <QSettings>
#include <QSplitter>

#include "document/velmora_doc.h"
#include "app_window_fixture.h"
#include "document/command_table.h"
#include "document/settings.h"

namespace velmora::test {
namespace {

class WindowSettingsKept : public AppWindowTest {
protected:
    void Start() {
        StartApp({}, [](std::string_view, Buttons, Icon) { return Answer::No; });
        Pump(30);
    }
    void Restart() {
        app->Exit();
        app->frame->quitting = true;
        app.reset();
        Start();
    }
};

TEST_F(WindowSettingsKept, NotationSizesAndFoldersComeBackAtTheNextStart) {
    Start();
    EXPECT_FALSE(Frame().CommandAction(cmd::kInternational)->isChecked());
    Frame().Dispatch(cmd::kInternational);
    Frame().resize(683, 700);
    Pump(30);
    Frame().OuterSplitter()->setSizes({300, Frame().OuterSplitter()->height() - 300});
    Frame().InnerSplitter()->setSizes({350, Frame().InnerSplitter()->width() - 350});
    const QList<int> outer = Frame().OuterSplitter()->sizes(), inner = Frame().InnerSplitter()->sizes();
    const QSize size = Frame().size();
    app->user.fileFolder = QStringLiteral("/tmp/魔方文件");
    app->user.photoFolder = QStringLiteral("/tmp/照片");

    Restart();
    EXPECT_TRUE(app->doc->internationalShown);
    EXPECT_TRUE(Frame().CommandAction(cmd::kInternational)->isChecked());
    EXPECT_EQ(Frame().size(), size);
    EXPECT_EQ(Frame().OuterSplitter()->sizes(), outer);
    EXPECT_EQ(Frame().InnerSplitter()->sizes(), inner);
    EXPECT_EQ(app->user.fileFolder, QStringLiteral("/tmp/魔方文件"));
    EXPECT_EQ(app->user.photoFolder, QStringLiteral("/tmp/照片"));

    // The "*" key's designed layout still holds, and is what the next start gets.
    Frame().RestoreLayout();
    Frame().Dispatch(cmd::kInternational);
    Restart();
    EXPECT_FALSE(app->doc->internationalShown);
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), kDefaultUpperHeight);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), kDefaultLeftWidth);

    // The eleven values keep their names and integers; ours sit beside them.
    app->Exit();
    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    for (const SettingDefault& d : kSettingDefaults)
        EXPECT_EQ(store.value(QStringLiteral("Settings/") + Text(d.name)).toInt(), d.value) << d.name.data();
    EXPECT_EQ(store.value(QStringLiteral("Settings/International")).toInt(), 0);
    EXPECT_FALSE(store.value(QStringLiteral("Window/Geometry")).toByteArray().isEmpty());
}

TEST_F(WindowSettingsKept, DamagedWindowValuesLeaveTheDesignedLayout) {
    {
        QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
        store.setValue(QStringLiteral("Window/Geometry"), QByteArray("not a geometry"));
        store.setValue(QStringLiteral("Window/OuterSplitter"), QByteArray("\x01\x02", 2));
        store.setValue(QStringLiteral("Settings/International"), QStringLiteral("yes"));
        store.sync();
    }
    Start();
    EXPECT_FALSE(app->doc->internationalShown);
    EXPECT_EQ(Frame().OuterSplitter()->sizes().value(0), kDefaultUpperHeight);
    EXPECT_EQ(Frame().InnerSplitter()->sizes().value(0), kDefaultLeftWidth);
}

}  // namespace
}  // namespace velmora::test
