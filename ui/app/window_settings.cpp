#include "ui/app/window_settings.h"

#include <QSettings>
#include <QSplitter>

#include "document/settings.h"
#include "document/velmora_doc.h"
#include "ui/app/qt_user_port.h"
#include "ui/views/main_frame.h"
#include "ui/views/pane_drawing.h"

namespace velmora {
namespace {

const QString kInternationalKey = QStringLiteral("International");
const QString kWindowGroup = QStringLiteral("Window");
const QString kFolderGroup = QStringLiteral("Folders");


}  // namespace

WindowSettings LoadWindowSettings() {
    QSettings store(Utf8(kSettingsOrganization), Utf8(kSettingsApplication));
    WindowSettings s;
    store.beginGroup(Utf8(kSettingsSection));
    s.international = store.value(kInternationalKey, 0).toInt() == 1;
    store.endGroup();
    store.beginGroup(kWindowGroup);
    s.geometry = store.value(QStringLiteral("Geometry")).toByteArray();
    s.state = store.value(QStringLiteral("State")).toByteArray();
    s.outerSplitter = store.value(QStringLiteral("OuterSplitter")).toByteArray();
    s.innerSplitter = store.value(QStringLiteral("InnerSplitter")).toByteArray();
    store.endGroup();
    store.beginGroup(kFolderGroup);
    s.fileFolder = store.value(QStringLiteral("Files")).toString();
    s.photoFolder = store.value(QStringLiteral("Photos")).toString();
    store.endGroup();
    return s;
}

void SaveWindowSettings(const WindowSettings& s) {
    QSettings store(Utf8(kSettingsOrganization), Utf8(kSettingsApplication));
    store.beginGroup(Utf8(kSettingsSection));
    store.setValue(kInternationalKey, s.international ? 1 : 0);
    store.endGroup();
    store.beginGroup(kWindowGroup);
    store.setValue(QStringLiteral("Geometry"), s.geometry);
    store.setValue(QStringLiteral("State"), s.state);
    store.setValue(QStringLiteral("OuterSplitter"), s.outerSplitter);
    store.setValue(QStringLiteral("InnerSplitter"), s.innerSplitter);
    store.endGroup();
    store.beginGroup(kFolderGroup);
    store.setValue(QStringLiteral("Files"), s.fileFolder);
    store.setValue(QStringLiteral("Photos"), s.photoFolder);
    store.endGroup();
    store.sync();
}

WindowSettings CaptureWindowSettings(const CMainFrame& frame, const CVelmoraDoc& doc, const QtUserPort& user) {
    WindowSettings s;
    s.international = doc.internationalShown;
    s.geometry = frame.saveGeometry();
    s.state = frame.saveState();
    s.outerSplitter = frame.OuterSplitter()->saveState();
    s.innerSplitter = frame.InnerSplitter()->saveState();
    s.fileFolder = user.fileFolder;
    s.photoFolder = user.photoFolder;
    return s;
}

void ApplyWindowSettings(const WindowSettings& s, CMainFrame& frame, CVelmoraDoc& doc, QtUserPort& user) {
    doc.internationalShown = s.international;
    user.fileFolder = s.fileFolder;
    user.photoFolder = s.photoFolder;
    bool restored = false;
    if (!s.geometry.isEmpty()) restored = frame.restoreGeometry(s.geometry) || restored;
    if (!s.state.isEmpty()) frame.restoreState(s.state);
    if (!s.outerSplitter.isEmpty()) restored = frame.OuterSplitter()->restoreState(s.outerSplitter) || restored;
    if (!s.innerSplitter.isEmpty()) restored = frame.InnerSplitter()->restoreState(s.innerSplitter) || restored;
    // The kept layout wins over the designed one the first decorated resize would fit.
    if (restored) frame.KeepCurrentLayout();
    frame.UpdateCommandStates();
    frame.RedrawAll();
}

}  // namespace velmora
