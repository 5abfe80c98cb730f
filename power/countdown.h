// The hibernate-now countdown: 100 passes over five seconds in a dialog with
// a Cancel button. The loop is portable; the dialog is power/suspend_dialog_win.cpp.
#pragma once
#include <cstdint>

// The countdown's length: what the user waits, what the wake time must leave
// room for, and what the message about it says.
inline constexpr int kCountdownSeconds = 5;
// One pass a step of the progress bar, whose range this is too.
inline constexpr int kCountdownPasses = 100;
inline constexpr std::int64_t kCountdownPassMs = kCountdownSeconds * 1000 / kCountdownPasses;

class CountdownUi {
 public:
  virtual ~CountdownUi() = default;
  // Clears SuspendCancelled, then creates and shows the dialog.
  virtual void Show() = 0;
  virtual void SetProgress(int position) = 0;
  // Lets every pending window event run once: the only point at which a
  // Cancel click is handled.
  virtual void ProcessMessages() = 0;
  virtual bool SuspendCancelled() = 0;
  virtual std::int64_t NowMs() = 0;
  // Returns at `deadlineMs` (on NowMs's clock); may repaint, handles no input.
  virtual void WaitUntil(std::int64_t deadlineMs) = 0;
  virtual void Close() = 0;
};

// True when every pass ran, false when Cancel was seen. Each pass ends at its
// own deadline (start + pass x kCountdownPassMs), so the whole lasts exactly
// kCountdownSeconds rather than that plus every pause's rounding.
bool RunCountdown(CountdownUi& ui);
