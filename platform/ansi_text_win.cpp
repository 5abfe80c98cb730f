#include <windows.h>

#include "platform/ansi_text_win.h"

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int wideLength = static_cast<int>(text.size());
  // No best fit: a character the code page lacks is '?', never a look-alike
  // of another (UTF-8 takes no such flag, and lacks nothing).
  const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

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
std::optional<std::string> ToCodePageExact(std::wstring_view text, UINT codePage) {
  if (text.empty()) return std::string();
  const int wideLength = static_cast<int>(text.size());
  // UTF-8 takes neither the flag nor the default-char test, and has every character.
  const bool utf8 = (codePage == CP_ACP ? GetACP() : GetOEMCP()) == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(codePage, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                       utf8 ? nullptr : &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), wideLength, bytes.data(), size, nullptr, nullptr);
  return bytes;
}
}  // namespace

std::optional<std::string> ToAnsiExact(std::wstring_view text) { return ToCodePageExact(text, CP_ACP); }
std::optional<std::string> ToOemExact(std::wstring_view text) { return ToCodePageExact(text, CP_OEMCP); }
