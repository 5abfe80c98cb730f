#include "power/readiness.h"

Readiness JudgeWakeTimers(std::optional<unsigned long> ac, std::optional<unsigned long> dc) {
  const bool off = (ac && *ac == 0) || (dc && *dc == 0);
  return off ? Readiness::Off : Readiness::Fine;
}

Readiness JudgeHibernation(const std::optional<HibernationCapabilities>& capabilities) {
  if (!capabilities) return Readiness::Fine;
  return capabilities->systemS4 && capabilities->hiberFilePresent ? Readiness::Fine : Readiness::Off;
}
