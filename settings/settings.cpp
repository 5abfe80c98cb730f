#include "settings/settings.h"

#include "settings/password.h"

StoredSettings ReadSettings(SettingsStore& store, const std::function<std::wstring()>& loggedOnUser) {
  StoredSettings values;
  for (const SettingEntry& entry : kSettingEntries) {
    const std::wstring stored = store.Read(entry.section, entry.key);
    values.*entry.value = entry.kind == SettingKind::Scrambled && !stored.empty()
                              ? ConvertPassword(L"RESET", stored).value_or(L"")
                              : stored;
  }
  if (values.user.empty()) values.user = loggedOnUser();
  return values;
}

void WriteSettings(SettingsStore& store, const StoredSettings& values, bool withPassword) {
  for (const SettingEntry& entry : kSettingEntries) {
    if (entry.kind != SettingKind::Scrambled) {
      (void)store.Write(entry.section, entry.key, values.*entry.value);
    } else if (withPassword) {
      (void)store.Write(entry.section, entry.key, ConvertPassword(L"SET", values.*entry.value).value_or(L""));
    }
  }
}
