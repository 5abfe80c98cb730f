#include <gtest/gtest.h>

#include "platform/os_version.h"

// Only "VISTA" decides anything (the component's route): the NT 6 family, and its neighbours that are not.
TEST(ClassifyWindowsVersion, OnlyTheNt6FamilyTakesTheComponent) {
  for (const auto& [platform, major, minor, vista] : {std::tuple{2u, 6u, 0u, true}, {2u, 6u, 3u, true},
                                                      {2u, 5u, 1u, false}, {2u, 5u, 2u, false}, {2u, 10u, 0u, false},
                                                      {1u, 6u, 0u, false}})
    EXPECT_EQ(IsVistaClass(ClassifyWindowsVersion(platform, major, minor)), vista) << platform << major << minor;
}
