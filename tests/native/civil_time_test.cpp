#include <gtest/gtest.h>

#include "platform/civil_time.h"
#include "wake_job/wake_time.h"

// Every month's last day, the leap rules, and the years Windows' date functions take.
TEST(CivilDate, EveryMonthsLastDayAndTheYearsWindowsTakes) {
  const int kLast[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const auto& [year, february] : {std::pair{2027, 28}, {2028, 29}, {1900, 28}, {2000, 29}}) {
    for (int month = 1; month <= 12; ++month) {
      const int last = month == 2 ? february : kLast[month - 1];
      EXPECT_TRUE(IsValidCivilDate(year, month, last)) << year << "/" << month;
      EXPECT_FALSE(IsValidCivilDate(year, month, last + 1)) << year << "/" << month;
    }
  }
  for (const auto& [year, month, day, valid] : {std::tuple{1601, 1, 1, true}, {1600, 12, 31, false},
                                                {9999, 12, 31, true}, {10000, 1, 1, false}, {2027, 0, 1, false},
                                                {2027, 13, 1, false}, {2027, 1, 0, false}})
    EXPECT_EQ(IsValidCivilDate(year, month, day), valid) << year << "/" << month << "/" << day;
}

// A local time daylight saving skips or repeats, from the zone's own conversions (nullopt: one that failed).
TEST(CivilDate, ATimeTheClockSkipsOrRepeats) {
  using K = LocalTimeKind;
  const CivilDateTime t{2027, 3, 28, 2, 30, 0}, hourBefore{2027, 3, 28, 1, 30, 0}, hourAfter{2027, 3, 28, 3, 30, 0};
  const std::optional<CivilDateTime> none;
  for (const auto& [back, earlier, later, kind] :
       {std::tuple{std::optional{t}, std::optional{hourBefore}, std::optional{hourAfter}, K::Once},
        {hourAfter, hourBefore, CivilDateTime{2027, 3, 28, 4, 30, 0}, K::Missing}, {none, none, none, K::Once},
        {t, t, hourAfter, K::Twice}, {t, hourBefore, t, K::Twice}, {CivilDateTime{2027, 3, 28, 2, 31, 0}, none, none, K::Missing},
        {CivilDateTime{2027, 3, 29, 2, 30, 0}, none, none, K::Missing}, {CivilDateTime{2028, 3, 28, 2, 30, 0}, none, none, K::Missing},
        {CivilDateTime{2027, 4, 28, 2, 30, 0}, none, none, K::Missing}, {CivilDateTime{2027, 3, 28, 3, 30, 0}, none, none, K::Missing},
        {t, CivilDateTime{2027, 3, 27, 2, 30, 0}, CivilDateTime{2026, 3, 28, 2, 30, 0}, K::Once},
        {t, CivilDateTime{2027, 2, 28, 2, 30, 0}, CivilDateTime{2027, 3, 28, 2, 29, 0}, K::Once}})
    EXPECT_EQ(JudgeLocalTime(t, back, earlier, later), kind);
  // The shift is the zone's own: an hour, or half of one on Lord Howe Island (daylight bias -30 minutes).
  for (const auto& [bias, seconds] : {std::pair{-60L, 3600LL}, {-30L, 1800LL}, {0L, 0LL}, {60L, 3600LL}})
    EXPECT_EQ(DaylightShiftSeconds(bias), seconds) << bias;
}

// Moving a time by seconds, across days, month ends, leap days, years and centuries, both ways.
TEST(CivilDate, MovedBySeconds) {
  for (const auto& [from, seconds, to] :
       {std::tuple{CivilDateTime{2027, 1, 1, 0, 0, 0}, -1LL, CivilDateTime{2026, 12, 31, 23, 59, 59}},
        {CivilDateTime{9999, 12, 31, 23, 59, 0}, 86460LL, CivilDateTime{10000, 1, 2, 0, 0, 0}},
        {CivilDateTime{2027, 3, 2, 0, 0, 0}, -86400LL, CivilDateTime{2027, 3, 1, 0, 0, 0}},
        {CivilDateTime{2027, 12, 31, 23, 59, 30}, 30LL, CivilDateTime{2028, 1, 1, 0, 0, 0}},
        {CivilDateTime{2027, 4, 30, 12, 0, 0}, 400LL * 86400, CivilDateTime{2028, 6, 3, 12, 0, 0}}}) {
    const CivilDateTime moved = AddSeconds(from, seconds);
    EXPECT_TRUE(SameMinute(moved, to) && moved.second == to.second) << seconds;
    EXPECT_EQ(SecondsBetween(from, moved), seconds);
  }
  // Day by day through every year Windows' date functions take, each the calendar's next day.
  for (CivilDateTime day{1601, 1, 1}; day.year < 10000;) {
    const CivilDateTime next = AddSeconds(day, 86400);
    const CivilDateTime expected = IsValidCivilDate(day.year, day.month, day.day + 1) ? CivilDateTime{day.year, day.month, day.day + 1}
                                   : day.month < 12 ? CivilDateTime{day.year, day.month + 1, 1} : CivilDateTime{day.year + 1, 1, 1};
    ASSERT_TRUE(SameMinute(next, expected)) << day.year << "/" << day.month << "/" << day.day;
    day = next;
  }
}
