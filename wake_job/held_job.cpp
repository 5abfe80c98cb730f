#include "wake_job/held_job.h"

#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
// A path as Windows compares it: letters in one case, and a doubled
// separator (a drive root's "C:\\" joined with "\\Startup.bat") as one, but
// for a share's leading pair.
std::wstring PathKey(const std::wstring& path) {
  std::wstring key;
  for (const wchar_t c : path) {
    if (c == L'\\' && !key.empty() && key.back() == L'\\' && key != L"\\") continue;
    key += c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  }
  return key;
}

// What GetRunTimes's answer proves: nothing (nullopt) unless it holds under
// both readings of its times. A run at the asked minute read either way is
// the asked run; no run in a window that holds the minute either way is a
// task that never runs then; only other runs, all of them listed, prove
// another time only when the minute's UTC is known to be none of them.
std::optional<HeldVerdict> JudgeRuns(const AskedMinute& asked, const RunTimes& answer) {
  for (const CivilDateTime& run : answer.runs) {
    if (SameMinute(run, asked.local) || (asked.utc && SameMinute(run, *asked.utc))) return HeldVerdict::AsAsked;
  }
  if (answer.more || (!answer.runs.empty() && !asked.utc)) return std::nullopt;
  return answer.runs.empty() ? HeldVerdict::NeverRuns : HeldVerdict::OtherTime;
}
}  // namespace

RunTimesWindow RunTimesWindowFor(const CivilDateTime& asked) {
  CivilDateTime minute = asked;
  minute.second = 0;
  return {AddSeconds(minute, -86400), AddSeconds(minute, 86400 + 60), 8};
}

HeldJob AskRegisteredTask(RegisteredTaskView& task, const CivilDateTime& asked) {
  HeldJob held;
  held.enabled = task.Enabled();
  held.runsNearAsked = task.Runs(RunTimesWindowFor(asked));
  if (const auto xml = task.Xml()) {
    held.wakes = XmlWakesToRun(*xml);
    held.definedStart = XmlStartBoundary(*xml);
  }
  return held;
}

HeldVerdict JudgeHeldJob(const AskedMinute& asked, const std::wstring& program, const HeldJob& held) {
  if (const auto& at = held.nextRun) {
    if (at->year == 0) return HeldVerdict::NeverRuns;
    if (!SameMinute(*at, asked.local)) return HeldVerdict::OtherTime;
  }
  if (held.runsNearAsked) {
    const auto runs = JudgeRuns(asked, *held.runsNearAsked);
    if (runs && *runs != HeldVerdict::AsAsked) return *runs;
  }
  // The StartBoundary is written without a zone, which the schema reads as local time.
  if (held.definedStart && !SameMinute(*held.definedStart, asked.local)) return HeldVerdict::OtherTime;
  if (held.enabled == false) return HeldVerdict::Disabled;
  if (held.wakes == false) return HeldVerdict::NoWake;
  if (held.program && PathKey(*held.program) != PathKey(program)) return HeldVerdict::OtherProgram;
  return HeldVerdict::AsAsked;
}

std::wstring HeldVerdictReason(HeldVerdict verdict, bool removed) {
  const wchar_t* why = nullptr;
  switch (verdict) {
    case HeldVerdict::NeverRuns: why = kReasonNeverRuns; break;
    case HeldVerdict::OtherTime: why = kReasonOtherTime; break;
    case HeldVerdict::Disabled: why = kReasonDisabled; break;
    case HeldVerdict::NoWake: why = kReasonNoWake; break;
    case HeldVerdict::OtherProgram: why = kReasonOtherProgram; break;
    case HeldVerdict::AsAsked: return std::wstring();
  }
  return why + std::wstring(removed ? kReasonRemoved : kReasonNotRemoved);
}

bool XmlWakesToRun(const std::wstring& xml) {
  // The scheduler writes the value as "true"; a task without the element
  // takes the schema's default, which is not to wake.
  return xml.find(L"<WakeToRun>true</WakeToRun>") != std::wstring::npos;
}

std::optional<CivilDateTime> XmlStartBoundary(const std::wstring& xml) {
  const std::wstring open = L"<StartBoundary>";
  const std::size_t at = xml.find(open);
  if (at == std::wstring::npos) return std::nullopt;
  // The component's own pattern with '-' and 'T' where it has '/' and ' '.
  // A zone after it ("Z", "+09:00") would make it an instant, not the local
  // minute the component wrote: that says nothing here.
  const std::size_t from = at + open.size();
  std::wstring text = xml.substr(from, 19);
  if (text.size() != 19 || text[4] != L'-' || text[7] != L'-' || text[10] != L'T') return std::nullopt;
  if (xml.find_first_of(L"Z+-", from + 19) == from + 19) return std::nullopt;
  text[4] = text[7] = L'/';
  text[10] = L' ';
  return ParseComponentStart(text);
}
