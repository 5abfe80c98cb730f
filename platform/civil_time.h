// A calendar date and a time of day, as the program and the system speak of
// them: below both the wake job and the system's clock.
#pragma once
#include <optional>

struct CivilDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// 1601..9999, the years Windows' own date functions take.
bool IsValidCivilDate(int year, int month, int day);

// Whether two times fall in the same minute.
bool SameMinute(const CivilDateTime& a, const CivilDateTime& b);

// Seconds from one time to another (negative when `to` comes first), in the
// proleptic Gregorian calendar.
long long SecondsBetween(const CivilDateTime& from, const CivilDateTime& to);

// The time `seconds` later (earlier when negative), across days, months and
// years.
CivilDateTime AddSeconds(const CivilDateTime& t, long long seconds);

// How a local time stands in the time zone's daylight-saving rules: outside
// Japan, a time in the spring-forward gap never comes, and one in the hour
// that falls back comes twice.
enum class LocalTimeKind { Once, Missing, Twice };
// Judged from the zone's own conversions: `back` is the local time that the
// UTC time found for `local` converts back to; `shiftEarlier` and
// `shiftLater` are the local times of that UTC time one daylight shift
// (DaylightShiftSeconds) before and after. nullopt where a conversion failed
// or the zone has no shift: a time nothing was learnt of counts as once.
LocalTimeKind JudgeLocalTime(const CivilDateTime& local, const std::optional<CivilDateTime>& back,
                             const std::optional<CivilDateTime>& shiftEarlier,
                             const std::optional<CivilDateTime>& shiftLater);
// How far the zone's clock moves at a daylight-saving change, from its
// daylight bias in minutes (TIME_ZONE_INFORMATION's, negative where the clock
// goes forward): an hour in most zones, 30 minutes on Lord Howe Island; 0
// where the zone keeps no daylight saving.
long long DaylightShiftSeconds(long daylightBiasMinutes);

// The present local time, as the system's clock gives it, and the zone's rules; the Windows half is
// platform/local_time_win.h, tests use a fake.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CivilDateTime Now() = 0;
  // The UTC of a local time by the zone's rules; nullopt when they cannot say.
  virtual std::optional<CivilDateTime> Utc(const CivilDateTime& local) = 0;
  virtual LocalTimeKind Kind(const CivilDateTime& local) = 0;
};
