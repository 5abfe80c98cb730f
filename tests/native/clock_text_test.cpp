#include <gtest/gtest.h>

#include <tuple>

#include "main_window/clock_text.h"

// The status bar's "yyyy-mm-dd (aaa) hh:mm:ss", each field at its width.
TEST(ClockText, EachFieldAtItsWidth) {
  for (const auto& [now, weekday, text] :
       {std::tuple{CivilDateTime{2027, 1, 5, 7, 5, 9}, L"\u706b", L"2027-01-05 (\u706b) 07:05:09"},
        {CivilDateTime{9999, 12, 31, 23, 59, 59}, L"Fri", L"9999-12-31 (Fri) 23:59:59"}})
    EXPECT_EQ(FormatClockText(now, weekday), text);
}
