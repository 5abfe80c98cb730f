#include "platform/civil_time.h"

#include <array>
#include <cstdlib>

bool IsValidCivilDate(int year, int month, int day) {
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
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

// DayNumber's inverse, for the same years (never before year 0).
CivilDateTime DateOfDayNumber(long long number) {
  const long long days = number - 1;  // from 1 March of year 0
  const long long era = days / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shifted = (5 * dayOfYear + 2) / 153;  // 0 for March
  CivilDateTime date;
  date.day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  date.month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}
}  // namespace

bool SameMinute(const CivilDateTime& a, const CivilDateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

long long SecondsBetween(const CivilDateTime& from, const CivilDateTime& to) {
  return (DayNumber(to.year, to.month, to.day) - DayNumber(from.year, from.month, from.day)) * 86400LL +
         (to.hour * 3600 + to.minute * 60 + to.second) - (from.hour * 3600 + from.minute * 60 + from.second);
}

CivilDateTime AddSeconds(const CivilDateTime& t, long long seconds) {
  const long long total = t.hour * 3600LL + t.minute * 60 + t.second + seconds;
  long long days = total / 86400;
  if (total % 86400 < 0) --days;  // a time before midnight is on an earlier day
  const long long rest = total - days * 86400;
  CivilDateTime moved = DateOfDayNumber(DayNumber(t.year, t.month, t.day) + days);
  moved.hour = static_cast<int>(rest / 3600);
  moved.minute = static_cast<int>(rest / 60 % 60);
  moved.second = static_cast<int>(rest % 60);
  return moved;
}

LocalTimeKind JudgeLocalTime(const CivilDateTime& local, const std::optional<CivilDateTime>& back,
                             const std::optional<CivilDateTime>& shiftEarlier,
                             const std::optional<CivilDateTime>& shiftLater) {
  if (back && !SameMinute(back, local)) return LocalTimeKind::Missing;
  if (SameMinute(shiftEarlier, local) || SameMinute(shiftLater, local)) return LocalTimeKind::Twice;
  return LocalTimeKind::Once;
}

long long DaylightShiftSeconds(long daylightBiasMinutes) {
  return std::labs(daylightBiasMinutes) * 60LL;
}
