#include <windows.h>
#include <oleauto.h>

#include "platform/local_time_win.h"

CivilDateTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st);
}

CivilDateTime UtcNow() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  return FromSystemTime(st);
}

SYSTEMTIME ToSystemTime(const CivilDateTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year), st.wMonth = static_cast<WORD>(t.month), st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour), st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

CivilDateTime FromSystemTime(const SYSTEMTIME& st) {
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::optional<CivilDateTime> UtcOfLocal(const CivilDateTime& local) {
  const SYSTEMTIME asked = ToSystemTime(local);
  SYSTEMTIME utc;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &asked, &utc)) return std::nullopt;
  return FromSystemTime(utc);
}

namespace {

// The local time of a UTC time moved by `seconds`; nullopt when a conversion fails.
std::optional<CivilDateTime> LocalOf(const SYSTEMTIME& utc, long long seconds) {
  FILETIME file;
  if (!SystemTimeToFileTime(&utc, &file)) return std::nullopt;
  ULARGE_INTEGER ticks;
  ticks.LowPart = file.dwLowDateTime, ticks.HighPart = file.dwHighDateTime;
  ticks.QuadPart += static_cast<ULONGLONG>(seconds * 10000000LL);
  file.dwLowDateTime = ticks.LowPart, file.dwHighDateTime = ticks.HighPart;
  SYSTEMTIME moved, local;
  if (!FileTimeToSystemTime(&file, &moved) || !SystemTimeToTzSpecificLocalTime(nullptr, &moved, &local))
    return std::nullopt;
  return CivilDateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}
}  // namespace

Clock& SystemClock() {
  class LocalClock : public Clock {
    CivilDateTime Now() override { return LocalNow(); }
    std::optional<CivilDateTime> Utc(const CivilDateTime& local) override { return UtcOfLocal(local); }
    LocalTimeKind Kind(const CivilDateTime& local) override {
      const SYSTEMTIME asked = ToSystemTime(local);
      SYSTEMTIME utc;
      if (!TzSpecificLocalTimeToSystemTime(nullptr, &asked, &utc)) return LocalTimeKind::Once;
      // The zone's own shift: Lord Howe Island moves its clock 30 minutes.
      TIME_ZONE_INFORMATION zone{};
      const long long shift = GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID
                                  ? 3600
                                  : DaylightShiftSeconds(zone.DaylightBias);
      if (shift == 0) return JudgeLocalTime(local, LocalOf(utc, 0), std::nullopt, std::nullopt);
      return JudgeLocalTime(local, LocalOf(utc, 0), LocalOf(utc, -shift), LocalOf(utc, shift));
    }
  };
  static LocalClock clock;
  return clock;
}

std::wstring LocaleWeekdayName(const CivilDateTime& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  wchar_t name[32] = {};
  // "ddd" computes the weekday from the date itself.
  if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, L"ddd", name, 32) == 0) return std::wstring();
  return name;
}

namespace {
// "yyyy/m/d" in digits, the form the program itself writes: read strictly, so
// that 2027/02/30 is refused rather than turned into some other day.
std::optional<std::optional<CivilDateTime>> ReadNumericYearFirst(const std::wstring& text) {
  int parts[3] = {};
  int count = 0, digits = 0;
  for (wchar_t c : text) {
    if (c >= L'0' && c <= L'9') {
      if (++digits > 4) return std::nullopt;
      parts[count] = parts[count] * 10 + (c - L'0');
    } else if (c == L'/' && digits > 0 && count < 2 && (count > 0 || digits == 4)) {
      ++count;
      digits = 0;
    } else {
      return std::nullopt;  // not this form: the locale decides
    }
  }
  if (count != 2 || digits == 0) return std::nullopt;
  if (!IsValidCivilDate(parts[0], parts[1], parts[2])) return std::optional<CivilDateTime>();
  return std::optional<CivilDateTime>(CivilDateTime{parts[0], parts[1], parts[2], 0, 0, 0});
}
}  // namespace

std::optional<CivilDateTime> ParseLocaleDate(const std::wstring& text) {
  if (const auto numeric = ReadNumericYearFirst(text)) return *numeric;
  DATE value = 0;
  if (FAILED(VarDateFromStr(const_cast<LPOLESTR>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value)))
    return std::nullopt;
  SYSTEMTIME st{};
  if (!VariantTimeToSystemTime(value, &st)) return std::nullopt;
  if (!IsValidCivilDate(st.wYear, st.wMonth, st.wDay)) return std::nullopt;
  return CivilDateTime{st.wYear, st.wMonth, st.wDay, 0, 0, 0};
}
