// The one boundary between the program's Unicode text and the ANSI code page
// (Shift-JIS on Japanese Windows) that files and the A functions speak.
#pragma once
#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
