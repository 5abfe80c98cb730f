#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "settings/password.h"
#include "settings/settings.h"

namespace {
// setting.ini as the profile functions keep it: a value by section and key.
class MapStore : public SettingsStore {
 public:
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
  std::wstring Read(const std::wstring& s, const std::wstring& k) override { return values.count({s, k}) ? values[{s, k}] : L""; }
  bool Write(const std::wstring& s, const std::wstring& k, const std::wstring& v) override { return values[{s, k}] = v, true; }
  bool RemoveSection(const std::wstring& s) override {
    for (auto i = values.begin(); i != values.end();) i = i->first.first == s ? values.erase(i) : std::next(i);
    return true;
  }
};
}  // namespace

// Every entry of the list comes back as it was written; the password only on the route that keeps one, and never
// in plain in the file. With no user name stored, the logged-on user's is shown.
TEST(Settings, EveryEntryReadsBackAsWritten) {
  const StoredSettings written{L"\u8868\u30bd taro", L"pw&1", L"\uff10\uff17", L"5", L"240", L"0"};
  for (const bool withPassword : {true, false}) {
    MapStore store;
    WriteSettings(store, written, withPassword);
    const StoredSettings read = ReadSettings(store, [] { return std::wstring(L"someone else"); });
    for (const SettingEntry& entry : kSettingEntries) {
      const bool kept = entry.kind != SettingKind::Scrambled || withPassword;
      EXPECT_EQ(read.*entry.value, kept ? written.*entry.value : L"") << entry.key;
      EXPECT_EQ(store.values.count({entry.section, entry.key}), kept ? 1u : 0u) << entry.key;
    }
    if (withPassword) { EXPECT_EQ(store.Read(kSectionUserInfo, kKeyPass), ConvertPassword(L"SET", L"pw&1")); }
  }
  MapStore empty;
  EXPECT_EQ(ReadSettings(empty, [] { return std::wstring(L"hanako"); }).user, L"hanako");
}

// The after-wake choice: kept while on, gone with its section when turned off, never written for a user who
// never chose it; what a hand-edited file holds beyond the choices reads as off.
TEST(Settings, TheAfterWakeChoiceIsKeptOnlyWhileOn) {
  MapStore store;
  WriteSettings(store, {L"u", L"", L"7", L"5", L"45", L"1"}, false);
  WriteSettings(store, {L"u", L"", L"7", L"5", L"", L""}, false);
  EXPECT_EQ(store.values.size(), 3u) << "user, hour and minute: the section is gone, nothing else";
  for (const auto& [minutes, rehibernate, read] :
       {std::tuple{L"30", L"1", AfterWake{30, true}}, {L"30", L"yes", AfterWake{30, false}}, {L"241", L"1", AfterWake{}},
        {L"0", L"1", AfterWake{}}, {L"\uff13\uff10", L"0", AfterWake{}}, {L"", L"1", AfterWake{}}})
    EXPECT_EQ(AfterWakeOf({L"", L"", L"", L"", minutes, rehibernate}), read) << minutes << " " << rehibernate;
}
