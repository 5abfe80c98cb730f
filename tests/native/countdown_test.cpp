#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "power/countdown.h"

namespace {
class FakeCountdownUi : public CountdownUi {
 public:
  int cancelAtPass = 0;      // the click arrives while this pass processes messages
  std::int64_t slowBy = 12;  // every wait overshoots, as a coarse timer does
  std::int64_t now = 1000;
  int position = -1;
  std::vector<int> positions;
  std::vector<std::string> events;
  bool cancelled = true;  // left over from an earlier cancelled countdown

  void Show() override {
    cancelled = false;
    events.push_back("show");
  }
  void SetProgress(int p) override {
    position = p;
    positions.push_back(p);
  }
  void ProcessMessages() override {
    if (position == cancelAtPass) cancelled = true;
  }
  bool SuspendCancelled() override { return cancelled; }
  std::int64_t NowMs() override { return now; }
  void WaitUntil(std::int64_t deadline) override {
    if (deadline > now) now = deadline + slowBy;
  }
  void Close() override { events.push_back("close"); }
};
}  // namespace

TEST(Countdown, RunsAHundredPassesPacedByTheClock) {
  FakeCountdownUi ui;
  EXPECT_TRUE(RunCountdown(ui));
  ASSERT_EQ(ui.positions.size(), 101u);
  EXPECT_EQ(ui.positions.front(), 0);
  for (int pass = 1; pass <= 100; ++pass) EXPECT_EQ(ui.positions[pass], pass);
  // Overshooting waits do not add up: the end is one overshoot past 5000 ms.
  EXPECT_EQ(ui.now - 1000, 5000 + ui.slowBy);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"show", "close"}));
}

TEST(Countdown, CancelIsSeenInThePassThatHandledTheClick) {
  struct Case {
    int cancelAtPass;
    int lastPosition;
  };
  for (const Case c : {Case{1, 1}, Case{37, 37}, Case{100, 100}}) {
    FakeCountdownUi ui;
    ui.cancelAtPass = c.cancelAtPass;
    EXPECT_FALSE(RunCountdown(ui)) << c.cancelAtPass;
    EXPECT_EQ(ui.position, c.lastPosition);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"show", "close"}));
  }
}
