// The start-up's command-line splitting: never fails on any text, and what it
// returns is the line's own text.
#include <cstdlib>

#include "fuzz_input.h"
#include "main_window/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring raw = FuzzText(data, size);
  const std::wstring line = TrimSpaces(ArgumentText(raw));
  if (!line.empty() && (line.front() == L' ' || line.back() == L' ')) std::abort();
  const auto tokens = SplitCommandLine(line);
  if (tokens) {
    // The four tokens and their separators are the line's start, unchanged.
    const std::wstring joined = tokens->date + L" " + tokens->time + L" " + tokens->user + L" " + tokens->password;
    if (line.compare(0, joined.size(), joined) != 0) std::abort();
    if (tokens->hibernate != (line.back() == L'x' || line.back() == L'X')) std::abort();
    for (const std::wstring* token : {&tokens->date, &tokens->time, &tokens->user, &tokens->password})
      if (token->find(L' ') != std::wstring::npos) std::abort();
    if (const auto time = SplitTimeToken(tokens->time)) {
      if (time->minute.size() > 2 || time->hour.find(L':') != std::wstring::npos) std::abort();
      if (tokens->time.compare(0, time->hour.size() + 1 + time->minute.size(),
                               time->hour + L":" + time->minute) != 0)
        std::abort();
    } else if (tokens->time.find(L':') != std::wstring::npos) {
      std::abort();
    }
  }
  return 0;
}
