// Taking apart the arguments Reveilo.exe was started with:
//   date time user password [/awake:N] [/rehibernate] [x]
// (single spaces; a line ending in x or X hibernates)
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/argument_text.h"
#include "wake_job/after_wake.h"

// Leading and trailing U+0020 removed; tabs and other blanks are kept.
std::wstring TrimSpaces(std::wstring_view text);

struct CommandLineTokens {
  std::wstring date, time, user, password;
  bool hibernate = false;  // the line's last character is x or X
  AfterWake afterWake;     // the switches after the fourth word
};

// The tokens of a trimmed, non-empty argument text. Every space counts, so two
// adjacent spaces enclose an empty token; the password is the text between the
// third and fourth space, or everything after the third. After the fourth,
// a word that starts with '/' must be a switch (the others mean nothing).
// nullopt when the line has fewer than three spaces (it cannot give a user
// and a password), when a word there is not a switch, when the switches make
// no usable choice, or when the fourth word is itself a switch (a word is
// missing: the switch would silently become the password).
std::optional<CommandLineTokens> SplitCommandLine(std::wstring_view trimmed);

struct HourMinuteTexts {
  std::wstring hour, minute;
};

// Hour = the text before the first ':', minute = at most two characters after
// it, neither padded nor checked. nullopt when there is no ':'.
std::optional<HourMinuteTexts> SplitTimeToken(std::wstring_view time);
