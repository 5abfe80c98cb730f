// "setting.ini" beside the executable: the account and wake time of the last
// successful Set, by section and key (settings/settings_win.h reads and
// writes them). Sections and keys match without regard to case, as the
// profile functions do.
#pragma once
#include <functional>
#include <string>

#include "wake_job/after_wake.h"

inline constexpr wchar_t kSectionUserInfo[] = L"UserInfo";
inline constexpr wchar_t kKeyUser[] = L"User";
inline constexpr wchar_t kKeyPass[] = L"Pass";
inline constexpr wchar_t kSectionStartTime[] = L"StartTime";
inline constexpr wchar_t kKeyHour[] = L"Hour";
inline constexpr wchar_t kKeyMin[] = L"Min";
inline constexpr wchar_t kSectionAfterWake[] = L"AfterWake";
inline constexpr wchar_t kKeyAwakeMinutes[] = L"Minutes";
inline constexpr wchar_t kKeyRehibernate[] = L"Rehibernate";

// Longest value read back, in ANSI bytes (the profile buffer is 1024 with its NUL).
inline constexpr std::size_t kMaxSettingBytes = 1023;

// The values kept, as the window shows them (the password in plain).
struct StoredSettings {
  std::wstring user, password, hour, minute;
  std::wstring awakeMinutes, rehibernate;  // both empty while the choice is off
};
// The after-wake choice as kept, and back: "30" and "1" or "0"; a value out
// of range, or no minutes, reads as off.
void PutAfterWake(StoredSettings& values, const AfterWake& choice);
AfterWake AfterWakeOf(const StoredSettings& values);

// How a value is kept in the file.
enum class SettingKind {
  Plain,      // as typed
  Scrambled,  // settings/password.h's table; kept only on the route that uses a password
  Digits,     // an hour or minute as typed (full-width digits too), placed into its box
  WhileOn,    // kept only while its choice is on: when all its section's values are empty the section goes
};
// Every setting in one list: its place in the file, how it is kept, and its
// value. What has no stored value falls back: the user name to the logged-on
// user; the others to what the window shows by itself.
struct SettingEntry {
  const wchar_t* section;
  const wchar_t* key;
  SettingKind kind;
  std::wstring StoredSettings::*value;
};
inline const SettingEntry kSettingEntries[] = {
    {kSectionUserInfo, kKeyUser, SettingKind::Plain, &StoredSettings::user},
    {kSectionUserInfo, kKeyPass, SettingKind::Scrambled, &StoredSettings::password},
    {kSectionStartTime, kKeyHour, SettingKind::Digits, &StoredSettings::hour},
    {kSectionStartTime, kKeyMin, SettingKind::Digits, &StoredSettings::minute},
    {kSectionAfterWake, kKeyAwakeMinutes, SettingKind::WhileOn, &StoredSettings::awakeMinutes},
    {kSectionAfterWake, kKeyRehibernate, SettingKind::WhileOn, &StoredSettings::rehibernate},
};

// The store those keys live in; settings/settings_win.h has the file beside
// the executable, tests use a fake.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // "" when the file, section or key is missing.
  virtual std::wstring Read(const std::wstring& section, const std::wstring& key) = 0;
  // False when the value could not be stored (folder or file not writable).
  virtual bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
  // Removes the section with all its keys; false when the file could not be changed.
  virtual bool RemoveSection(const std::wstring& section) = 0;
};

// The settings as the window places them at start: the user name falling back
// to `loggedOnUser()` (asked only then), the password unscrambled (empty when
// the stored text cannot be), hour and minute as stored (empty: none).
StoredSettings ReadSettings(SettingsStore& store, const std::function<std::wstring()>& loggedOnUser);
// Writes every entry in the list's order, the password scrambled and only
// `withPassword`; the values are stored as they are, and a failed write is
// left unsaid (the job does not depend on them). A choice that is off leaves
// no section behind, and a file that never held one is not touched for it.
void WriteSettings(SettingsStore& store, const StoredSettings& values, bool withPassword);
