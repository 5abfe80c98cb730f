#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/ansi_text_win.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "settings/settings.h"
#include "settings/settings_win.h"

namespace {
// The wide profile functions with the real path: a folder whose name the
// ANSI code page cannot write still finds its file. The file itself stays in
// the ANSI code page, as the profile functions keep a file they did not
// create as Unicode.
std::wstring SettingsPath() { return ProgramFile(ProgramFolder(), kSettingsFileName); }

// A value is cut at kMaxSettingBytes bytes of the ANSI code page, and then
// only whole characters are kept: a lead byte alone would be a stray one.
std::size_t WholeCharacterLength(const char* bytes, std::size_t length) {
  std::size_t at = 0;
  while (at < length) {
    const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) ? 2 : 1;
    if (at + step > length) break;
    at += step;
  }
  return at;
}
}  // namespace

std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) {
  wchar_t buffer[kMaxSettingBytes + 1] = {};
  const DWORD copied = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer,
                                                static_cast<DWORD>(std::size(buffer)), SettingsPath().c_str());
  const std::string bytes = ToAnsi(std::wstring_view(buffer, wcsnlen(buffer, copied)));
  const std::size_t length = std::min(bytes.size(), kMaxSettingBytes);
  return FromAnsi(std::string_view(bytes.data(), WholeCharacterLength(bytes.data(), length)));
}

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), SettingsPath().c_str()) != FALSE;
}

SettingsStore& IniSettings() {
  class IniFile : public SettingsStore {
    std::wstring Read(const std::wstring& section, const std::wstring& key) override { return ReadSetting(section, key); }
    bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
      return WriteSetting(section, key, value);
    }
    bool RemoveSection(const std::wstring& section) override {
      return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, SettingsPath().c_str()) != FALSE;
    }
  };
  static IniFile file;
  return file;
}
