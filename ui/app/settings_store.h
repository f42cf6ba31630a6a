#pragma once
// The eleven persisted integers, the demonstration's pace ("DemoSpeed"), learn mode
// ("LearnMode", 0 or 1) and the
// recent-file list, kept with QSettings under
// the organisation "Brenlow Software", the application "Velmora提示" and the group
// "Settings" (the recent files under "Recent File List", File1-File8).
#include <string>
#include <vector>

namespace velmora {

struct VelmoraSettings;

// Reads every value with its default when missing.
void LoadSettings(VelmoraSettings& settings, std::vector<std::string>& recentFiles);
// Writes every value back.
void SaveSettings(const VelmoraSettings& settings, const std::vector<std::string>& recentFiles);

}  // namespace velmora
