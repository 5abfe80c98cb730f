// "0x8007007E": a failure's number as a person reading a log looks it up.
#pragma once
#include <cstdint>
#include <string>

#include "res/strings.h"

inline std::wstring HresultText(long hr) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  const std::uint32_t value = static_cast<std::uint32_t>(hr);
  std::wstring text = L"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
  return text;
}

// "…できませんでした（エラー コード 0x80070005）。": the code inside the sentence.
inline std::wstring WithErrorCode(const wchar_t* sentence, long hr) {
  return std::wstring(sentence) + kErrorCodeOpen + HresultText(hr) + kErrorCodeClose;
}

// The failures a person can act on, in words; empty for the others.
inline std::wstring HresultMeaning(long hr) {
  switch (static_cast<std::uint32_t>(hr)) {
    case 0x80070005u: return kHrAccessDenied;       // E_ACCESSDENIED
    case 0x80041315u:                                // SCHED_E_SERVICE_NOT_RUNNING
    case 0x80070426u: return kHrServiceNotRunning;  // ERROR_SERVICE_NOT_ACTIVE
    case 0x80070534u: return kHrNoSuchAccount;      // ERROR_NONE_MAPPED
    case 0x8007052Eu: return kHrLogonFailure;       // ERROR_LOGON_FAILURE
    default: return std::wstring();
  }
}
