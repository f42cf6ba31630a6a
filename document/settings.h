#pragma once
// The persisted settings: the ten screen colours and the chosen solving method, eleven
// integers stored under the section "Settings". The window loads them at start-up
// (each with its default when missing) and writes them back at exit; the document and
// the views read and change them in between.
//
// Colours are 32-bit values with red in the lowest byte, then green, then blue.
// Index 0 background, 1-6 faces T F R P L B, 7 text, 8 border (also spare input
// colour 8), 9 inner (spare input colour 9, erase).
#include <array>
#include <string_view>

namespace velmora {

inline constexpr int kColourCount = 10;
// Index of the method choice among the eleven values.
inline constexpr int kSolveSetting = 10;
inline constexpr int kSettingCount = 11;

struct SettingDefault {
    std::string_view name;  // value name under "Settings"
    int value;
};

inline constexpr std::array<SettingDefault, kSettingCount> kSettingDefaults = {{
    {"BkColor", 15780000},
    {"SideT", 6570495},
    {"SideF", 65535},
    {"SideR", 16737330},
    {"SideP", 15132390},
    {"SideL", 65280},
    {"SideB", 16727295},
    {"TextColor", 0},
    {"BorderColor", 5921370},
    {"InnerColor", 8421504},
    {"Solve", 1},
}};

inline constexpr std::string_view kSettingsOrganization = "Brenlow Software";
inline constexpr std::string_view kSettingsApplication = "Velmora提示";
inline constexpr std::string_view kSettingsSection = "Settings";

// Layout defaults of the application.
inline constexpr int kDefaultZoom = 1;
inline constexpr int kDefaultTurn = -36;
inline constexpr int kDefaultTilt = 27;
inline constexpr int kDefaultSpin = 0;
inline constexpr int kDefaultLeftWidth = 510;
inline constexpr int kDefaultUpperHeight = 376;
inline constexpr int kDefaultWindowWidth = 800;
inline constexpr int kDefaultWindowHeight = 572;

// The pace of the automatic demonstration, milliseconds per turn: 2,400 slow, 1,600
// (the default) medium, 800 fast. Kept under "Settings" beside the eleven values.
inline constexpr int kDefaultDemoInterval = 1600;
inline constexpr std::string_view kDemoIntervalName = "DemoSpeed";
inline constexpr bool IsDemoInterval(int ms) { return ms == 2400 || ms == 1600 || ms == 800; }

// Learn mode (查看 › 讲解模式): 1 on, 0 off; kept under "Settings" beside the eleven values.
inline constexpr std::string_view kLearnModeName = "LearnMode";
inline constexpr int kDefaultLearnMode = 0;

struct VelmoraSettings {
    int colourSettings[kColourCount];
    int solve;
    int demoInterval = kDefaultDemoInterval;
    int learnMode = kDefaultLearnMode;

    VelmoraSettings() { SetDefaults(); }
    void SetDefaults() {
        for (int i = 0; i < kSettingCount; ++i) Set(i, kSettingDefaults[i].value);
    }
    void SetDefaultColours() {
        for (int i = 0; i < kColourCount; ++i) colourSettings[i] = kSettingDefaults[i].value;
    }
    // The eleven values by index 0-10 in the order of kSettingDefaults.
    int Get(int i) const { return i == kSolveSetting ? solve : colourSettings[i]; }
    void Set(int i, int v) { (i == kSolveSetting ? solve : colourSettings[i]) = v; }
};

}  // namespace velmora
