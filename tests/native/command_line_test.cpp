#include <gtest/gtest.h>

#include "main_window/command_line.h"

namespace {
// "date|time|user|password|x" (x when hibernate-now is ticked) and the switches read, or "refused"; the line
// the job starts the wake mode with as "wake" and its switches.
std::wstring Read(const wchar_t* line) {
  if (IsWakeModeLine(line)) return ReadWakeModeLine(line) ? L"wake " + SwitchesText(*ReadWakeModeLine(line)) : L"refused";
  const auto t = SplitCommandLine(line);
  if (!t) return L"refused";
  return t->date + L"|" + t->time + L"|" + t->user + L"|" + t->password + (t->hibernate ? L"|x" : L"") +
         (t->afterWake.On() ? L"|" + SwitchesText(t->afterWake) : L"");
}
}  // namespace

TEST(CommandLine, TokensAndTheHibernateMarker) {
  const struct {
    const wchar_t *line, *read;
  } rows[] = {
      {L"2027/01/05 07:05 taro pw", L"2027/01/05|07:05|taro|pw"}, {L"2027/01/05 07:05 taro ", L"2027/01/05|07:05|taro|"},
      {L"2027/01/05 07:05 taro pw x", L"2027/01/05|07:05|taro|pw|x"}, {L"2027/01/05  taro pw", L"2027/01/05||taro|pw"},
      {L"2027/01/05 07:05 taro pwX", L"2027/01/05|07:05|taro|pwX|x"},
      {L"2027/01/05 07:05 taro pw y", L"2027/01/05|07:05|taro|pw"},
      {L"2027/01/05 07:05 taro pass word", L"2027/01/05|07:05|taro|pass"},
      {L"\"2027/01/05\" 07:05 \"taro\" \"p w\"", L"\"2027/01/05\"|07:05|\"taro\"|\"p"},
      {L"2027/01/05 07:05 太郎 パス", L"2027/01/05|07:05|太郎|パス"},
      {L"a b c d e f g x", L"a|b|c|d|x"},            {L"d t u p", L"d|t|u|p"},  {L"d t u  x", L"d|t|u||x"}, {L"d t  p", L"d|t||p"},
      {L"2027/01/05\t07:05 taro pw x", L"2027/01/05\t07:05|taro|pw|x|x"},  // only U+0020 separates
      {L"2027/01/05", L"refused"},  {L"2027/01/05 07:05", L"refused"},  {L"2027/01/05 07:05 taro", L"refused"},
      {L"2027/01/05\t07:05\ttaro\tpw", L"refused"},
      // Switches after the four words, before a final x; a word there that is no switch of ours stops the line.
      {L"d t u p /awake:30 x", L"d|t|u|p|x|/awake:30"}, {L"d t u p /AWAKE:240 /Rehibernate", L"d|t|u|p|/awake:240 /rehibernate"},
      {L"d t u p word /awake:9", L"d|t|u|p|/awake:9"},  {L"d t u p /awake:3x", L"refused"}, {L"d t u p /awake:0", L"refused"},
      {L"d t u p /awake:241", L"refused"},  {L"d t u p /awake:\uff13\uff10", L"refused"}, {L"d t u p /awake:5 /hibernation", L"refused"},
      {L"d t u p /rehibernate", L"refused"},  // nothing to go back after
      {L"d t u p /awake:5 /awake:10", L"refused"}, {L"d t u p /awake:5 /rehibernate /REHIBERNATE", L"refused"},
      {L"d t u p /awake:0030", L"refused"}, {L"d t u /awake:30", L"refused"},  // the password is missing
      {L"/wake /awake:30 /rehibernate", L"wake /awake:30 /rehibernate"}, {L"/WAKE /Awake:5", L"wake /awake:5"},
      {L"/wake", L"refused"}, {L"/wake /rehibernate", L"refused"}, {L"/wake  /awake:5", L"refused"},
      {L"/wake /awake:", L"refused"}, {L"/wakeup /awake:5 a b", L"/wakeup|/awake:5|a|b"}, {L"-wake /awake:5 a b", L"-wake|/awake:5|a|b"},
  };
  for (const auto& row : rows) EXPECT_EQ(Read(row.line), row.read) << row.line;
  for (const auto& [text, trimmed] : {std::pair{L"   ", L""}, {L"  a b  ", L"a b"}, {L"\ta\u3000", L"\ta\u3000"}})
    EXPECT_EQ(TrimSpaces(text), trimmed);
  // The time splits at its first colon; the minute is at most two characters, neither checked.
  for (const auto& [time, split] : {std::pair{L"07:05:30", L"07|05"}, {L"7:", L"7|"}, {L"ab:cde", L"ab|cd"}})
    EXPECT_EQ(SplitTimeToken(time)->hour + L"|" + SplitTimeToken(time)->minute, split);
  EXPECT_FALSE(SplitTimeToken(L"0705"));
  for (const AfterWake choice : {AfterWake{30, true}, AfterWake{240, false}, AfterWake{1, false}})  // what the job writes reads back
    EXPECT_EQ(ReadWakeModeLine(WakeModeArguments(choice)), choice) << WakeModeArguments(choice);
}
