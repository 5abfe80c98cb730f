#include "power/readiness.h"

#include <utility>

#include "res/strings.h"

WakeTimerCheck JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc,
                               std::optional<Batteries> batteries, unsigned acLineStatus) {
  // A desktop's battery value is a plan default nobody sees.
  const bool battery = batteries ? batteries->present && !batteries->shortTerm : acLineStatus == 0;
  WakeTimerCheck check;
  for (const auto& [value, source] : {std::pair{ac, kPowerSourceMains}, {battery ? dc : std::nullopt, kPowerSourceBattery}}) {
    // "Important wake timers only" (2) does not count a task's timer as
    // important, so for us it is as good as off.
    if (!value || (*value != 0 && *value != 2)) continue;
    if (!check.values.empty()) check.values += L"\n";
    // A desktop has one value: naming it by a source would ask the user to tell two apart.
    check.values += std::wstring(battery ? source : L"") + (*value == 0 ? kWakeTimersDisabled : kWakeTimersImportantOnly);
    check.readiness = Readiness::Off;
  }
  return check;
}

Readiness JudgeClockWake(std::optional<unsigned> rtcWake) {
  return rtcWake && *rtcWake >= 1 && *rtcWake <= 4 ? Readiness::Off : Readiness::Fine;
}

Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities) {
  if (!capabilities) return Readiness::Fine;
  return capabilities->systemS4 && capabilities->hiberFilePresent ? Readiness::Fine : Readiness::Off;
}
