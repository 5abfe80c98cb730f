#include "main_window/command_line.h"

std::wstring TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return std::wstring();
  const std::size_t last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

std::optional<CommandLineTokens> SplitCommandLine(std::wstring_view line) {
  const std::size_t s1 = line.find(L' ');
  if (s1 == std::wstring_view::npos) return std::nullopt;
  const std::size_t s2 = line.find(L' ', s1 + 1);
  if (s2 == std::wstring_view::npos) return std::nullopt;
  const std::size_t s3 = line.find(L' ', s2 + 1);
  if (s3 == std::wstring_view::npos) return std::nullopt;
  const std::size_t s4 = line.find(L' ', s3 + 1);

  CommandLineTokens tokens;
  tokens.date = line.substr(0, s1);
  tokens.time = line.substr(s1 + 1, s2 - s1 - 1);
  tokens.user = line.substr(s2 + 1, s3 - s2 - 1);
  tokens.password = s4 == std::wstring_view::npos ? line.substr(s3 + 1) : line.substr(s3 + 1, s4 - s3 - 1);
  AfterWake scratch;
  if (ReadSwitch(tokens.password, scratch)) return std::nullopt;
  for (std::size_t at = s4; at != std::wstring_view::npos && at < line.size();) {
    const std::size_t end = line.find(L' ', at + 1);
    const std::wstring_view word = line.substr(at + 1, end == std::wstring_view::npos ? end : end - at - 1);
    if (!word.empty() && word[0] == L'/' && !ReadSwitch(word, tokens.afterWake)) return std::nullopt;
    at = end;
  }
  if (!UsableChoice(tokens.afterWake)) return std::nullopt;
  const wchar_t last = line.back();
  tokens.hibernate = last == L'x' || last == L'X';
  return tokens;
}

std::optional<HourMinuteTexts> SplitTimeToken(std::wstring_view time) {
  const std::size_t colon = time.find(L':');
  if (colon == std::wstring_view::npos) return std::nullopt;
  return HourMinuteTexts{std::wstring(time.substr(0, colon)), std::wstring(time.substr(colon + 1, 2))};
}
