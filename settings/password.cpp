#include "settings/password.h"

namespace {
// Our own table: fixed once, since a scrambled password is only readable with
// the table that wrote it. Drawn from '!'..'}' without '"', which the profile
// functions would strip from the ends of a value.
constexpr std::array<std::wstring_view, kPasswordCodeCount> kCodes = {
    L"n*Du", L"JgNS", L"A$\\s", L"I)]a", L"tKrs", L"5U}b", L"}yIT", L"<<7+",
    L"zD3S", L"xuOe", L"!_$s", L"?9mD", L"cccg", L";G}t", L"ew+;", L"_*h-",
    L"z1X/", L"H^UZ", L"R8$%", L"5j%(", L"E;1^", L"K].O", L"0)4w", L"(/n3",
    L"#ZZr", L"?4V@", L"SqM`", L"09a@", L"Qg:#", L"=\\So", L"zXiX", L"@qdm",
    L"31)j", L"=Rf!", L"'xyU", L"!d]l", L"b[RQ", L"!{JQ", L"LHif", L"bLff",
    L"O_Zo", L"^1cv", L"l5X)", L"eerf", L"_W<0", L"n-*P", L"+p0G", L"A37D",
    L"6np;", L"Kw)2", L".lJa", L":`\\k", L"1Gc@", L"]%#7", L"aq)7", L"sOCF",
    L"s5nt", L"l||d", L"*Dyy", L"KO11", L"Mrl1", L"0|xt", L".I?c", L"=+Mx",
    L"GoJS", L"&*L|", L"5.),", L"wEh<", L"pd>F", L"OuA?", L"!:JN", L"vj<(",
    L"i6bn", L"{}wi", L"e}i)", L"'c/>", L"*r9F", L"KoVe", L"b_d<", L"/2b+",
    L"TABu", L"6HG=", L"qj2B", L"e0O7", L"oTs;", L")sA_", L"v4ZR", L"HT}c",
    L"M_D&", L")N^w", L"wmx|", L"u|p]", L"+>&/", L"-x,S", L"nJm}", L"m!+I",
    L"Nk?0", L"WC?d", L"z]qI", L"-R1p", L"01q(", L"|QCm", L",q!M", L"UN+0",
    L"6.iL", L"LA{L", L";$mz", L"|s.K", L"{o&s", L"{92r", L"fAP4", L"roaO",
    L"Q*lH", L"x3dv", L"it.u", L"a]{C", L"<&<?", L"Z=\\v", L">:aA", L"?%X9",
    L"i_F<", L"sbGV", L"XD!s", L"d_ua", L"V9aR", L"f^Wx", L"t\\CS", L"`V:6",
};

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

std::optional<std::wstring> Scramble(std::wstring_view password) {
  if (!IsStorablePassword(password)) return std::nullopt;
  std::wstring scrambled;
  scrambled.reserve(password.size() * kPasswordCodeLength);
  for (wchar_t c : password) scrambled += kCodes[static_cast<std::size_t>(c)];
  return scrambled;
}

std::wstring Restore(std::wstring_view scrambled) {
  std::wstring password;
  // A short tail is no code: it is left out.
  for (std::size_t at = 0; at + kPasswordCodeLength <= scrambled.size(); at += kPasswordCodeLength) {
    std::wstring_view piece = scrambled.substr(at, kPasswordCodeLength);
    for (std::size_t index = 0; index < kCodes.size(); ++index) {
      if (kCodes[index] == piece) {
        password += static_cast<wchar_t>(index);
        break;
      }
    }
  }
  return password;
}
}  // namespace

const std::array<std::wstring_view, kPasswordCodeCount>& PasswordCodeTable() { return kCodes; }

bool IsStorablePassword(std::wstring_view password) {
  // Judged on the Unicode character, not its ANSI byte: a character that the
  // code page maps to an ASCII look-alike (U+00A5 to 0x5C) would come back as
  // a different password.
  for (wchar_t c : password) {
    if (static_cast<unsigned long>(c) >= kPasswordCodeCount) return false;
  }
  return true;
}

std::optional<std::wstring> ConvertPassword(std::wstring_view mode, std::wstring_view text) {
  const std::wstring upper = UpperAscii(mode);
  if (upper == L"SET") return Scramble(text);
  if (upper == L"RESET") return Restore(text);
  return std::wstring();
}
