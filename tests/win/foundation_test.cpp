#include <gtest/gtest.h>

#include "platform/ansi_text.h"
#include "platform/os_version.h"
#include "power/readiness.h"
#include "settings/settings.h"
#include "test_support.h"

TEST(WineBench, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(GetOSVersion, ClassOfTheReportedVersion) {
  const std::wstring expected = BenchEnv("REVEILO_EXPECT_CLASS");
  ASSERT_FALSE(expected.empty()) << "the bench sets the expected class";
  EXPECT_EQ(GetOSVersion(), expected);
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ProgramPath(kSettingsFileName);
    DeleteFileW(path_.c_str());
  }
  void TearDown() override { DeleteFileW(path_.c_str()); }
  std::wstring path_;
};

TEST_F(SettingsFile, MissingFileSectionOrKeyReadsEmptyAndCreatesNothing) {
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyUser), L"");
  EXPECT_FALSE(FileExists(path_));

  ASSERT_TRUE(WriteSetting(kSectionStartTime, kKeyHour, L"07"));
  EXPECT_EQ(ReadSetting(kSectionStartTime, kKeyMin), L"");   // missing key
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyHour), L"");   // missing section
}

TEST_F(SettingsFile, ValuesRoundTripAsStored) {
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case cases[] = {
      {kSectionStartTime, kKeyHour, L"07"},   // kept unpadded and unparsed
      {kSectionStartTime, kKeyMin, L"5"},
      {kSectionUserInfo, kKeyUser, L"\u5c71\u7530\u592a\u90ce"},  // 山田太郎
      {kSectionUserInfo, kKeyUser, L"\u8868\u30bd"},  // 表ソ: second byte 0x5C
      {kSectionUserInfo, kKeyPass, L""},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteSetting(c.section, c.key, c.value));
    EXPECT_EQ(ReadSetting(c.section, c.key), c.value);
  }
}

TEST_F(SettingsFile, SectionAndKeyMatchWithoutCase) {
  ASSERT_TRUE(WriteSetting(kSectionStartTime, kKeyHour, L"23"));
  EXPECT_EQ(ReadSetting(L"starttime", L"HOUR"), L"23");
  ASSERT_TRUE(WriteSetting(L"STARTTIME", L"hour", L"22"));
  EXPECT_EQ(ReadSetting(kSectionStartTime, kKeyHour), L"22");
}

TEST_F(SettingsFile, JapaneseUserIsStoredInShiftJisWithCrLf) {
  ASSERT_TRUE(WriteSetting(kSectionUserInfo, kKeyUser, L"\u5c71\u7530"));  // 山田
  EXPECT_EQ(FileBytes(path_), "[UserInfo]\r\nUser=\x8e\x52\x93\x63\r\n");
}

TEST_F(SettingsFile, LongValueIsCutToWholeCharactersWithin1023Bytes) {
  ASSERT_TRUE(WriteSetting(kSectionUserInfo, kKeyUser, std::wstring(2000, L'a')));
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyUser), std::wstring(1023, L'a'));

  // 1022 ASCII bytes then double-byte characters: byte 1023 is a lead byte
  // whose partner was cut off, so only the 1022 whole characters come back.
  std::wstring mixed(1022, L'b');
  mixed += L"\u5c71\u7530";
  ASSERT_TRUE(WriteSetting(kSectionUserInfo, kKeyUser, mixed));
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyUser), std::wstring(1022, L'b'));

  std::wstring even(1021, L'c');
  even += L"\u5c71\u7530";
  ASSERT_TRUE(WriteSetting(kSectionUserInfo, kKeyUser, even));
  EXPECT_EQ(ReadSetting(kSectionUserInfo, kKeyUser), std::wstring(1021, L'c') + L"\u5c71");
}

TEST(AnsiText, ConvertsThroughCodePage932) {
  EXPECT_EQ(ToAnsi(L"\u8868"), "\x95\x5c");  // 表
  EXPECT_EQ(FromAnsi("\x95\x5c"), L"\u8868");
  EXPECT_EQ(ToAnsi(L""), "");
}

// Wine's power functions are stubs: no active power scheme (the call is not
// implemented) and capabilities that report hibernation available. Both read
// as "fine", so Reveilo asks nothing there.
TEST(PowerReadiness, WhatWineReports) {
  EXPECT_EQ(QueryWakeTimers(), Readiness::Fine);
  EXPECT_EQ(QueryHibernation(), Readiness::Fine);
}
