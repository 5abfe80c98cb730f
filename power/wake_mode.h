// The wake mode: Reveilo started by its own job after the timer wake, with no
// window. It keeps the system up for the minutes chosen, or until a person
// uses the machine (from then on Windows' own idle timers govern), then lets
// go and, when asked and nobody came, hibernates the machine again. The
// Windows half is power/wake_mode_win.cpp; tests use a fake.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/civil_time.h"
#include "wake_job/after_wake.h"
#include "wake_job/wake_record.h"

class WakeModeSystem {
 public:
  virtual ~WakeModeSystem() = default;
  // Whether Windows calls this resume automatic, asked once at the start:
  // input resets it.
  virtual bool ResumeAutomatic() = 0;
  // Asks Windows to keep the system up (true) or lets it go (false); false
  // when Windows refuses.
  virtual bool HoldSystem(bool hold) = 0;
  // A millisecond count that goes on while the machine sleeps, and wraps.
  virtual std::uint32_t Ticks() = 0;
  // The same count at this session's last input; nullopt when it cannot be told.
  virtual std::optional<std::uint32_t> LastInputTicks() = 0;
  // Whether this session's input is the physical console's: only then does
  // no input mean nobody at the machine.
  virtual bool WatchesConsole() = 0;
  virtual void Wait(std::uint32_t milliseconds) = 0;
  // Hibernates the machine; true once it has come back, false when refused.
  virtual bool Hibernate() = 0;
};

// Looked at this often, so the hold ends within seconds of the time chosen
// or of a person's first touch.
inline constexpr std::uint32_t kWakeModePollMs = 5000;

// The process's exit status: 0 when it ended as planned, 2 when Windows
// refused the hold or the hibernation.
int RunWakeMode(WakeModeSystem& system, Clock& clock, WakeLog& log, const AfterWake& choice);
