#include <gtest/gtest.h>


#include "settings/password.h"

namespace {
std::wstring Code(wchar_t c) { return std::wstring(PasswordCodeTable()[static_cast<std::size_t>(c)]); }
}  // namespace

// Every seven-bit character comes back, through four printable characters without '"', which the
// profile functions would strip from the ends of a value.
TEST(ConvertPassword, EverySevenBitCharacterRoundTrips) {
  std::wstring all;
  for (int c = 0; c < 128; ++c) all += static_cast<wchar_t>(c);
  const std::wstring scrambled = ConvertPassword(L"SET", all).value();
  EXPECT_EQ(ConvertPassword(L"RESET", scrambled), all);
  EXPECT_EQ(scrambled.size(), 4u * 128);
  for (wchar_t c : scrambled) EXPECT_TRUE(c >= L'!' && c <= L'}' && c != L'"') << int(c);
}

TEST(ConvertPassword, ModesPiecesAndRefusals) {
  const std::wstring a = Code(L'a'), b = Code(L'b'), noCode = L"!!!!";
  for (std::wstring_view code : PasswordCodeTable()) ASSERT_NE(code, noCode);
  const struct {
    const wchar_t* mode;
    std::wstring text;
    std::optional<std::wstring> expected;
  } rows[] = {
      {L"SET", L"", L""},      {L"RESET", L"", L""},   {L"SeT", L"ab", a + b},  {L"reset", a + b, L"ab"},
      {L"", L"ab", L""},       {L"SETX", L"ab", L""},  {L"RE SET", a + b, L""},
      // RESET skips what is no whole code: a short tail, a foreign piece, a shifted text.
      {L"RESET", a + b + L"xyz", L"ab"},  {L"RESET", a + noCode + b, L"ab"},  {L"RESET", noCode, L""},
      {L"RESET", L"abc", L""},  {L"RESET", a.substr(1) + b, L""},  {L"RESET", a + a.substr(0, 3), L"a"},
      // SET refuses what the seven-bit table cannot hold, rather than change it: a letter code page 932 lacks, the
      // yen sign (932 would make it a backslash), half-width katakana (one byte >= 0x80).
      {L"SET", L"\u00e9", std::nullopt},  {L"SET", L"\u00a5", std::nullopt},  {L"SET", L"\uff71", std::nullopt},
      {L"SET", L"passパス", std::nullopt},  {L"SET", L"\u0080", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ConvertPassword(row.mode, row.text), row.expected) << "mode " << row.mode << ", " << row.text.size();
    if (std::wstring(row.mode) == L"SET") {
      EXPECT_EQ(IsStorablePassword(row.text), row.expected.has_value());
    }
  }
}
