// The present local time and the locale's date services.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/civil_time.h"

CivilDateTime LocalNow();
CivilDateTime UtcNow();
// A local time as the system's calls take it, to the second.
SYSTEMTIME ToSystemTime(const CivilDateTime& t);
CivilDateTime FromSystemTime(const SYSTEMTIME& st);
// The UTC of a local time by the zone's own rules; nullopt when they cannot say.
std::optional<CivilDateTime> UtcOfLocal(const CivilDateTime& local);
// LocalNow, and the zone's rules for a local time, as the Set command asks for them.
Clock& SystemClock();
// The user locale's abbreviated weekday name of a date ("日" in Japanese).
std::wstring LocaleWeekdayName(const CivilDateTime& date);
// The locale's own reading of a date text, as the user would type it
// ("2027/01/05" under the Japanese locale); nullopt when it is no date or lies
// outside 1601..9999.
std::optional<CivilDateTime> ParseLocaleDate(const std::wstring& text);
