#include "wake_job/after_wake.h"

#include <algorithm>

#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
constexpr std::wstring_view kAwakeSwitch = L"/awake:";
constexpr std::wstring_view kRehibernateSwitch = L"/rehibernate";

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
bool StartsWithCaseless(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != prefix[i]) return false;
  return true;
}

}  // namespace

std::optional<int> ReadAwakeMinutes(std::wstring_view digits) { return ReadCount(digits, 3, 1, kMaxAwakeMinutes); }

bool ReadSwitch(std::wstring_view word, AfterWake& into) {
  if (word.size() == kRehibernateSwitch.size() && StartsWithCaseless(word, kRehibernateSwitch)) {
    if (into.rehibernate) return false;
    into.rehibernate = true;
    return true;
  }
  if (!StartsWithCaseless(word, kAwakeSwitch) || into.minutes != 0) return false;
  const auto minutes = ReadAwakeMinutes(word.substr(kAwakeSwitch.size()));
  if (!minutes) return false;
  into.minutes = *minutes;
  return true;
}

bool UsableChoice(const AfterWake& choice) { return choice.On() || !choice.rehibernate; }

std::wstring SwitchesText(const AfterWake& choice) {
  if (!choice.On()) return std::wstring();
  return std::wstring(kAwakeSwitch) + Decimal(choice.minutes) +
         (choice.rehibernate ? L" " + std::wstring(kRehibernateSwitch) : std::wstring());
}

std::wstring WakeModeArguments(const AfterWake& choice) {
  return std::wstring(kWakeModeWord) + L" " + SwitchesText(choice);
}

bool IsWakeModeLine(std::wstring_view trimmed) {
  const std::wstring_view word(kWakeModeWord);
  return trimmed.substr(0, trimmed.find(L' ')).size() == word.size() && StartsWithCaseless(trimmed, word);
}

std::optional<AfterWake> ReadWakeModeLine(std::wstring_view trimmed) {
  if (!IsWakeModeLine(trimmed)) return std::nullopt;
  AfterWake choice;
  std::size_t at = std::wstring_view(kWakeModeWord).size();
  while (at < trimmed.size()) {
    const std::size_t end = std::min(trimmed.find(L' ', at + 1), trimmed.size());
    const std::wstring_view word = trimmed.substr(at + 1, end - at - 1);
    if (!ReadSwitch(word, choice)) return std::nullopt;
    at = end;
  }
  if (!choice.On()) return std::nullopt;
  return choice;
}

std::wstring AwakeLengthText(int minutes) {
  const int hours = minutes / 60, rest = minutes % 60;
  std::wstring text = hours ? Decimal(hours) + kMenuHours : std::wstring();
  if (rest) text += (text.empty() ? L"" : L" ") + Decimal(rest) + kMenuMinutes;
  return text;
}
