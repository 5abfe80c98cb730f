#include <windows.h>

#include "platform/ansi_text_win.h"

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int byteLength = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, text.data(), size);
  return text;
}

namespace {
// Never best fit: a character the code page lacks is '?' (or, `exact`, a
// refusal), never a look-alike of another.
std::optional<std::string> ToCodePage(std::wstring_view text, UINT codePage, bool exact) {
  if (text.empty()) return std::string();
  const int wideLength = static_cast<int>(text.size());
  // UTF-8 takes neither the flag nor the default-char test, and has every character.
  const bool utf8 = (codePage == CP_ACP ? GetACP() : GetOEMCP()) == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(codePage, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                       utf8 || !exact ? nullptr : &usedDefault);
  if (size <= 0 || usedDefault) return exact ? std::nullopt : std::optional<std::string>(std::string());
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), wideLength, bytes.data(), size, nullptr, nullptr);
  return bytes;
}
}  // namespace

std::string ToAnsi(std::wstring_view text) { return *ToCodePage(text, CP_ACP, false); }
std::optional<std::string> ToAnsiExact(std::wstring_view text) { return ToCodePage(text, CP_ACP, true); }
std::optional<std::string> ToOemExact(std::wstring_view text) { return ToCodePage(text, CP_OEMCP, true); }
