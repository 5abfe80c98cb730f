#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "res/strings.h"
#include "wake_job/held_job.h"
#include "wake_job/task_xml.h"
#include "wake_job/wake_record.h"
#include "wake_job/wake_time.h"

// A job is made only when the scheduler, asked after the save, holds it at the minute asked, enabled,
// waking the computer and running the program; what it does not say (E_NOTIMPL) is not held against it.
TEST(HeldJob, OnlyWhatTheSchedulerConfirmsIsMade) {
  using V = HeldVerdict;
  const CivilDateTime asked{2027, 1, 5, 7, 5, 0}, never{};
  const std::optional<bool> T = true, F = false, unsaid;
  const struct {
    std::optional<CivilDateTime> next;
    std::optional<bool> enabled, wakes;
    std::optional<std::wstring> program;
    HeldVerdict verdict;
  } rows[] = {
      {asked, T, T, L"c:\\w\\\\STARTUP.BAT", V::AsAsked}, {CivilDateTime{2027, 1, 5, 7, 5, 30}, T, T, {}, V::AsAsked},
      {CivilDateTime{2027, 1, 5, 7, 6}, T, T, {}, V::OtherTime}, {CivilDateTime{2028, 1, 5, 7, 5}, T, T, {}, V::OtherTime},
      {never, T, T, {}, V::NeverRuns}, {asked, F, T, {}, V::Disabled}, {asked, T, F, {}, V::NoWake},
      {{}, unsaid, F, {}, V::NoWake}, {asked, T, T, L"C:\\X\\Startup.bat", V::OtherProgram},
      {{}, unsaid, unsaid, {}, V::AsAsked}, {CivilDateTime{2027, 2, 5, 7, 5}, T, T, {}, V::OtherTime},
      {CivilDateTime{2027, 1, 6, 7, 5}, T, T, {}, V::OtherTime}, {CivilDateTime{2027, 1, 5, 8, 5}, T, T, {}, V::OtherTime},
      {asked, T, T, L"D:\\W\\Startup.bat", V::OtherProgram},  // a path differing in its first letter
      {asked, T, T, L"C:\\WStartup.bat", V::OtherProgram},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(JudgeHeldJob(asked, L"C:\\W\\Startup.bat", HeldJob{r.next, {}, {}, r.enabled, r.wakes, r.program}),
              r.verdict)
        << static_cast<int>(&r - rows);
  }
  EXPECT_EQ(JudgeHeldJob(asked, L"C:\\AZ\\Startup.bat", HeldJob{{}, {}, {}, T, T, L"c:\\az\\startup.bat"}), V::AsAsked);
  // A share's leading two separators are not one doubled.
  EXPECT_EQ(JudgeHeldJob(asked, L"\\\\s\\r\\Startup.bat", HeldJob{{}, {}, {}, T, T, L"\\s\\r\\Startup.bat"}),
            V::OtherProgram);
  // Task Scheduler 2.0: a double that holds the task's one trigger and answers GetRunTimes. Microsoft documents
  // neither whether the window it is given nor the runs it returns are local time or UTC (Task Scheduler 1.0's
  // GetRunTimes: start inclusive, end exclusive), so the double reads both either way, at +9 h and -5 h; the task
  // is removed only on an answer that holds under both. The cached next run is not asked: Vista can leave it blank
  // after a restart (KB 2619548). A StartBoundary is read only in the shape the component writes.
  struct Scheduler : RegisteredTaskView {
    std::optional<CivilDateTime> triggerUtc;  // none: the scheduler holds no run
    int offsetHours = 0;
    bool readsUtc = false, fails = false, more = false;
    std::wstring xml;
    std::optional<bool> Enabled() override { return true; }
    std::optional<RunTimes> Runs(const RunTimesWindow& window) override {
      if (fails) return std::nullopt;
      RunTimes answer{{}, more};
      if (!triggerUtc) return answer;
      const CivilDateTime run = AddSeconds(*triggerUtc, readsUtc ? 0 : offsetHours * 3600);
      if (SecondsBetween(window.start, run) < 0 || SecondsBetween(run, window.end) <= 0) return answer;
      if (window.count == 0) answer.more = true;  // S_FALSE: found, but none asked for
      else answer.runs.push_back(run);
      return answer;
    }
    std::optional<std::wstring> Xml() override { return xml; }
  };
  const std::wstring asXml = BuildTaskXml(L"2027/01/05 07:05:00", {L"C:\\W\\Startup.bat"}, L"R").value();
  const auto boundary = [](const wchar_t* b) { return L"<StartBoundary>" + std::wstring(b) + L"</StartBoundary><WakeToRun>true</WakeToRun>"; };
  const struct {
    int offset;
    bool readsUtc, utcKnown = true;
    std::optional<long long> runFromAsked = 0;  // seconds; none: no run
    HeldVerdict verdict = V::AsAsked;
    std::function<void(Scheduler&)> also = [](Scheduler&) {};
  } runs[] = {
      {9, false}, {9, true}, {-5, false}, {-5, true}, {14, true}, {-12, true}, {0, false, false},
      {9, false, true, std::nullopt, V::NeverRuns}, {-5, true, true, std::nullopt, V::NeverRuns},
      {9, true, true, 60, V::OtherTime}, {-5, false, true, -86400, V::OtherTime},
      {9, true, false, 0}, {9, true, false, 60},  // another time, but the minute's UTC unknown: unsaid
      {9, true, true, 60, V::AsAsked, [](Scheduler& s) { s.more = true; }},  // not all listed: unsaid
      {9, true, true, 0, V::AsAsked, [](Scheduler& s) { s.fails = true; }},
      {9, false, true, 0, V::OtherTime, [](Scheduler& s) { s.xml = s.xml.replace(s.xml.find(L"T07:05"), 6, L"T19:05"); }},
      {9, false, true, 0, V::NoWake, [](Scheduler& s) { s.xml = L"<Settings></Settings>"; }},
      {9, false, true, 0, V::AsAsked, [&](Scheduler& s) { s.xml = boundary(L"2027-01-05T07:05:00+09:00"); }},
      {9, false, true, 0, V::AsAsked, [&](Scheduler& s) { s.xml = boundary(L"2027-01-04T22:05:00Z"); }},
      {9, false, true, 0, V::OtherTime, [&](Scheduler& s) { s.xml = boundary(L"2027-01-05T19:05:00.000"); }},
  };
  for (const auto& r : runs) {
    Scheduler scheduler;
    scheduler.offsetHours = r.offset, scheduler.readsUtc = r.readsUtc, scheduler.xml = asXml;
    const CivilDateTime utc = AddSeconds(asked, -r.offset * 3600LL);
    if (r.runFromAsked) scheduler.triggerUtc = AddSeconds(utc, *r.runFromAsked);
    r.also(scheduler);
    const AskedMinute minute{asked, r.utcKnown ? std::optional(utc) : std::nullopt};
    EXPECT_EQ(JudgeHeldJob(minute, L"C:\\W\\Startup.bat", AskRegisteredTask(scheduler, asked)), r.verdict)
        << static_cast<int>(&r - runs);
  }
  // The window: a day either side of the asked minute, end exclusive, more runs than a one-time trigger has.
  const RunTimesWindow window = RunTimesWindowFor({2027, 1, 5, 7, 5, 30});
  EXPECT_EQ(LogTime(window.start) + L" " + LogTime(window.end) + L" " + Decimal(static_cast<int>(window.count)),
            L"2027/01/04 07:05:00 2027/01/06 07:06:00 8");
  // Only the component's own shape of StartBoundary is read; any other says nothing.
  for (const wchar_t* unread : {L"2027/01/05T19:05:00", L"2027-01/05T19:05:00", L"2027-01-05 19:05:00",
                                L"2027-01-05T19", L"2027-01-05T19:05:00+09:00"})
    EXPECT_FALSE(XmlStartBoundary(boundary(unread))) << std::wstring(unread);
  for (const wchar_t* last : {L"2027-01-05T19:05:00Z", L"2027-01-"})  // the XML ends there
    EXPECT_FALSE(XmlStartBoundary(L"<StartBoundary>" + std::wstring(last)));
  EXPECT_EQ(XmlStartBoundary(L"<StartBoundary>2027-01-05T19:05:00").value_or(CivilDateTime{}).hour, 19);
  EXPECT_EQ(HeldVerdictReason(V::NeverRuns, false), kReasonNeverRuns + std::wstring(kReasonNotRemoved));
  EXPECT_TRUE(XmlWakesToRun(BuildTaskXml(L"2027/01/05 07:05:00", {L"C:\\W\\Startup.bat"}, L"R").value()));
  EXPECT_FALSE(XmlWakesToRun(L"<Settings><WakeToRun>false</WakeToRun></Settings>"));
  EXPECT_FALSE(XmlWakesToRun(L"<Settings></Settings>")) << "the schema's default is not to wake";
}
