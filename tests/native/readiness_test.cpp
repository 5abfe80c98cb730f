#include <gtest/gtest.h>

#include <optional>

#include "power/readiness.h"
#include "res/strings.h"

TEST(Readiness, OnlyADefiniteOffCounts) {
  constexpr Readiness F = Readiness::Fine, O = Readiness::Off;
  const std::optional<unsigned long> n, v0 = 0, v1 = 1, v2 = 2, v3 = 3;  // n: the scheme could not be read
  // Batteries present: none, some, a UPS (short-term: judged as a desktop), or the capabilities unread.
  const std::optional<Batteries> none = Batteries{false, false}, some = Batteries{true, false},
                                 ups = Batteries{true, true}, unknown;
  // Each value that is off, named as the plan shows it (by its source only where there are two: d, a desktop's);
  // a laptop's battery value counts even while on mains.
  const std::wstring d0 = kWakeTimersDisabled, d2 = kWakeTimersImportantOnly, m0 = kPowerSourceMains + d0,
                     b0 = kPowerSourceBattery + std::wstring(kWakeTimersDisabled),
                     b2 = kPowerSourceBattery + std::wstring(kWakeTimersImportantOnly);
  const struct {
    std::optional<unsigned long> ac, dc;
    std::optional<Batteries> batteries;
    unsigned acLine;
    std::wstring off;  // empty: fine
  } timers[] = {
      {n, n, none, 1, L""},   {v0, n, none, 1, d0},       {v2, v1, none, 0, d2},     {v1, v0, none, 0, L""},
      {v1, v0, none, 255, L""}, {v3, v1, none, 1, L""},   {v1, v0, some, 1, b0},     {v1, v2, some, 0, b2},
      {v0, v2, some, 255, m0 + L"\n" + b2},  {v0, v1, unknown, 1, d0},  {v1, v0, unknown, 0, b0},
      {v1, v0, unknown, 1, L""}, {v1, n, some, 0, L""},   {v1, v1, some, 0, L""},
      {v1, v0, ups, 0, L""},    {v0, v0, ups, 1, d0}, {v2, v0, some, 1, kPowerSourceMains + d2 + L"\n" + b0},
  };
  for (const auto& t : timers) {
    const WakeTimerCheck check = JudgeWakeTimers(t.ac, t.dc, t.batteries, t.acLine);
    EXPECT_EQ(std::make_pair(check.readiness, check.values), std::make_pair(t.off.empty() ? F : O, t.off))
        << t.ac.value_or(9) << t.dc.value_or(9) << (t.batteries ? t.batteries->present + 2 * t.batteries->shortTerm : 9)
        << t.acLine;
  }
  for (const bool s4 : {false, true}) {
    for (const bool file : {false, true})
      EXPECT_EQ(JudgeHibernation(HibernationCapabilities{s4, file}), s4 && file ? F : O);
  }
  EXPECT_EQ(JudgeHibernation(std::nullopt), F);
  const std::optional<unsigned> unspecified = 0, s3 = 4, s4 = 5, off = 6, none_read;
  for (const auto& [rtc, expected] : {std::pair{unspecified, F}, {std::optional<unsigned>(1), O},
                                      {std::optional<unsigned>(2), O}, {s3, O}, {s4, F}, {off, F}, {none_read, F}})
    EXPECT_EQ(JudgeClockWake(rtc), expected) << rtc.value_or(99);
}
