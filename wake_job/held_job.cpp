#include "wake_job/held_job.h"

#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
// A path as Windows compares it: letters in one case, and a doubled
// separator (a drive root's "C:\\" joined with "\\Startup.bat") as one.
std::wstring PathKey(const std::wstring& path) {
  std::wstring key;
  for (std::size_t i = 0; i != path.size(); ++i) {
    const wchar_t c = path[i];
    if (c == L'\\' && i > 1 && path[i - 1] == L'\\') continue;
    key += c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  }
  return key;
}
}  // namespace

HeldVerdict JudgeHeldJob(const CivilDateTime& asked, const std::wstring& program, const HeldJob& held) {
  if (const auto& at = held.nextRun) {
    if (at->year == 0) return HeldVerdict::NeverRuns;
    if (!SameMinute(*at, asked)) return HeldVerdict::OtherTime;
  }
  if (const auto& runs = held.runsInAskedMinute) {
    bool atAsked = false;
    for (const CivilDateTime& run : *runs) atAsked = atAsked || SameMinute(run, asked);
    if (!atAsked) return HeldVerdict::NeverRuns;
  }
  if (held.definedStart && !SameMinute(*held.definedStart, asked)) return HeldVerdict::OtherTime;
  if (held.enabled == false) return HeldVerdict::Disabled;
  if (held.wakes == false) return HeldVerdict::NoWake;
  if (held.program && PathKey(*held.program) != PathKey(program)) return HeldVerdict::OtherProgram;
  return HeldVerdict::AsAsked;
}

std::wstring HeldVerdictReason(HeldVerdict verdict) {
  switch (verdict) {
    case HeldVerdict::NeverRuns: return kReasonNeverRuns;
    case HeldVerdict::OtherTime: return kReasonOtherTime;
    case HeldVerdict::Disabled: return kReasonDisabled;
    case HeldVerdict::NoWake: return kReasonNoWake;
    case HeldVerdict::OtherProgram: return kReasonOtherProgram;
    case HeldVerdict::AsAsked: break;
  }
  return std::wstring();
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
  std::wstring text = xml.substr(at + open.size(), 19);
  if (text.size() != 19 || text[4] != L'-' || text[7] != L'-' || text[10] != L'T') return std::nullopt;
  text[4] = text[7] = L'/';
  text[10] = L' ';
  return ParseComponentStart(text);
}
