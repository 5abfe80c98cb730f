// "setting.ini" beside the executable: the account and wake time of the last
// successful Set, by section and key (settings/settings_win.h reads and
// writes them). Sections and keys match without regard to case, as the
// profile functions do.
#pragma once
#include <string>

inline constexpr wchar_t kSectionUserInfo[] = L"UserInfo";
inline constexpr wchar_t kKeyUser[] = L"User";
inline constexpr wchar_t kKeyPass[] = L"Pass";
inline constexpr wchar_t kSectionStartTime[] = L"StartTime";
inline constexpr wchar_t kKeyHour[] = L"Hour";
inline constexpr wchar_t kKeyMin[] = L"Min";

// Longest value read back, in ANSI bytes (the profile buffer is 1024 with its NUL).
inline constexpr std::size_t kMaxSettingBytes = 1023;

// The store those keys live in; settings/settings_win.h has the file beside
// the executable, tests use a fake.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // "" when the file, section or key is missing.
  virtual std::wstring Read(const std::wstring& section, const std::wstring& key) = 0;
  // False when the value could not be stored (folder or file not writable).
  virtual bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
};
