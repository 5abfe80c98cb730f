// Turns fuzzer bytes into wide text over an alphabet that reaches the parsers'
// interesting cases (separators, quotes, cmd's metacharacters, Japanese).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

inline std::wstring FuzzText(const std::uint8_t* data, std::size_t size) {
  static const wchar_t kAlphabet[] = L" \t:/\"^&|<>()%!xX0123456789abAB\\\r\n\u3000\u5c71\uff71\u00e9";
  constexpr std::size_t kAlphabetSize = sizeof kAlphabet / sizeof kAlphabet[0] - 1;
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    // High bit set: a raw 7-bit code, so every ASCII character is reachable.
    text += data[i] & 0x80 ? static_cast<wchar_t>(data[i] & 0x7F) : kAlphabet[data[i] % kAlphabetSize];
  }
  return text;
}
