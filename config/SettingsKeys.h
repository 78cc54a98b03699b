#pragma once
// Every key of the settings file in one place: its section, its name, the
// value a first run writes and the rule start-up repairs it with. Readers take
// their key from here, so no key is ever spelled twice.
#include <array>
#include <string_view>

namespace ruvo {

inline constexpr std::string_view kSettingsFileName = "config.dll";
inline constexpr std::string_view kInstalledVersion = "1.0";

enum class RepairRule {
    None,
    NewIdentity,      // "0" or empty: a new machine identity
    ExactVersion,     // anything but the installed version: the version
    PromptState,      // not 1 or 2: "3" (the close button has not asked yet)
    ZeroOrNotNumber,  // 0, empty or not a number: the first-run value
};

struct SettingKey {
    std::string_view section;
    std::string_view key;
    std::string_view firstRunValue;  // empty: not written on first run
    RepairRule repair = RepairRule::None;
};

inline constexpr SettingKey kProductName{"main", "Name", "Ruvo影视盒"};
inline constexpr SettingKey kUserIdentity{"User", "Name", "", RepairRule::NewIdentity};
inline constexpr SettingKey kSkinNumber{"Skin", "Num", "1"};
inline constexpr SettingKey kVersion{"Ver", "Name", kInstalledVersion, RepairRule::ExactVersion};
inline constexpr SettingKey kClosePromptState{"S_q", "ts", "3", RepairRule::PromptState};
inline constexpr SettingKey kCloseToTray{"S_q", "quit", "2", RepairRule::ZeroOrNotNumber};  // "1" = exit
inline constexpr SettingKey kStopPlayerOnExit{"S_q", "qvodk", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kRestoreSize{"S_q", "s_size", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kSavedWidth{"S_q", "h_w", "14750", RepairRule::ZeroOrNotNumber};   // twips
inline constexpr SettingKey kSavedHeight{"S_q", "h_h", "7820", RepairRule::ZeroOrNotNumber};   // twips
inline constexpr SettingKey kPreloadNext{"S_q", "s_h", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kAutoPlayNext{"S_q", "s_bo", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kRememberPosition{"S_q", "s_jd", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kNoPlayerAppAtStart{"S_q", "qvodqi", "2", RepairRule::ZeroOrNotNumber};
inline constexpr SettingKey kTrayBalloons{"S_q", "s_pao", "2", RepairRule::ZeroOrNotNumber};
// Off unless the user turned them on: a first run writes neither.
inline constexpr SettingKey kAutoSkipOpening{"S_q", "s_tpt", ""};
inline constexpr SettingKey kAutoSkipCredits{"S_q", "s_tpw", ""};
inline constexpr SettingKey kPlayerFolder{"S_q", "qvodw", ""};  // learned from the running player

// The keys a first run writes and start-up repairs, in the order they are
// written (and so stand in a fresh file).
inline constexpr std::array kStartupKeys{
    kProductName,      kUserIdentity,     kSkinNumber,  kVersion,     kClosePromptState,
    kCloseToTray,      kStopPlayerOnExit, kRestoreSize, kSavedWidth,  kSavedHeight,
    kPreloadNext,      kAutoPlayNext,     kRememberPosition, kNoPlayerAppAtStart, kTrayBalloons,
};

}  // namespace ruvo
