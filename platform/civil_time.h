// A calendar date and a time of day, as the program and the system speak of
// them: below both the wake job and the system's clock.
#pragma once

struct CivilDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// 1601..9999, the years Windows' own date functions take.
bool IsValidCivilDate(int year, int month, int day);

// The present local time, as the system's clock gives it; the Windows half is
// platform/local_time_win.h, tests use a fake.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CivilDateTime Now() = 0;
};
