#include <gtest/gtest.h>

#include "platform/os_version.h"
#include "wake_job/schedule.h"

// The class each version gets, as GetVersionExA reports it: only "VISTA" takes the component's route, and a
// version outside the table (a future major, a neighbour of a known one) gets none.
TEST(ClassifyWindowsVersion, EachKnownVersionAndItsNeighbours) {
  for (const auto& [platform, major, minor, name] :
       {std::tuple{1u, 4u, 0u, L"95"}, {1u, 4u, 10u, L"98"}, {1u, 4u, 90u, L"Me"}, {2u, 4u, 0u, L"NT4"},
        {2u, 5u, 0u, L"2000"}, {2u, 5u, 1u, L"XP"}, {2u, 5u, 2u, L"2003"}, {2u, 6u, 0u, L"VISTA"},
        {2u, 6u, 3u, L"VISTA"}, {1u, 4u, 1u, L""}, {1u, 5u, 0u, L""}, {2u, 4u, 10u, L""}, {2u, 5u, 3u, L""},
        {2u, 10u, 0u, L""}, {2u, 7u, 0u, L""}, {1u, 6u, 0u, L""}, {0u, 4u, 0u, L""}, {3u, 6u, 0u, L""}})
    EXPECT_EQ(ClassifyWindowsVersion(platform, major, minor), name) << platform << " " << major << "." << minor;
  for (const wchar_t* other : {L"XP", L"2003", L"Failed", L"", L"Vista", L"VISTA "})
    EXPECT_EQ(RouteForVersionClass(other), ScheduleRoute::Batch) << "only the exact class takes the component";
  EXPECT_EQ(RouteForVersionClass(kVersionClassVista), ScheduleRoute::Component);
}
