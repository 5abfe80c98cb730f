// "0x8007007E": a failure's number as a person reading a log looks it up.
#pragma once
#include <cstdint>
#include <string>

inline std::wstring HresultText(long hr) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  const std::uint32_t value = static_cast<std::uint32_t>(hr);
  std::wstring text = L"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
  return text;
}
