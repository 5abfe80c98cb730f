#include <gtest/gtest.h>

#include <string>

#include "power/countdown.h"

namespace {
class FakeCountdownUi : public CountdownUi {
 public:
  int cancelAt = -1, position = -1;  // the click arrives while the pass that shows cancelAt handles messages
  std::int64_t now = 1000;
  std::string log;        // "show", each position shown, "close"
  bool cancelled = true;  // left over from an earlier cancelled countdown

  void Show() override { cancelled = false, log += "show"; }
  void SetProgress(int p) override { log += " " + std::to_string(position = p); }
  void ProcessMessages() override { cancelled = cancelled || position == cancelAt; }
  bool SuspendCancelled() override { return cancelled; }
  std::int64_t NowMs() override { return now; }
  void WaitUntil(std::int64_t deadline) override { now = deadline > now ? deadline + 12 : now; }  // overshoots
  void Close() override { log += " close"; }
};
}  // namespace

// A hundred passes paced by the clock, or fewer when Cancel is seen in the pass that handled the click.
TEST(Countdown, PassesUntilTheEndOrCancel) {
  for (const int cancelAt : {-1, 1, 37, 100}) {
    FakeCountdownUi ui;
    ui.cancelAt = cancelAt;
    std::string shown = "show";
    for (int p = 0; p <= (cancelAt < 0 ? kCountdownPasses : cancelAt); ++p) shown += " " + std::to_string(p);
    EXPECT_EQ(RunCountdown(ui), cancelAt < 0);
    EXPECT_EQ(ui.log, shown + " close") << cancelAt;
  }
  // Overshooting waits do not add up: the end is one overshoot past 5000 ms.
  FakeCountdownUi ui;
  RunCountdown(ui);
  EXPECT_EQ(ui.now, 1000 + 5000 + 12);
}
