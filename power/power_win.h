// Hibernating the machine now, after a countdown the user can cancel.
#pragma once
#include <windows.h>

#include "power/power.h"
#include "power/readiness_win.h"
#include "wake_job/after_wake.h"

// Shows the countdown dialog and runs the countdown; true when it ran to its
// end, false when Cancel was clicked or *closeRequested became true (the main
// window was closed meanwhile). The dialog opens on `anchor`'s monitor. Windows only.
bool RunSuspendCountdown(HWND anchor, const bool* closeRequested);

// Enables the shutdown privilege and asks the system to hibernate, forced.
// Once the call has returned, the UTC times before and after it, the local
// time of the return, and whether the system calls the resume automatic; nullopt when it did not hibernate:
// the privilege could not be enabled (nothing was requested) or the system
// refused the request.
std::optional<ResumeReport> EnterHibernation();

// The wake source of the newest resume in the System event log, when its
// event was written at or after `sinceUtc`; it waits up to kWakeEventWaitMs
// for it. Empty on XP, or when the user may not read the log.
inline constexpr unsigned long kWakeEventWaitMs = 10000;
std::wstring WakeSource(const CivilDateTime& sinceUtc);

// The wake mode as the job starts it, on the real machine; the process's exit status.
int RunWakeModeProcess(const AfterWake& choice);
// The machine's power as the Set command asks of it: the readiness queries of
// power/readiness_win.h, and the countdown on `anchor`'s monitor.
class Win32Power : public PowerControl {
 public:
  Win32Power(HWND anchor, const bool* closeRequested) : anchor_(anchor), closeRequested_(closeRequested) {}
  WakeTimerCheck WakeTimers() override { return QueryWakeTimers(); }
  Readiness Hibernation() override { return QueryHibernation(); }
  Readiness ClockWake() override { return QueryClockWake(); }
  bool RunSuspendCountdown() override { return ::RunSuspendCountdown(anchor_, closeRequested_); }
  std::optional<ResumeReport> EnterHibernation() override { return ::EnterHibernation(); }
  std::wstring WakeSource(const CivilDateTime& sinceUtc) override { return ::WakeSource(sinceUtc); }

 private:
  HWND anchor_;
  const bool* closeRequested_;
};
