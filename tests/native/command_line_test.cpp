#include <gtest/gtest.h>

#include "main_window/clock_text.h"
#include "main_window/command_line.h"

TEST(CommandLine, TrimmingKeepsEverythingButOuterSpaces) {
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L""), L"");
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\ta b\t"), L"\ta b\t");  // only U+0020 is a separator
  EXPECT_EQ(TrimSpaces(L"\u3000a\u3000"), L"\u3000a\u3000");
}

TEST(CommandLine, TokensAndTheHibernateMarker) {
  struct Case {
    const wchar_t* line;
    const wchar_t *date, *time, *user, *password;
    bool hibernate;
  };
  const Case cases[] = {
      {L"2027/01/05 07:05 taro pw", L"2027/01/05", L"07:05", L"taro", L"pw", false},
      {L"2027/01/05 07:05 taro pw x", L"2027/01/05", L"07:05", L"taro", L"pw", true},
      {L"2027/01/05 07:05 taro pw X", L"2027/01/05", L"07:05", L"taro", L"pw", true},
      {L"2027/01/05 07:05 taro pwX", L"2027/01/05", L"07:05", L"taro", L"pwX", true},
      {L"2027/01/05 07:05 taro pw y", L"2027/01/05", L"07:05", L"taro", L"pw", false},
      {L"2027/01/05 07:05 taro pass word", L"2027/01/05", L"07:05", L"taro", L"pass", false},
      {L"2027/01/05 07:05 taro ", L"2027/01/05", L"07:05", L"taro", L"", false},
      {L"2027/01/05  taro pw", L"2027/01/05", L"", L"taro", L"pw", false},
      {L"\"2027/01/05\" 07:05 \"taro\" \"p w\"", L"\"2027/01/05\"", L"07:05", L"\"taro\"", L"\"p", false},
      {L"2027/01/05 07:05 \u592a\u90ce \u30d1\u30b9", L"2027/01/05", L"07:05", L"\u592a\u90ce",
       L"\u30d1\u30b9", false},
      {L"a b c d e f g x", L"a", L"b", L"c", L"d", true},
      {L"2027/01/05\t07:05 taro pw x", L"2027/01/05\t07:05", L"taro", L"pw", L"x", true},
  };
  for (const Case& c : cases) {
    const auto tokens = SplitCommandLine(c.line);
    ASSERT_TRUE(tokens) << c.line;
    EXPECT_EQ(tokens->date, c.date) << c.line;
    EXPECT_EQ(tokens->time, c.time) << c.line;
    EXPECT_EQ(tokens->user, c.user) << c.line;
    EXPECT_EQ(tokens->password, c.password) << c.line;
    EXPECT_EQ(tokens->hibernate, c.hibernate) << c.line;
  }
  for (const wchar_t* line : {L"2027/01/05", L"2027/01/05 07:05", L"2027/01/05 07:05 taro",
                              L"2027/01/05\t07:05\ttaro\tpw"}) {
    EXPECT_FALSE(SplitCommandLine(line)) << line;
  }
}

TEST(CommandLine, TimeTokenSplitsAtTheFirstColon) {
  struct Case {
    const wchar_t* time;
    const wchar_t *hour, *minute;
  };
  const Case cases[] = {
      {L"7:05", L"7", L"05"},   {L"07:05:30", L"07", L"05"}, {L"07:5", L"07", L"5"},
      {L":", L"", L""},         {L"ab:cd", L"ab", L"cd"},    {L"7:", L"7", L""},
      {L"24:60", L"24", L"60"},
  };
  for (const Case& c : cases) {
    const auto split = SplitTimeToken(c.time);
    ASSERT_TRUE(split) << c.time;
    EXPECT_EQ(split->hour, c.hour);
    EXPECT_EQ(split->minute, c.minute);
  }
  EXPECT_FALSE(SplitTimeToken(L"0705"));
  EXPECT_FALSE(SplitTimeToken(L""));
}

TEST(ClockText, TwentyFourHourFieldsAroundTheWeekday) {
  EXPECT_EQ(FormatClockText({2026, 12, 6, 14, 3, 9}, L"\u65e5"), L"2026-12-06 (\u65e5) 14:03:09");
  EXPECT_EQ(FormatClockText({2027, 1, 1, 0, 0, 0}, L"\u91d1"), L"2027-01-01 (\u91d1) 00:00:00");
  EXPECT_EQ(FormatClockText({9999, 12, 31, 23, 59, 59}, L"Fri"), L"9999-12-31 (Fri) 23:59:59");
}
