#include "power/readiness.h"

Readiness JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc,
                          std::optional<bool> batteriesPresent, unsigned acLineStatus) {
  // A desktop's battery value is a plan default nobody sees; a laptop's is
  // the one that counts while it runs on battery.
  std::optional<unsigned long> applies;
  if (batteriesPresent == false || acLineStatus == 1) {
    applies = ac;
  } else if (acLineStatus == 0) {
    applies = dc;
  }
  // "Important wake timers only" (2) does not count a task's timer as
  // important, so for us it is as good as off.
  return applies && (*applies == 0 || *applies == 2) ? Readiness::Off : Readiness::Fine;
}

Readiness JudgeClockWake(std::optional<unsigned> rtcWake) {
  return rtcWake && *rtcWake >= 1 && *rtcWake <= 4 ? Readiness::Off : Readiness::Fine;
}

Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities) {
  if (!capabilities) return Readiness::Fine;
  return capabilities->systemS4 && capabilities->hiberFilePresent ? Readiness::Fine : Readiness::Off;
}
