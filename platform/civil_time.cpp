#include "platform/civil_time.h"

bool IsValidCivilDate(int year, int month, int day) {
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last;
}

namespace {
bool SameMinute(const std::optional<CivilDateTime>& a, const CivilDateTime& b) {
  return a && a->year == b.year && a->month == b.month && a->day == b.day && a->hour == b.hour &&
         a->minute == b.minute;
}
}  // namespace

LocalTimeKind JudgeLocalTime(const CivilDateTime& local, const std::optional<CivilDateTime>& back,
                             const std::optional<CivilDateTime>& hourEarlier,
                             const std::optional<CivilDateTime>& hourLater) {
  if (back && !SameMinute(back, local)) return LocalTimeKind::Missing;
  if (SameMinute(hourEarlier, local) || SameMinute(hourLater, local)) return LocalTimeKind::Twice;
  return LocalTimeKind::Once;
}
