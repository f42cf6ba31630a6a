#include "ui/app/settings_store.h"

#include <QSettings>

#include "document/command_table.h"
#include "document/settings.h"
#include "ui/views/file_names.h"

namespace velmora {
namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }


const QString kRecentGroup = QStringLiteral("Recent File List");

}  // namespace

void LoadSettings(VelmoraSettings& settings, std::vector<std::string>& recentFiles) {
    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    store.beginGroup(Text(kSettingsSection));
    for (int i = 0; i < kSettingCount; ++i) {
        bool ok = false;
        const int value = store.value(Text(kSettingDefaults[i].name), kSettingDefaults[i].value).toInt(&ok);
        settings.Set(i, ok ? value : kSettingDefaults[i].value);
    }
    // The demonstration's pace: one of its three values, else the default.
    bool paceOk = false;
    const int pace = store.value(Text(kDemoIntervalName), kDefaultDemoInterval).toInt(&paceOk);
    settings.demoInterval = paceOk && IsDemoInterval(pace) ? pace : kDefaultDemoInterval;
    // Learn mode: 1 on, anything else off.
    settings.learnMode = store.value(Text(kLearnModeName), kDefaultLearnMode).toInt() == 1 ? 1 : 0;
    store.endGroup();

    recentFiles.clear();
    store.beginGroup(kRecentGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string path = PathOfSettingValue(store.value(QStringLiteral("File%1").arg(i)));
        if (!path.empty()) recentFiles.push_back(path);
    }
    store.endGroup();
}

void SaveSettings(const VelmoraSettings& settings, const std::vector<std::string>& recentFiles) {
    QSettings store(Text(kSettingsOrganization), Text(kSettingsApplication));
    store.beginGroup(Text(kSettingsSection));
    for (int i = 0; i < kSettingCount; ++i) store.setValue(Text(kSettingDefaults[i].name), settings.Get(i));
    store.setValue(Text(kDemoIntervalName), settings.demoInterval);
    store.setValue(Text(kLearnModeName), settings.learnMode != 0 ? 1 : 0);
    store.endGroup();

    store.beginGroup(kRecentGroup);
    store.remove(QString());
    for (int i = 0; i < kRecentFileCount && i < static_cast<int>(recentFiles.size()); ++i)
        store.setValue(QStringLiteral("File%1").arg(i + 1), PathSettingValue(recentFiles[i]));
    store.endGroup();
    store.sync();
}

}  // namespace velmora
