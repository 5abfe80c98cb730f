#include "wake_job/wake_record.h"

#include <algorithm>
#include <cwchar>

#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
void Walk(TaskTree& tree, const std::wstring& folder, const CivilDateTime& asked, const std::wstring& ownPath,
          WakeScan& scan) {
  const auto tasks = tree.Tasks(folder);
  if (!tasks) {
    ++scan.unreadable;
    return;
  }
  for (const auto& task : *tasks) {
    if (!task) {
      ++scan.unreadable;
    } else if (task->enabled && task->wakes && task->nextRun && task->path != ownPath &&
               SecondsBetween(*task->nextRun, asked) > 0) {
      scan.wakers.push_back({task->path, *task->nextRun});
    }
  }
  for (const std::wstring& sub : tree.Folders(folder)) Walk(tree, sub, asked, ownPath, scan);
}
}  // namespace

WakeScan ScanForEarlierWakers(TaskTree& tree, const CivilDateTime& asked, const std::wstring& ownPath) {
  WakeScan scan;
  Walk(tree, L"\\", asked, ownPath, scan);
  std::stable_sort(scan.wakers.begin(), scan.wakers.end(), [](const EarlierWaker& a, const EarlierWaker& b) {
    return SecondsBetween(a.due, b.due) > 0;
  });
  return scan;
}

std::wstring LogMinute(const CivilDateTime& t) {
  return Padded(t.year, 4) + L"/" + Padded(t.month, 2) + L"/" + Padded(t.day, 2) + L" " + Padded(t.hour, 2) + L":" +
         Padded(t.minute, 2);
}

std::wstring LogTime(const CivilDateTime& t) { return LogMinute(t) + L":" + Padded(t.second, 2); }

std::wstring SetRecordLine(const CivilDateTime& now, const CivilDateTime& asked, const std::wstring& routeName,
                           const WakeScan& scan) {
  std::wstring line = LogTime(now) + kLogSet + LogMinute(asked) + L" (" + routeName + L")" + kLogEarlierWakers;
  if (scan.wakers.empty()) line += kLogNone;
  for (std::size_t i = 0; i < scan.wakers.size(); ++i)
    line += (i ? L", " : L"") + scan.wakers[i].name + L" " + LogMinute(scan.wakers[i].due);
  if (scan.unreadable > 0) line += kLogUnreadableBefore + Decimal(scan.unreadable) + kLogUnreadableAfter;
  return line;
}

std::wstring AppendLogLine(const std::wstring& text, const std::wstring& line) {
  std::wstring all = text;
  if (!all.empty() && (all.size() < 2 || all.compare(all.size() - 2, 2, L"\r\n") != 0)) all += L"\r\n";
  all += line + L"\r\n";
  // Cut after the line end that comes before the last kWakeLogLines lines.
  std::size_t ends = 0;
  for (std::size_t at = all.size(); at-- > 0;) {
    if (all[at] == L'\n' && ++ends == kWakeLogLines + 1) return all.substr(at + 1);
  }
  return all;
}

ResumeVerdict JudgeResume(const ResumeReport& report, const CivilDateTime& asked) {
  const long long slept = SecondsBetween(report.requested, report.returned);
  const long long afterAsked = SecondsBetween(asked, report.returned);
  if (slept < 0) return ResumeVerdict::ClockChanged;
  if (slept < 30) return ResumeVerdict::DidNotHibernate;
  if (!report.automatic) return afterAsked < 0 ? ResumeVerdict::ByPersonBefore : ResumeVerdict::NotByItself;
  if (afterAsked < 0) return ResumeVerdict::Early;
  return afterAsked < 180 ? ResumeVerdict::OnTime : ResumeVerdict::Late;
}

std::wstring ResumeRecordLine(const ResumeReport& report, const CivilDateTime& asked, const WakeScan& scan,
                              const std::wstring& causes, const std::wstring& wakeSource) {
  std::wstring line = LogTime(report.returned) + kLogResumed;
  switch (JudgeResume(report, asked)) {
    case ResumeVerdict::DidNotHibernate: return line + kLogDidNotHibernate;
    case ResumeVerdict::OnTime: return line + kLogOnTime;
    case ResumeVerdict::Late: return line + kLogLate;
    case ResumeVerdict::ByPersonBefore: return line + kLogByPersonBefore;
    case ResumeVerdict::ClockChanged: return line + kLogClockChanged;
    case ResumeVerdict::NotByItself: return line + kLogNotByItself + (causes.empty() ? kLogUsualCauses : causes);
    case ResumeVerdict::Early: break;
  }
  line += kLogEarly;
  // The waker due last before the machine came back, and not before it went to sleep.
  const EarlierWaker* waker = nullptr;
  for (const EarlierWaker& w : scan.wakers) {
    if (SecondsBetween(report.requested, w.due) >= 0 && SecondsBetween(w.due, report.returned) >= 0) waker = &w;
  }
  if (waker) line += kLogEarlyWaker + waker->name + L" " + LogMinute(waker->due);
  if (!wakeSource.empty()) line += (waker ? L" " : L"") + std::wstring(kLogWakeSource) + wakeSource;
  return waker || !wakeSource.empty() ? line : line + kLogEarlyUnknown;
}

std::wstring EventWakeSource(const std::wstring& xml) {
  for (const wchar_t* open : {L"<Data Name='WakeSourceText'>", L"<Data Name=\"WakeSourceText\">"}) {
    const std::size_t at = xml.find(open);
    if (at == std::wstring::npos) continue;
    const std::size_t from = at + std::wcslen(open), to = xml.find(L"</Data>", from);
    if (to != std::wstring::npos) return xml.substr(from, to - from);
  }
  return std::wstring();
}
