#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/ansi_text.h"
#include "platform/program_folder.h"
#include "settings/settings.h"

namespace {
std::string SettingsPathAnsi() { return ToAnsi(ProgramFile(ProgramFolder(), kSettingsFileName)); }

// A value cut at the buffer's end may end in the first byte of a double-byte
// character; that byte alone would turn into a stray character.
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
  char buffer[kMaxSettingBytes + 1] = {};
  const std::string path = SettingsPathAnsi();
  const DWORD copied = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "",
                                                buffer, sizeof buffer, path.c_str());
  const std::size_t length = strnlen(buffer, std::min<std::size_t>(copied, kMaxSettingBytes));
  return FromAnsi(std::string_view(buffer, WholeCharacterLength(buffer, length)));
}

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  const std::string path = SettingsPathAnsi();
  return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                    ToAnsi(value).c_str(), path.c_str()) != FALSE;
}
