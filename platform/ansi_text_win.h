// The one boundary between the program's Unicode text and the ANSI code page
// (Shift-JIS on Japanese Windows) that files and the A functions speak.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// A character the code page lacks becomes '?' (no best-fit look-alike).
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// As ToAnsi, but nullopt when a character has no exact form in the code page
// (it would otherwise turn silently into '?' or a look-alike).
std::optional<std::string> ToAnsiExact(std::wstring_view text);
// The same in the console (OEM) code page, the one cmd.exe reads a batch file in.
std::optional<std::string> ToOemExact(std::wstring_view text);
