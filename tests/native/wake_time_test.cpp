#include <gtest/gtest.h>

#include <array>

#include "wake_job/task_xml.h"
#include "wake_job/wake_time.h"

TEST(ComponentStart, FromTheDateAndTimeTexts) {
  struct Case {
    const wchar_t* date;
    const wchar_t* time;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"1/5/2027", L"07:05", L"2027/01/05 07:05:00"},
      {L"12/25/2026", L"23:59", L"2026/12/25 23:59:00"},
      {L"01/05/2027", L"7:5", L"2027/01/05 07:05:00"},
      {L"2/29/2028", L"00:00", L"2028/02/29 00:00:00"},  // leap year
      {L"2/29/2027", L"00:00", std::nullopt},
      {L"2/30/2027", L"07:05", std::nullopt},
      {L"13/1/2027", L"07:05", std::nullopt},
      {L"1/5/27", L"07:05", std::nullopt},
      {L"1/5/2027", L"24:00", std::nullopt},
      {L"1/5/2027", L"07:60", std::nullopt},
      {L"1/5/2027", L"ab:05", std::nullopt},
      {L"1/5/2027", L"0705", std::nullopt},
      {L"1/5/2027", L"07:05:30", std::nullopt},
      {L"1//2027", L"07:05", std::nullopt},
      {L"1/123/2027", L"07:05", std::nullopt},
      {L"1/5/2027x", L"07:05", std::nullopt},
      {L"", L"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildComponentStart(c.date, c.time), c.expected) << c.date << " " << c.time;
  }
}

TEST(CivilDate, EveryMonthHasItsLength) {
  //                      J   F   M   A   M   J   J   A   S   O   N   D
  const int kLast[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) {
    SCOPED_TRACE(month);
    EXPECT_TRUE(IsValidCivilDate(2027, month, kLast[month - 1]));
    EXPECT_FALSE(IsValidCivilDate(2027, month, kLast[month - 1] + 1));
    EXPECT_FALSE(IsValidCivilDate(2027, month, 0));
  }
  const struct {
    int year, month, day;
    bool valid;
  } leap[] = {{2028, 2, 29, true},  {2028, 2, 30, false}, {2000, 2, 29, true},  {1900, 2, 29, false},
              {1601, 1, 1, true},   {1600, 12, 31, false}, {9999, 12, 31, true}, {10000, 1, 1, false},
              {2027, 0, 1, false},  {2027, 13, 1, false}};
  for (const auto& c : leap) {
    EXPECT_EQ(IsValidCivilDate(c.year, c.month, c.day), c.valid) << c.year << "/" << c.month << "/" << c.day;
  }
}

TEST(ComponentStart, ReadsOnlyTheExactPattern) {
  const struct {
    const wchar_t* text;
    bool valid;
  } cases[] = {
      {L"2027/01/05 07:05:00", true},   {L"2028/02/29 23:59:59", true},  {L"2027/01/05 07:05:00x", false},
      {L"2027/01/05 07:05:00 ", false}, {L"20270/01/05 07:05:00", false}, {L"2027/001/05 07:05:00", false},
      {L"2027/01/005 07:05:00", false}, {L"2027/01/05 007:05:00", false}, {L"2027/01/05 07:005:00", false},
      {L"2027/01/05 07:05:000", false}, {L"2027/1/5 07:05:00", false},    {L"2027/02/30 07:05:00", false},
      {L"2027/01/05 07:05", false},     {L"2027/01/05 24:00:00", false},  {L"2027/01/05 07:60:00", false},
      {L"2027/01/05 07:05:60", false},  {L"2027-01-05 07:05:00", false},  {L"2027/01/05T07:05:00", false},
      {L"2027/01/05 07.05:00", false},  {L"2027/01/05 07:05.00", false},  {L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseComponentStart(c.text).has_value(), c.valid) << std::wstring(c.text);
    EXPECT_EQ(BuildTaskXml(c.text, L"C:\\W\\Startup.bat", L"Reveilo").has_value(), c.valid);
  }
  const auto t = ParseComponentStart(L"2028/02/29 23:58:57");
  ASSERT_TRUE(t);
  EXPECT_EQ((std::array<int, 6>{t->year, t->month, t->day, t->hour, t->minute, t->second}),
            (std::array<int, 6>{2028, 2, 29, 23, 58, 57}));
}

TEST(TaskXml, WakesTheMachineAtTheStartTimeAndRunsTheProgram) {
  const auto xml = BuildTaskXml(L"2027/01/05 07:05:00", L"C:\\A&B '\"\\Startup.bat", L"<a&b>");
  ASSERT_TRUE(xml);
  for (const wchar_t* part : {L"<StartBoundary>2027-01-05T07:05:00</StartBoundary>", L"<WakeToRun>true</WakeToRun>",
                              L"<Command>C:\\A&amp;B &apos;&quot;\\Startup.bat</Command>",
                              L"<Author>&lt;a&amp;b&gt;</Author>"}) {
    EXPECT_NE(xml->find(part), std::wstring::npos) << std::wstring(part);
  }
}

TEST(Padded, DigitsAndLeadingZeros) {
  EXPECT_EQ(Padded(0, 2), L"00");
  EXPECT_EQ(Padded(7, 2), L"07");
  EXPECT_EQ(Padded(12, 0), L"12");
  EXPECT_EQ(Padded(2027, 4), L"2027");
  EXPECT_EQ(Padded(5, 4), L"0005");
  EXPECT_EQ(Padded(-3, 0), L"-3");
  EXPECT_EQ(Padded(2147483647, 0), L"2147483647");
  EXPECT_EQ(Padded(-2147483647 - 1, 0), L"-2147483648");
}
