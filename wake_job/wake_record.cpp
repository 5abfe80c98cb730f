#include "wake_job/wake_record.h"

#include <algorithm>
#include <utility>

#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
void Walk(TaskTree& tree, const std::wstring& folder, int depth, const CivilDateTime& asked,
          const std::wstring& ownPath, WakeScan& scan) {
  const auto listing = tree.Open(folder);
  if (!listing || !listing->tasks || !listing->folders) ++scan.unreadFolders;
  if (!listing) return;
  scan.ran = true;  // the scheduler answered: what it did not give is counted
  const auto& tasks = listing->tasks ? *listing->tasks : std::vector<std::optional<ListedTask>>();
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    // The listing answers the cheap questions; of the two that cost a call
    // each, whether it wakes rules out nearly every task, so it goes first.
    if (!tasks[i]) {
      ++scan.unreadTasks;
      continue;
    }
    if (!tasks[i]->enabled || tasks[i]->path == ownPath) continue;
    const auto wakes = tree.Wakes(i);
    if (wakes == false) continue;
    const FirstRun run = wakes ? tree.FirstRunBefore(i) : FirstRun{};
    if (!run.read) {
      ++scan.unreadTasks;
    } else if (run.at && SecondsBetween(*run.at, asked) > 0) {
      scan.wakers.push_back({tasks[i]->path, *run.at});
    }
  }
  for (const std::wstring& sub : listing->folders ? *listing->folders : std::vector<std::wstring>()) {
    if (depth + 1 < kTaskTreeDepth) {
      Walk(tree, sub, depth + 1, asked, ownPath, scan);
    } else {
      ++scan.unreadFolders;  // not looked into: nothing may be said of it
    }
  }
}

// The character of "&...;" at `at` and the reference's length; nullopt for
// none that XML defines.
std::optional<std::pair<std::wstring, std::size_t>> XmlReference(std::wstring_view text, std::size_t at) {
  const std::size_t end = text.find(L';', at);
  if (end == std::wstring_view::npos || end - at > 10) return std::nullopt;
  const std::wstring_view name = text.substr(at + 1, end - at - 1);
  const std::size_t length = end - at + 1;
  for (const auto& [entity, c] : {std::pair{L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"quot", L'"'}, {L"apos", L'\''}})
    if (name == entity) return std::pair{std::wstring(1, c), length};
  if (name.size() < 2 || name[0] != L'#') return std::nullopt;
  const bool hex = name[1] == L'x';
  const std::wstring_view digits = name.substr(hex ? 2 : 1);
  unsigned long code = 0;
  for (const wchar_t d : digits) {
    const int v = d >= L'0' && d <= L'9' ? d - L'0' : hex && d >= L'a' && d <= L'f' ? d - L'a' + 10
                  : hex && d >= L'A' && d <= L'F'                                  ? d - L'A' + 10 : -1;
    if (v < 0) return std::nullopt;
    code = code * (hex ? 16 : 10) + static_cast<unsigned long>(v);
  }
  if (digits.empty() || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  // Beyond the Basic Multilingual Plane no ANSI code page has the character:
  // it would reach the file as '?' in any case.
  const std::wstring c(1, code > 0xFFFF ? L'?' : static_cast<wchar_t>(code));
  return std::pair{c, length};
}

bool BreaksLine(wchar_t c) { return c < 0x20 || c == 0x85 || c == 0x2028 || c == 0x2029; }
}  // namespace

WakeScan ScanForEarlierWakers(TaskTree& tree, const CivilDateTime& asked, const std::wstring& ownPath) {
  WakeScan scan;
  Walk(tree, L"\\", 0, asked, ownPath, scan);
  std::stable_sort(scan.wakers.begin(), scan.wakers.end(), [](const EarlierWaker& a, const EarlierWaker& b) {
    return SecondsBetween(a.due, b.due) > 0;
  });
  return scan;
}

std::wstring LogField(std::wstring_view text) {
  std::wstring field;
  for (std::size_t at = 0; at < text.size();) {
    const auto reference = text[at] == L'&' ? XmlReference(text, at) : std::nullopt;
    const std::wstring c = reference ? reference->first : std::wstring(1, text[at]);
    at += reference ? reference->second : 1;
    for (const wchar_t each : c) field += BreaksLine(each) ? L' ' : each;
  }
  return field;
}

