// The raw command line after the program's own name (quoted or not), with
// nothing else taken away: quotes and blanks in the arguments stay as given.
#pragma once
#include <string_view>

inline std::wstring_view ArgumentText(std::wstring_view commandLine) {
  std::size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const std::size_t close = commandLine.find(L'"', 1);
    at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t') ++at;
  }
  return commandLine.substr(at);
}
