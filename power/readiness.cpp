#include "power/readiness.h"

Readiness JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc) {
  // "Important wake timers only" (2) does not count a task's timer as
  // important, so for us it is as good as off.
  const auto off = [](std::optional<unsigned long> value) { return value && (*value == 0 || *value == 2); };
  return off(ac) || off(dc) ? Readiness::Off : Readiness::Fine;
}

Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities) {
  if (!capabilities) return Readiness::Fine;
  return capabilities->systemS4 && capabilities->hiberFilePresent ? Readiness::Fine : Readiness::Off;
}
