// "setting.ini" beside the executable: the account and wake time of the last
// successful Set. Sections and keys match without regard to case, as the
// profile functions do. The path is composed anew on every call.
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

// "" when the file, section or key is missing; never creates the file.
std::wstring ReadSetting(const std::wstring& section, const std::wstring& key);

// False when the value could not be stored (folder or file not writable).
[[nodiscard]] bool WriteSetting(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value);
