#include "power/wake_mode.h"

#include <algorithm>

#include "res/strings.h"
#include "wake_job/wake_time.h"

int RunWakeMode(WakeModeSystem& system, Clock& clock, WakeLog& log, const AfterWake& choice) {
  const auto line = [&](const std::wstring& text) { log.Append(LogTime(clock.Now()) + kLogAfterWake + text); };
  const bool automatic = system.ResumeAutomatic();
  const std::uint32_t start = system.Ticks();
  line(kLogWakeModeStarted + AwakeLengthText(choice.minutes) + kLogWakeModeHolding +
       (automatic ? kLogResumeAutomatic : kLogResumeNotAutomatic));
  if (!system.HoldSystem(true)) {
    line(kLogHoldRefused);
    return 2;
  }
  const std::uint32_t span = static_cast<std::uint32_t>(choice.minutes) * 60000u;
  std::optional<std::uint32_t> personAfter;  // milliseconds after the start
  bool inputKnown = true;
  for (;;) {
    const std::uint32_t elapsed = system.Ticks() - start;
    const auto last = system.LastInputTicks();
    inputKnown &= last.has_value();
    // Signed: an input just before the start reads as negative, not as a wrap.
    if (last && static_cast<std::int32_t>(*last - start) > 0) {
      personAfter = *last - start;
      break;
    }
    if (elapsed >= span) break;
    system.Wait(std::min(kWakeModePollMs, span - elapsed));
  }
  (void)system.HoldSystem(false);  // letting go cannot be refused in any way that matters now
  if (personAfter) {
    const std::uint32_t minutes = *personAfter / 60000u;
    line((minutes ? Decimal(static_cast<int>(minutes)) + kLogPersonAfter : std::wstring(kLogPersonWithinAMinute)) +
         kLogPersonCame);
    return 0;
  }
  // Back to hibernation only on proof that nobody came: every look at the
  // input answered, and the input looked at is the machine's own console.
  const bool rehibernate = choice.rehibernate && inputKnown && system.WatchesConsole();
  line(AwakeLengthText(choice.minutes) + (inputKnown ? kLogHeldNobody : kLogHeldInputUnknown) +
       (rehibernate ? kLogRehibernating : choice.rehibernate ? kLogCannotWatchInput : L""));
  if (rehibernate && !system.Hibernate()) {
    line(kLogRehibernateRefused);
    return 2;
  }
  return 0;
}
