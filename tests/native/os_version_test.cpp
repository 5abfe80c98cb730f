#include <gtest/gtest.h>

#include "platform/os_version.h"

TEST(ClassifyWindowsVersion, EveryRowAndItsNeighbours) {
  const struct {
    std::uint32_t platform, major, minor;
    const wchar_t* expected;
  } cases[] = {
      {1, 4, 0, L"95"},  {1, 4, 10, L"98"},  {1, 4, 90, L"Me"},  {1, 4, 1, L""},        {1, 4, 11, L""},
      {1, 5, 0, L""},    {2, 4, 0, L"NT4"},  {2, 5, 0, L"2000"}, {2, 5, 1, L"XP"},      {2, 5, 2, L"2003"},
      {2, 5, 3, L""},    {2, 6, 0, L"VISTA"}, {2, 6, 1, L"VISTA"}, {2, 6, 2, L"VISTA"}, {2, 6, 3, L"VISTA"},
      {2, 3, 51, L""},   {2, 10, 0, L""},    {2, 4, 10, L""},    {3, 5, 1, L""},
      {0, 4, 0, L""},    {0, 6, 0, L""},     {0, 0, 0, L""},  // a zeroed record
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyWindowsVersion(c.platform, c.major, c.minor), c.expected)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
  }
}
