// Scrambling of the stored password: each character becomes one of 128 fixed
// four-character codes, so "setting.ini" never holds the password in plain.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kPasswordCodeLength = 4;
inline constexpr std::size_t kPasswordCodeCount = 128;

const std::array<std::wstring_view, kPasswordCodeCount>& PasswordCodeTable();

// True when every character can be scrambled: the table covers 7-bit codes only.
bool IsStorablePassword(std::wstring_view password);

// mode "SET" scrambles, "RESET" restores; the mode is compared without regard
// to case and any other mode gives "". "SET" returns nullopt, and no partial
// text, when a character lies outside 7-bit ASCII. "RESET" never fails: a
// piece that is no code (a short tail included) is skipped.
std::optional<std::wstring> ConvertPassword(std::wstring_view mode, std::wstring_view text);
