// Reading and writing "setting.ini" beside the executable; the path is
// composed anew on every call.
#pragma once
#include <string>

#include "settings/settings.h"

// "" when the file, section or key is missing; never creates the file.
std::wstring ReadSetting(const std::wstring& section, const std::wstring& key);

// False when the value could not be stored (folder or file not writable).
[[nodiscard]] bool WriteSetting(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value);

// The same file as the Set command's store.
SettingsStore& IniSettings();
