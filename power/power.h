// What the Set command asks of the machine's power: whether it can wake and
// hibernate as asked, and the hibernate-now sequence. The Windows half is
// power/power_win.h; tests use a fake.
#pragma once
#include "power/readiness.h"

class PowerControl {
 public:
  virtual ~PowerControl() = default;
  virtual WakeTimerCheck WakeTimers() = 0;
  virtual Readiness Hibernation() = 0;
  virtual Readiness ClockWake() = 0;
  // True when the countdown ran to its end, false when it was cancelled.
  virtual bool RunSuspendCountdown() = 0;
  // True once the machine has hibernated and resumed; false when it did not
  // hibernate (the shutdown privilege was not granted, or the system refused).
  virtual bool EnterHibernation() = 0;
};
