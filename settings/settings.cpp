#include "settings/settings.h"

#include "settings/password.h"
#include "wake_job/wake_time.h"

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

void PutAfterWake(StoredSettings& values, const AfterWake& choice) {
  values.awakeMinutes = choice.On() ? Decimal(choice.minutes) : std::wstring();
  values.rehibernate = choice.On() ? (choice.rehibernate ? L"1" : L"0") : std::wstring();
}

AfterWake AfterWakeOf(const StoredSettings& values) {
  const auto minutes = ReadAwakeMinutes(values.awakeMinutes);
  if (!minutes) return AfterWake{};
  return {*minutes, values.rehibernate == L"1"};
}

void WriteSettings(SettingsStore& store, const StoredSettings& values, bool withPassword) {
  for (const SettingEntry& entry : kSettingEntries) {
    if (entry.kind == SettingKind::WhileOn) {
      bool off = true;
      for (const SettingEntry& other : kSettingEntries)
        off &= std::wstring(other.section) != entry.section || (values.*other.value).empty();
      if (!off) {
        (void)store.Write(entry.section, entry.key, values.*entry.value);
      } else if (!store.Read(entry.section, entry.key).empty()) {  // a file that never held it is not touched
        (void)store.RemoveSection(entry.section);
      }
    } else if (entry.kind != SettingKind::Scrambled) {
      (void)store.Write(entry.section, entry.key, values.*entry.value);
    } else if (withPassword) {
      (void)store.Write(entry.section, entry.key, ConvertPassword(L"SET", values.*entry.value).value_or(L""));
    }
  }
}
