// What the Set command asks of the machine's power: whether it can wake and
// hibernate as asked, and the hibernate-now sequence. The Windows half is
// power/power_win.h; tests use a fake.
#pragma once
#include <optional>

#include "power/readiness.h"
#include "wake_job/wake_record.h"

class PowerControl {
 public:
  virtual ~PowerControl() = default;
  virtual WakeTimerCheck WakeTimers() = 0;
  virtual Readiness Hibernation() = 0;
  virtual Readiness ClockWake() = 0;
  // True when the countdown ran to its end, false when it was cancelled.
  virtual bool RunSuspendCountdown() = 0;
  // The times around the hibernation and how the machine came back, once the
  // call has returned; nullopt when it did not hibernate (the shutdown
  // privilege was not granted, or the system refused).
  virtual std::optional<ResumeReport> EnterHibernation() = 0;
  // The wake source the System event log gives for a resume after `sinceUtc`
  // (Vista and later, when the user may read it), waiting a few seconds for
  // its event; empty otherwise.
  virtual std::wstring WakeSource(const CivilDateTime& sinceUtc) = 0;
};
