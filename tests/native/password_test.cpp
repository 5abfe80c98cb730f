#include <gtest/gtest.h>

#include <set>

#include "settings/password.h"

namespace {
std::wstring Set(std::wstring_view text) { return ConvertPassword(L"SET", text).value(); }
std::wstring Reset(std::wstring_view text) { return ConvertPassword(L"RESET", text).value(); }
std::wstring_view Code(wchar_t c) { return PasswordCodeTable()[static_cast<std::size_t>(c)]; }
}  // namespace

TEST(PasswordCodeTable, HasTheStoredFormsProperties) {
  const auto& table = PasswordCodeTable();
  std::set<std::wstring_view> distinct(table.begin(), table.end());
  EXPECT_EQ(distinct.size(), 128u);
  for (std::wstring_view code : table) {
    ASSERT_EQ(code.size(), 4u);
    for (wchar_t c : code) {
      EXPECT_GE(c, L'!');
      EXPECT_LE(c, L'}');
      // The profile functions strip quotes around a value.
      EXPECT_NE(c, L'"');
    }
  }
}

TEST(ConvertPassword, EveryCharacterRoundTrips) {
  std::wstring all;
  for (int c = 0; c < 128; ++c) all += static_cast<wchar_t>(c);
  const std::wstring scrambled = Set(all);
  EXPECT_EQ(scrambled.size(), 4 * all.size());
  EXPECT_EQ(Reset(scrambled), all);
  for (int c = 0; c < 128; ++c) {
    const std::wstring one(1, static_cast<wchar_t>(c));
    EXPECT_EQ(Reset(Set(one)), one) << "code " << c;
  }
  EXPECT_EQ(Reset(Set(L"pa ss\"w;o=rd\\")), L"pa ss\"w;o=rd\\");
}

TEST(ConvertPassword, ModesAndEmptyText) {
  struct Case {
    const wchar_t* mode;
    const wchar_t* text;
    std::wstring expected;
  };
  const std::wstring scrambledAb = std::wstring(Code(L'a')) + std::wstring(Code(L'b'));
  const Case cases[] = {
      {L"SET", L"", L""},         {L"RESET", L"", L""},
      {L"set", L"ab", scrambledAb}, {L"SeT", L"ab", scrambledAb},
      {L"reset", scrambledAb.c_str(), L"ab"}, {L"Reset", scrambledAb.c_str(), L"ab"},
      {L"", L"ab", L""},          {L"SETX", L"ab", L""},
      {L"RE SET", scrambledAb.c_str(), L""}, {L"GET", L"ab", L""},
  };
  for (const Case& c : cases) {
    const auto result = ConvertPassword(c.mode, c.text);
    ASSERT_TRUE(result.has_value()) << "mode " << c.mode;
    EXPECT_EQ(*result, c.expected) << "mode " << c.mode;
  }
}

TEST(ConvertPassword, ResetSkipsPiecesThatAreNoCode) {
  const std::wstring a(Code(L'a')), b(Code(L'b'));
  // Some four-character text that the table does not hold.
  std::wstring noCode = L"!!!!";
  for (std::wstring_view code : PasswordCodeTable()) ASSERT_NE(code, noCode);

  struct Case {
    std::wstring scrambled;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {a + b + L"x", L"ab"},        {a + b + L"xy", L"ab"},   {a + b + L"xyz", L"ab"},
      {a + noCode + b, L"ab"},      {noCode, L""},            {L"abc", L""},
      {a.substr(1) + b, L""},       // shifted by one: no piece lines up with a code
      {a + a.substr(0, 3), L"a"},
  };
  for (const Case& c : cases) EXPECT_EQ(Reset(c.scrambled), c.expected);
}

TEST(ConvertPassword, SetRefusesCharactersOutsideSevenBits) {
  const wchar_t* refused[] = {
      L"\u00e9",            // Latin-1: not in code page 932 at all
      L"\u00a5",            // yen sign: code page 932 would store it as a backslash
      L"\uff71",            // half-width katakana, a single byte >= 0x80 in Shift-JIS
      L"pass\u30d1\u30b9",  // double-byte characters after ASCII ones
      L"\u0080",
  };
  for (const wchar_t* text : refused) {
    EXPECT_FALSE(ConvertPassword(L"SET", text).has_value());
    EXPECT_FALSE(IsStorablePassword(text));
  }
  EXPECT_TRUE(IsStorablePassword(L"\x7f"));
}