std::wstring LogMinute(const CivilDateTime& t) {
  return Padded(t.year, 4) + L"/" + Padded(t.month, 2) + L"/" + Padded(t.day, 2) + L" " + Padded(t.hour, 2) + L":" +
         Padded(t.minute, 2);
}

std::wstring LogTime(const CivilDateTime& t) { return LogMinute(t) + L":" + Padded(t.second, 2); }

std::wstring SetRecordLine(const CivilDateTime& now, const CivilDateTime& asked, const std::wstring& routeName,
                           const WakeScan& scan) {
  std::wstring line = LogTime(now) + kLogSet + LogMinute(asked) + L"（" + routeName + L"）。" + kLogEarlierWakers;
  if (!scan.ran) return line + kLogNotScanned + L"。";
  if (scan.wakers.empty()) line += kLogNone;
  const std::size_t named = std::min(scan.wakers.size(), kWakersNamed);
  for (std::size_t i = 0; i < named; ++i)
    line += (i ? L"、" : L"") + LogField(scan.wakers[i].name) + L" " + LogMinute(scan.wakers[i].due);
  if (named < scan.wakers.size())
    line += kLogMoreBefore + Decimal(static_cast<int>(scan.wakers.size() - named)) + kLogCount;
  if (scan.unreadTasks > 0) line += kLogUnreadableTasks + Decimal(scan.unreadTasks) + kLogCount;
  if (scan.unreadFolders > 0) line += kLogUnreadableFolders + Decimal(scan.unreadFolders) + kLogCount;
  return line + L"。";
}

std::string AppendLogBytes(std::string_view tail, bool cut, std::string_view line) {
  if (cut) {
    const std::size_t first = tail.find('\n');
    tail = first == std::string_view::npos ? std::string_view() : tail.substr(first + 1);
  } else if (tail.substr(0, 3) == "\xEF\xBB\xBF") {
    tail.remove_prefix(3);
  }
  // The kept lines start after the line end that comes before the last
  // kWakeLogLines - 1 of them; the end of the last line is not counted.
  const std::size_t end = !tail.empty() && tail.back() == '\n' ? tail.size() - 1 : tail.size();
  std::size_t from = 0, ends = 0;
  for (std::size_t at = end; at-- > 0;) {
    if (tail[at] == '\n' && ++ends == kWakeLogLines - 1) {
      from = at + 1;
      break;
    }
  }
  std::string bytes;
  bytes.reserve(tail.size() - from + line.size() + 4);
  for (std::size_t at = from; at < tail.size(); ++at) {
    const char c = tail[at];
    if (c == '\n') {
      bytes += "\r\n";
    } else if (c == '\r' && at + 1 < tail.size() && tail[at + 1] == '\n') {
      continue;
    } else {
      bytes += c == '\r' ? ' ' : c;
    }
  }
  if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
  for (const char c : line) bytes += c == '\r' || c == '\n' ? ' ' : c;
  return bytes + "\r\n";
}

ResumeVerdict JudgeResume(const ResumeReport& report, const CivilDateTime& askedUtc) {
  const long long slept = SecondsBetween(report.requestedUtc, report.returnedUtc);
  const long long afterAsked = SecondsBetween(askedUtc, report.returnedUtc);
  if (slept < 0) return ResumeVerdict::ClockChanged;
  if (slept < 30) return ResumeVerdict::CameBackSoon;
  if (!report.automatic) {
    if (afterAsked < 0) return ResumeVerdict::ByPersonBefore;
    return afterAsked < 240 ? ResumeVerdict::PersonAtTime : ResumeVerdict::NotByItself;
  }
  if (afterAsked < 0) return ResumeVerdict::Early;
  return afterAsked < 180 ? ResumeVerdict::OnTime : ResumeVerdict::Late;
}

bool VerdictWantsWakeSource(ResumeVerdict verdict) {
  return verdict == ResumeVerdict::Early || verdict == ResumeVerdict::PersonAtTime;
}

