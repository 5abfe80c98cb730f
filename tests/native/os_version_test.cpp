#include <gtest/gtest.h>

#include "platform/os_version.h"

TEST(ClassifyWindowsVersion, EveryRowAndItsNeighbours) {
  const struct {
    std::uint32_t platform, major, minor;
    const wchar_t* expected;
  } cases[] = {
      // Only "VISTA" decides anything: the NT 6 rows and their neighbours.
      {1, 4, 0, L"95"}, {2, 5, 1, L"XP"},    {2, 5, 2, L"2003"},  {2, 6, 0, L"VISTA"}, {2, 6, 1, L"VISTA"},
      {2, 6, 2, L"VISTA"}, {2, 6, 3, L"VISTA"}, {2, 10, 0, L""}, {1, 6, 0, L""},      {0, 6, 0, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyWindowsVersion(c.platform, c.major, c.minor), c.expected)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
  }
}
