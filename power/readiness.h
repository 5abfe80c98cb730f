// Whether the machine can wake and hibernate as asked. Only a definite "off"
// from the system counts; a query that fails or a value the system does not
// report counts as fine, so that nobody is asked on a guess.
#pragma once
#include <optional>

enum class Readiness { Fine, Off };

// The power plan's "allow wake timers" values on AC and on battery
// (0 disabled, 1 enabled, 2 important timers only, which leaves ours out);
// nullopt when unknown.
Readiness JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc);

struct HibernationCapabilities {
  bool systemS4;
  bool hiberFilePresent;
};
// nullopt when the capabilities could not be read.
Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities);

// Windows only: the active plan and the power capabilities, read through
// powrprof.dll loaded at run time (a system without it still runs Reveilo).
Readiness QueryWakeTimers();
Readiness QueryHibernation();
