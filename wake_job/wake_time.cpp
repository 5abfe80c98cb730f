#include "wake_job/wake_time.h"

#include <algorithm>

namespace {
// A digit's value; full-width digits (U+FF10..U+FF19) only where `wide`.
std::optional<int> DigitValue(wchar_t c, bool wide) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (wide && c >= 0xFF10 && c <= 0xFF19) return c - 0xFF10;
  return std::nullopt;
}

// Reads minDigits..maxDigits digits at `at`; advances it.
std::optional<int> ReadNumber(std::wstring_view text, std::size_t& at, std::size_t minDigits,
                              std::size_t maxDigits, bool wide = false) {
  std::size_t digits = 0;
  int value = 0;
  while (at < text.size() && digits < maxDigits && DigitValue(text[at], wide)) {
    value = value * 10 + *DigitValue(text[at], wide);
    ++at;
    ++digits;
  }
  if (digits < minDigits) return std::nullopt;
  return value;
}

// With the IME on, the combo boxes get the full-width blank U+3000.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == 0x3000; }

void SkipBlanks(std::wstring_view text, std::size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
}

bool Expect(std::wstring_view text, std::size_t& at, wchar_t c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}
}  // namespace

std::optional<CivilDateTime> ParseMonthDayYear(std::wstring_view text) {
  std::size_t at = 0;
  auto month = ReadNumber(text, at, 1, 2);
  if (!month || !Expect(text, at, L'/')) return std::nullopt;
  auto day = ReadNumber(text, at, 1, 2);
  if (!day || !Expect(text, at, L'/')) return std::nullopt;
  auto year = ReadNumber(text, at, 4, 4);
  if (!year || at != text.size()) return std::nullopt;
  if (!IsValidCivilDate(*year, *month, *day)) return std::nullopt;
  return CivilDateTime{*year, *month, *day};  // the date alone
}

std::optional<ClockTime> ParseHourMinute(std::wstring_view text) {
  // Blanks around either field are read past, as the date conversion reads
  // them: "05 " typed into the minute box is five past, not "no time". The
  // IME's state carries over from the user box, so "２３" is 23 as well.
  std::size_t at = 0;
  SkipBlanks(text, at);
  auto hour = ReadNumber(text, at, 1, 2, true);
  SkipBlanks(text, at);
  if (!hour || !Expect(text, at, L':')) return std::nullopt;
  SkipBlanks(text, at);
  auto minute = ReadNumber(text, at, 1, 2, true);
  SkipBlanks(text, at);
  if (!minute || at != text.size() || *hour > 23 || *minute > 59) return std::nullopt;
  return ClockTime{*hour, *minute};
}

std::optional<int> ReadCount(std::wstring_view text, std::size_t maxDigits, int least, int most) {
  std::size_t at = 0;
  const auto value = ReadNumber(text, at, 1, maxDigits);
  if (!value || at != text.size() || *value < least || *value > most) return std::nullopt;
  return value;
}

std::wstring Decimal(int value) {
  // Digits by hand: the library's formatting would bring a printf engine
  // into every shipped program for the sake of a few numbers.
  unsigned magnitude = static_cast<unsigned>(value);
  std::wstring text;
  do {
    text.insert(text.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return text;
}

std::wstring Padded(int value, int width) {
  const std::wstring text = Decimal(value);
  return std::wstring(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), L'0') + text;
}

std::wstring ToolTimeText(std::wstring_view timeText) {
  std::wstring word;
  for (wchar_t c : timeText) {
    if (IsBlank(c)) continue;
    const auto digit = DigitValue(c, true);
    word += digit ? static_cast<wchar_t>(L'0' + *digit) : c;
  }
  return word;
}

std::optional<CivilDateTime> ParseWakeMinute(std::wstring_view dateText, std::wstring_view timeText) {
  const auto date = ParseMonthDayYear(dateText);
  const auto time = ParseHourMinute(timeText);
  if (!date || !time) return std::nullopt;
  return CivilDateTime{date->year, date->month, date->day, time->hour, time->minute, 0};
}

std::wstring ComponentStartText(const CivilDateTime& at) {
  return Padded(at.year, 4) + L"/" + Padded(at.month, 2) + L"/" + Padded(at.day, 2) + L" " + Padded(at.hour, 2) +
         L":" + Padded(at.minute, 2) + L":00";
}

std::optional<CivilDateTime> ParseComponentStart(std::wstring_view text) {
  std::size_t at = 0;
  auto year = ReadNumber(text, at, 4, 4);
  if (!year || !Expect(text, at, L'/')) return std::nullopt;
  auto month = ReadNumber(text, at, 2, 2);
  if (!month || !Expect(text, at, L'/')) return std::nullopt;
  auto day = ReadNumber(text, at, 2, 2);
  if (!day || !Expect(text, at, L' ')) return std::nullopt;
  auto hour = ReadNumber(text, at, 2, 2);
  if (!hour || !Expect(text, at, L':')) return std::nullopt;
  auto minute = ReadNumber(text, at, 2, 2);
  if (!minute || !Expect(text, at, L':')) return std::nullopt;
  auto second = ReadNumber(text, at, 2, 2);
  if (!second || at != text.size()) return std::nullopt;
  if (!IsValidCivilDate(*year, *month, *day) || *hour > 23 || *minute > 59 || *second > 59)
    return std::nullopt;
  return CivilDateTime{*year, *month, *day, *hour, *minute, *second};
}
