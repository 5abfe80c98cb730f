// The bench itself and the thin Win32 layer: code page, version class,
// settings store and what Wine's power functions report.
#include <gtest/gtest.h>

#include "driver.h"
#include "platform/ansi_text.h"
#include "platform/os_version.h"
#include "power/readiness.h"
#include "settings/settings.h"

TEST(Foundation, CodePageAndVersionClassOfTheBench) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(ToAnsi(L"表"), "\x95\x5c");
  EXPECT_EQ(FromAnsi("\x95\x5c"), L"表");
  ASSERT_FALSE(EnvText(L"REVEILO_EXPECT_CLASS").empty()) << "the bench sets the expected class";
  EXPECT_EQ(GetOSVersion(), EnvText(L"REVEILO_EXPECT_CLASS"));
  // Wine has no active power scheme and reports hibernation available: both
  // read as "fine", so Reveilo asks nothing there.
  EXPECT_EQ(QueryWakeTimers(), Readiness::Fine);
  EXPECT_EQ(QueryHibernation(), Readiness::Fine);
}

TEST(Foundation, SettingsStoreReadsBackWhatItWrote) {
  const std::wstring path = ProgramPath(kSettingsFileName);
  DeleteFileW(path.c_str());
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyUser), L"");
  EXPECT_FALSE(FileExists(path)) << "reading must not create the file";
  ASSERT_TRUE(WriteSetting(kSectionUserInfo, kKeyUser, L"山田"));
  EXPECT_EQ(FileBytes(path), "[UserInfo]\r\nUser=\x8e\x52\x93\x63\r\n");
  const struct {
    const wchar_t *section, *key;
    std::wstring value, readBack;
  } cases[] = {
      {kSectionStartTime, kKeyHour, L"07", L"07"},  // kept unpadded and unparsed
      {kSectionUserInfo, kKeyUser, L"表ソ", L"表ソ"},  // second bytes 0x5C
      {kSectionUserInfo, kKeyPass, L"", L""},
      {L"STARTTIME", L"hour", L"22", L"22"},           // sections and keys match without case
      {kSectionUserInfo, kKeyUser, std::wstring(2000, L'a'), std::wstring(1023, L'a')},
      // Byte 1023 a lead byte whose partner was cut off: only whole characters come back.
      {kSectionUserInfo, kKeyUser, std::wstring(1022, L'b') + L"山田", std::wstring(1022, L'b')},
      {kSectionUserInfo, kKeyUser, std::wstring(1021, L'c') + L"山田", std::wstring(1021, L'c') + L"山"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteSetting(c.section, c.key, c.value));
    EXPECT_EQ(ReadSetting(c.section, c.key), c.readBack) << c.readBack.size();
  }
  EXPECT_EQ(ReadSetting(kSectionStartTime, kKeyHour), L"22");
  EXPECT_EQ(ReadSetting(kSectionStartTime, kKeyMin), L"");  // missing key
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyHour), L"");  // missing section
  DeleteFileW(path.c_str());
}
