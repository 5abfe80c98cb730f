// How cmd.exe reads one line of a batch file, for the escaping's tests:
// "%%" gives "%", '"' toggles the quote state, and outside quotes '^' takes
// the next character literally. Returns nullopt where cmd would do something
// other than pass text on: a lone '%' (a variable), or an unescaped & | < > ( )
// outside quotes (a command of its own, a pipe, a redirection).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline std::optional<std::wstring> CmdReadsBatchLine(std::wstring_view line) {
  std::wstring out;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const wchar_t c = line[i];
    if (c == L'%') {
      if (i + 1 >= line.size() || line[i + 1] != L'%') return std::nullopt;
      out += L'%';
      ++i;
    } else if (c == L'"') {
      quoted = !quoted;
      out += c;
    } else if (!quoted && c == L'^') {
      if (i + 1 >= line.size()) return std::nullopt;  // would join the next line
      out += line[++i];
    } else if (!quoted && std::wstring_view(L"&|<>()").find(c) != std::wstring_view::npos) {
      return std::nullopt;
    } else if (c == L'\r' || c == L'\n') {
      return std::nullopt;
    } else {
      out += c;
    }
  }
  return out;
}

// A batch text's lines without their CR LF; text after the last CR LF is no line.
inline std::vector<std::wstring> BatchLines(const std::wstring& batch) {
  std::vector<std::wstring> lines;
  for (std::size_t at = 0, end; (end = batch.find(L"\r\n", at)) != std::wstring::npos; at = end + 2)
    lines.push_back(batch.substr(at, end - at));
  return lines;
}
