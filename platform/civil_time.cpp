#include "platform/civil_time.h"

bool IsValidCivilDate(int year, int month, int day) {
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last;
}

namespace {
// A count of days in the proleptic Gregorian calendar, from 1 March of year
// 0 (plus one): only the difference of two means anything.
long DayNumber(int year, int month, int day) {
  if (month <= 2) --year;
  const long era = year / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day;
  return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

bool SameMinute(const std::optional<CivilDateTime>& a, const CivilDateTime& b) { return a && SameMinute(*a, b); }
}  // namespace

bool SameMinute(const CivilDateTime& a, const CivilDateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

long long SecondsBetween(const CivilDateTime& from, const CivilDateTime& to) {
  return (DayNumber(to.year, to.month, to.day) - DayNumber(from.year, from.month, from.day)) * 86400LL +
         (to.hour * 3600 + to.minute * 60 + to.second) - (from.hour * 3600 + from.minute * 60 + from.second);
}

LocalTimeKind JudgeLocalTime(const CivilDateTime& local, const std::optional<CivilDateTime>& back,
                             const std::optional<CivilDateTime>& hourEarlier,
                             const std::optional<CivilDateTime>& hourLater) {
  if (back && !SameMinute(back, local)) return LocalTimeKind::Missing;
  if (SameMinute(hourEarlier, local) || SameMinute(hourLater, local)) return LocalTimeKind::Twice;
  return LocalTimeKind::Once;
}
