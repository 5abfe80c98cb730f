// Hibernating the machine now, after a countdown the user can cancel.
#pragma once
#include <windows.h>

#include "power/power.h"

// Shows the countdown dialog and runs the countdown; true when it ran to its
// end, false when Cancel was clicked or *closeRequested became true (the main
// window was closed meanwhile). The dialog opens on `anchor`'s monitor. Windows only.
bool RunSuspendCountdown(HWND anchor, const bool* closeRequested);

// Enables the shutdown privilege and asks the system to hibernate, forced.
// True once the machine has hibernated and resumed; false when it did not:
// the privilege could not be enabled (nothing was requested) or the system
// refused the request.
bool EnterHibernation();

// The machine's power as the Set command asks of it: the readiness queries of
// power/readiness_win.h, and the countdown on `anchor`'s monitor.
class Win32Power : public PowerControl {
 public:
  Win32Power(HWND anchor, const bool* closeRequested) : anchor_(anchor), closeRequested_(closeRequested) {}
  WakeTimerCheck WakeTimers() override;
  Readiness Hibernation() override;
  Readiness ClockWake() override;
  bool RunSuspendCountdown() override { return ::RunSuspendCountdown(anchor_, closeRequested_); }
  bool EnterHibernation() override { return ::EnterHibernation(); }

 private:
  HWND anchor_;
  const bool* closeRequested_;
};