std::wstring ResumeRecordLine(const ResumeReport& report, const CivilDateTime& askedUtc, const WakeScan& scan,
                              const std::wstring& causes, const std::wstring& wakeSource) {
  std::wstring line = LogTime(report.returnedLocal) + kLogResumed;
  const std::wstring source = wakeSource.empty() ? L"" : kLogWakeSource + LogField(wakeSource) + L"。";
  switch (JudgeResume(report, askedUtc)) {
    case ResumeVerdict::CameBackSoon:
      return line + kLogCameBackSoonBefore +
             Decimal(static_cast<int>(SecondsBetween(report.requestedUtc, report.returnedUtc))) + kLogCameBackSoonAfter;
    case ResumeVerdict::OnTime: return line + kLogOnTime;
    case ResumeVerdict::Late: return line + kLogLate;
    case ResumeVerdict::ByPersonBefore: return line + kLogByPersonBefore;
    case ResumeVerdict::ClockChanged: return line + kLogClockChanged;
    case ResumeVerdict::PersonAtTime: return line + kLogPersonAtTime + source;
    case ResumeVerdict::NotByItself: return line + kLogNotByItself + (causes.empty() ? kLogUsualCauses : causes + L"。");
    case ResumeVerdict::Early: break;
  }
  line += kLogEarly;
  // The waker due last before the machine came back, and not before it went
  // to sleep. The wakers' times are local: compared with the local return,
  // and the sleep's start as far before it as the UTC times say.
  const CivilDateTime requestedLocal =
      AddSeconds(report.returnedLocal, -SecondsBetween(report.requestedUtc, report.returnedUtc));
  const EarlierWaker* waker = nullptr;
  for (const EarlierWaker& w : scan.wakers) {
    if (SecondsBetween(requestedLocal, w.due) >= 0 && SecondsBetween(w.due, report.returnedLocal) >= 0) waker = &w;
  }
  if (waker) line += kLogEarlyWaker + LogField(waker->name) + L" " + LogMinute(waker->due) + L"。";
  line += source;
  return waker || !source.empty() ? line : line + kLogEarlyUnknown;
}

std::wstring HibernationRefusedLine(const CivilDateTime& now) {
  return LogTime(now) + kLogHibernation + kLogHibernationRefused;
}

namespace {
// The text between `open` (either quote) and its end mark.
std::optional<std::wstring> Between(const std::wstring& xml, const std::wstring& open, const wchar_t* close) {
  for (const wchar_t quote : {L'\'', L'"'}) {
    std::wstring mark = open;
    for (wchar_t& c : mark)
      if (c == L'\'') c = quote;
    const std::size_t at = xml.find(mark);
    if (at == std::wstring::npos) continue;
    const std::size_t from = at + mark.size(), to = xml.find(close == nullptr ? std::wstring(1, quote) : close, from);
    if (to != std::wstring::npos) return xml.substr(from, to - from);
  }
  return std::nullopt;
}

// "2027-01-05T07:05:03.1234567Z", to the second.
std::optional<CivilDateTime> EventTime(const std::wstring& text) {
  int v[6] = {};
  const wchar_t* const separators = L"--T::";
  std::size_t at = 0;
  for (int i = 0; i < 6; ++i) {
    if (i > 0 && (at >= text.size() || text[at++] != separators[i - 1])) return std::nullopt;
    const std::size_t start = at;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9' && at - start < 4) v[i] = v[i] * 10 + (text[at++] - L'0');
    if (at == start) return std::nullopt;
  }
  // Only the date needs checking: the times are compared, never shown.
  if (!IsValidCivilDate(v[0], v[1], v[2])) return std::nullopt;
  return CivilDateTime{v[0], v[1], v[2], v[3], v[4], v[5]};
}
}  // namespace

std::optional<std::wstring> EventWakeSource(const std::wstring& xml, const CivilDateTime& sinceUtc) {
  const auto created = Between(xml, L"<TimeCreated SystemTime='", nullptr);
  const auto when = created ? EventTime(*created) : std::nullopt;
  if (!when || SecondsBetween(sinceUtc, *when) < 0) return std::nullopt;
  return Between(xml, L"<Data Name='WakeSourceText'>", L"</Data>").value_or(std::wstring());
}
