// What the command-tool route writes: the tool line that drives jt.exe and
// "AddTask.bat" around it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/civil_time.h"
#include "wake_job/after_wake.h"

// The XP route's job: "Resume.job" in the Tasks folder, named "Resume" by the
// Task Scheduler and by the job's comment.
inline constexpr wchar_t kXpJobName[] = L"Resume";

// "Resume.job" -> "Resume": the Task Scheduler names work items without the
// extension (any case); other names unchanged.
std::wstring WorkItemName(std::wstring_view jobName);

struct WakeJobInputs {
  CivilDateTime at;       // the minute the texts below name, read once where they came in
  std::wstring dateText;  // "m/d/yyyy": jt.exe gets it unchanged
  std::wstring timeText;  // hour text ":" minute text: jt.exe gets it as typed, in ASCII digits
  std::wstring userName;
  std::wstring password;  // plain
  AfterWake afterWake{};  // on: the job runs Reveilo's wake mode instead of the empty Startup.bat
};

// An account text as jt.exe's /sc reads it back exactly: in quotes, inner
// quotes doubled, when it holds a blank or a tab or starts with a quote;
// otherwise unchanged.
std::wstring AccountWord(std::wstring_view text);

// A Windows user name never holds a quote: one pair around the whole name
// (as a script may write it) is read past by jt.exe; any other quote is refused.
bool IsBareOrWhollyQuoted(std::wstring_view userName);

// The line jt.exe must receive.
std::wstring BuildToolLine(const WakeJobInputs& inputs, std::wstring_view programFolder);

// A line as cmd.exe must find it in a batch file so that the command it runs
// receives `line` exactly: '%' doubled everywhere, and & | < > ^ ( ) escaped
// with '^' wherever cmd's quote state (toggled by every '"') is outside quotes.
// nullopt when the line holds a character a batch line cannot carry (CR, LF,
// NUL, Ctrl-Z).
std::optional<std::wstring> EscapeBatchLine(std::wstring_view line);

// The three CR LF lines of "AddTask.bat", escaped; nullopt as for
// EscapeBatchLine, or when a line would pass cmd.exe's 8191 characters.
std::optional<std::wstring> BuildAddTaskBatch(const WakeJobInputs& inputs,
                                              std::wstring_view programFolder);

// The same file with the password left out, written once the batch has ended
// so that no plain password stays on disk.
std::optional<std::wstring> BuildScrubbedAddTaskBatch(const WakeJobInputs& inputs,
                                                      std::wstring_view programFolder);

inline constexpr wchar_t kScrubbedPassword[] = L"********";
