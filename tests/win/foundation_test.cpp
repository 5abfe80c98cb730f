// The bench itself and the thin Win32 layer: code page, version class
// and what Wine's power functions report.
#include <gtest/gtest.h>

#include "driver.h"
#include "platform/ansi_text.h"
#include "platform/os_version.h"
#include "power/readiness.h"

TEST(Foundation, CodePageAndVersionClassOfTheBench) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(ToAnsi(L"表"), "\x95\x5c");
  EXPECT_EQ(FromAnsi("\x95\x5c"), L"表");
  ASSERT_FALSE(EnvText(L"REVEILO_EXPECT_CLASS").empty()) << "the bench sets the expected class";
  EXPECT_EQ(GetOSVersion(), EnvText(L"REVEILO_EXPECT_CLASS"));
  // Wine has no active power scheme and reports hibernation available: both
  // read as "fine", so Reveilo asks nothing there.
  EXPECT_EQ(QueryWakeTimers(), Readiness::Fine);
  EXPECT_EQ(QueryHibernation(), Readiness::Fine);
}
