#include "wake_job/batch_text.h"

#include <algorithm>

#include "platform/program_folder.h"
#include "wake_job/wake_time.h"

std::wstring AccountWord(std::wstring_view text) {
  // jt.exe reads each account text up to a blank. One that holds a blank, or
  // starts with the quote that would open a quoted text, goes in quotes with
  // its own quotes doubled; every other text goes in as it is.
  const bool quote = text.find_first_of(L" \t") != std::wstring_view::npos || (!text.empty() && text[0] == L'"');
  if (!quote) return std::wstring(text);
  std::wstring word = L"\"";
  for (wchar_t c : text) word += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
  return word + L"\"";
}

bool IsBareOrWhollyQuoted(std::wstring_view user) {
  const std::size_t quotes = static_cast<std::size_t>(std::count(user.begin(), user.end(), L'"'));
  return quotes == 0 || (quotes == 2 && user.size() > 2 && user.front() == L'"' && user.back() == L'"');
}

std::wstring BuildToolLine(const WakeJobInputs& inputs, std::wstring_view programFolder) {
  std::wstring line = L"jt.exe /sc ";
  // A name in its own pair of quotes goes as written: jt.exe reads the name inside.
  const bool quoted = !inputs.userName.empty() && inputs.userName.front() == L'"' && IsBareOrWhollyQuoted(inputs.userName);
  line += quoted ? inputs.userName : AccountWord(inputs.userName);
  line += L" ";
  line += AccountWord(inputs.password);
  line += L" /ctj StartDate=";
  line += inputs.dateText;
  line += L" StartTime=";
  line += ToolTimeText(inputs.timeText);
  line += L" Disabled=0 Type=once /sj Creator=QO ApplicationName=";
  const AfterWake& after = inputs.afterWake;
  line += L'"' + ProgramFile(programFolder, after.On() ? kProgramFileName : kStartupBatchName) + L'"';
  if (after.On()) line += L" Parameters=\"" + WakeModeArguments(after) + L"\"";
  line += L" Comment=";
  line += L'"';
  line += kXpJobName;
  line += L'"';
  line += L" SystemRequired=1 DeleteWhenDone=1";
  // Task Scheduler 1.0 stops a job at its maximum run time, in milliseconds.
  if (after.On()) line += L" MaxRunTime=" + Decimal(RunLimitMinutes(after) * 60000);
  line += L" /saj ";
  line += kXpJobName;
  line += L".job /pj";
  return line;
}

std::optional<std::wstring> EscapeBatchLine(std::wstring_view line) {
  std::wstring escaped;
  escaped.reserve(line.size() + 8);
  bool quoted = false;
  for (wchar_t c : line) {
    switch (c) {
      case L'\r':
      case L'\n':
      case L'\0':
      case L'\x1a':
        return std::nullopt;  // would end the line (Ctrl-Z: the file) and start a command of its own
      case L'%':
        escaped += L"%%";  // variables are expanded before quotes are looked at
        break;
      case L'"':
        quoted = !quoted;
        escaped += c;
        break;
      case L'&':
      case L'|':
      case L'<':
      case L'>':
      case L'^':
      case L'(':
      case L')':
        if (!quoted) escaped += L'^';
        escaped += c;
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

namespace {
// cmd.exe reads at most 8191 characters of a line; a longer one would be cut
// or refused, so such a job is refused here, where the caller can say so.
constexpr std::size_t kMaxBatchLine = 8191;

std::optional<std::wstring> BatchOf(const WakeJobInputs& inputs, std::wstring_view folder) {
  const std::wstring firstLine = L"cd \"" + std::wstring(folder) + L"\"";
  auto first = EscapeBatchLine(firstLine);
  auto tool = EscapeBatchLine(BuildToolLine(inputs, folder));
  // The tool line names the folder too, and more: it is always the longer.
  if (!first || !tool || tool->size() > kMaxBatchLine) return std::nullopt;
  return *first + L"\r\n" + L"jt.exe /sd " + kXpJobName + L".job\r\n" + *tool + L"\r\n";
}
}  // namespace

std::optional<std::wstring> BuildAddTaskBatch(const WakeJobInputs& inputs,
                                              std::wstring_view programFolder) {
  return BatchOf(inputs, programFolder);
}

std::optional<std::wstring> BuildScrubbedAddTaskBatch(const WakeJobInputs& inputs,
                                                      std::wstring_view programFolder) {
  WakeJobInputs scrubbed = inputs;
  if (!scrubbed.password.empty()) scrubbed.password = kScrubbedPassword;
  return BatchOf(scrubbed, programFolder);
}

std::wstring WorkItemName(std::wstring_view jobName) {
  // ".job" with each letter in either case, as the file system matches it.
  const std::size_t n = jobName.size();
  bool job = n > 4 && jobName[n - 4] == L'.';
  for (std::size_t i = 1; job && i < 4; ++i) job = jobName[n - 4 + i] == L".job"[i] || jobName[n - 4 + i] == L".JOB"[i];
  if (job) jobName.remove_suffix(4);
  return std::wstring(jobName);
}
