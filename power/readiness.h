// Whether the machine can wake and hibernate as asked. Only a definite "off"
// from the system counts; a query that fails or a value the system does not
// report counts as fine, so that nobody is asked on a guess.
#pragma once
#include <optional>
#include <string>

enum class Readiness { Fine, Off };

// The power plan's "allow wake timers" values on AC and on battery
// (0 disabled, 1 enabled, 2 important timers only, which leaves ours out),
// nullopt when unknown. The value that counts is the one in force when the
// machine goes to sleep, and a laptop set on mains is often hibernated later
// on battery: with a battery both are judged; without one, mains only. When
// the system cannot say whether it has one, running on battery now
// (acLineStatus 0, as GetSystemPowerStatus reports it) shows that it does.
// A short-term battery is a UPS, which keeps a desktop up through a power cut
// and is never what it sleeps on: such a machine is judged as a desktop.
struct WakeTimerCheck {
  Readiness readiness = Readiness::Fine;
  std::wstring values;  // each value that is off, as Windows names its source and setting, a line each
};
struct Batteries {
  bool present = false;    // SYSTEM_POWER_CAPABILITIES.SystemBatteriesPresent
  bool shortTerm = false;  // its BatteriesAreShortTerm
};
WakeTimerCheck JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc,
                               std::optional<Batteries> batteries, unsigned acLineStatus);

struct HibernationCapabilities {
  bool systemS4;
  bool hiberFilePresent;
};
// nullopt when the capabilities could not be read.
Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities);

// The lowest sleep state from which the real-time clock can wake the machine
// (SYSTEM_POWER_STATE: 1 working, 2 to 4 S1 to S3, 5 hibernation, 6 off);
// a known state lighter than hibernation means no wake from hibernation.
Readiness JudgeClockWake(std::optional<unsigned> rtcWake);
