#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "res/strings.h"
#include "wake_job/held_job.h"
#include "wake_job/task_xml.h"
#include "wake_job/wake_record.h"
#include "wake_job/wake_time.h"

// The component's start text from the window's date and time texts.
TEST(ComponentStart, FromTheDateAndTimeTexts) {
  const struct {
    const wchar_t *date, *time;
    std::optional<std::wstring> start;
  } rows[] = {
      {L"1/5/2027", L"07:05", L"2027/01/05 07:05:00"}, {L"12/25/2026", L"23:59", L"2026/12/25 23:59:00"},
      {L"01/05/2027", L"7:5", L"2027/01/05 07:05:00"}, {L"2/29/2028", L"00:00", L"2028/02/29 00:00:00"},
      {L"4/30/2027", L"0:0", L"2027/04/30 00:00:00"},  {L"8/31/2027", L"1:1", L"2027/08/31 01:01:00"},
      {L"12/31/9999", L"23:59", L"9999/12/31 23:59:00"},  {L"2/30/2027", L"07:05", {}},  // the calendar's own table below
      {L"1/5/27", L"07:05", {}},     {L"1/5/2027", L"24:00", {}},   {L"1/5/2027", L"07:60", {}},
      {L"1/5/2027", L"ab:05", {}},   {L"1/5/2027", L"0705", {}},    {L"1/5/2027", L"07:05:30", {}},
      {L"1//2027", L"07:05", {}},    {L"1/123/2027", L"07:05", {}}, {L"1/5/2027x", L"07:05", {}},
      {L"1/5/2027", L"07:005", {}},  {L"1/5/20270", L"07:05", {}},  {L"1/5/2027", L"07:", {}},
      {L"1/5/02027", L"07:05", {}},  {L"1/5/2027", L":05", {}},     {L"1/5/2027", L"07:0 5", {}},
      {L"1/5/2027", L"\t7 : 05 ", L"2027/01/05 07:05:00"},          {L"1/5/2027", L"07:05 x", {}},
      {L"1/5/2027", L"\u3000\uff12\uff13:\uff15\uff19\u3000", L"2027/01/05 23:59:00"},  // typed with the IME on
      {L"1/5/2027", L"\uff12\uff14:00", {}},                        {L"1/5/2027", L"\uff0f7:05", {}},
      {L"", L"", {}},  {L"1/5/2027", L"007:05", {}},
  };
  for (const auto& r : rows) EXPECT_EQ(BuildComponentStart(r.date, r.time), r.start) << r.date << " " << r.time;
}

// The component reads back only that exact pattern; nothing else becomes a task.
TEST(ComponentStart, ReadsOnlyTheExactPattern) {
  EXPECT_TRUE(ParseComponentStart(L"2027/12/31 23:59:59")) << "the last second of a year";
  for (const wchar_t* text :
       {L"2027/01/05 07:05:00 ", L"20270/01/05 07:05:00", L"2027/1/5 07:05:00",   L"2027/02/30 07:05:00",
        L"2027/01/05 07:05",     L"2027/01/05 24:00:00",  L"2027/01/05 07:60:00", L"2027/01/05 07:05:60",
        L"2027-01-05 07:05:00",  L"2027/01/05T07:05:00",  L"2027/01/05 07:05:",   L"\uff12027/01/05 07:05:00", L"",
        L"02027/01/05 07:05:00", L"2027/001/05 07:05:00", L"2027/01/005 07:05:00", L"2027/01/05 007:05:00",
        L"2027/01/05 07:005:00", L"2027/01/05 07:05:000", L"2027/01/05 07::00"}) {
    EXPECT_FALSE(ParseComponentStart(text)) << std::wstring(text);
    EXPECT_FALSE(BuildTaskXml(text, L"C:\\W\\Startup.bat", L"Reveilo")) << std::wstring(text);
  }
}

// The task wakes the machine at its time, runs the program, expires an hour
// later (across days, months and years) and then deletes itself. Written as
// UTF-16 as the Task Scheduler keeps it, it is valid against the published
// task schema's types (tests/xml/task.xsd).
TEST(TaskXml, WakesRunsExpiresAndIsValidAgainstTheTaskSchema) {
  const struct {
    const wchar_t *start, *program, *boundaries, *command;
  } rows[] = {
      {L"2027/11/30 23:05:00", L"C:\\reveilo\\Startup.bat", L"2027-11-30T23:05:00</StartBoundary>\r\n"
       L"      <EndBoundary>2027-12-01T00:05:00", L"C:\\reveilo\\Startup.bat"},
      {L"2028/02/28 23:30:00", L"C:\\Tom & Jerry's <\"tools\">\\Startup.bat", L"2028-02-28T23:30:00</StartBoundary>\r\n"
       L"      <EndBoundary>2028-02-29T00:30:00", L"C:\\Tom &amp; Jerry&apos;s &lt;&quot;tools&quot;&gt;\\Startup.bat"},
      {L"9999/12/31 23:30:00", L"C:\\復帰ツール\\Startup.bat", L"9999-12-31T23:30:00</StartBoundary>\r\n"
       L"      <EndBoundary>9999-12-31T23:59:59", L"C:\\復帰ツール\\Startup.bat"},  // the schema has four-digit years
      {L"2030/12/31 23:59:00", L"C:\\Startup.bat", L"2030-12-31T23:59:00</StartBoundary>\r\n"
       L"      <EndBoundary>2031-01-01T00:59:00", L"C:\\Startup.bat"},
      {L"2027/01/05 07:05:00", L"C:\\Startup.bat", L"2027-01-05T07:05:00</StartBoundary>\r\n"
       L"      <EndBoundary>2027-01-05T08:05:00", L"C:\\Startup.bat"},
  };
  std::string files;
  for (const auto& row : rows) {
    const std::wstring xml = BuildTaskXml(row.start, row.program, L"Reveilo & <Co>").value();
    for (const std::wstring& part : {L"<StartBoundary>" + std::wstring(row.boundaries) + L"</EndBoundary>",
                                    L"<Command>" + std::wstring(row.command) + L"</Command>",
                                    std::wstring(L"<Author>Reveilo &amp; &lt;Co&gt;</Author>"),
                                    std::wstring(L"<DeleteExpiredTaskAfter>PT0S</"), std::wstring(L"<WakeToRun>true</")})
      EXPECT_NE(xml.find(part), std::wstring::npos) << std::string(part.begin(), part.end());
    std::string utf16 = "\xff\xfe";  // the samples hold nothing beyond the BMP
    for (const wchar_t c : L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + xml)
      utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF)};
    const std::string path = ::testing::TempDir() + "task-sample-" + std::to_string(files.size()) + ".xml";
    std::ofstream(path, std::ios::binary) << utf16;
    files += " " + path;
  }
  EXPECT_EQ(std::system(("xmllint --noout --schema '" REVEILO_TASK_XSD "'" + files).c_str()), 0);
}

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
  const std::wstring asXml = BuildTaskXml(L"2027/01/05 07:05:00", L"C:\\W\\Startup.bat", L"R").value();
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
  EXPECT_TRUE(XmlWakesToRun(BuildTaskXml(L"2027/01/05 07:05:00", L"C:\\W\\Startup.bat", L"R").value()));
  EXPECT_FALSE(XmlWakesToRun(L"<Settings><WakeToRun>false</WakeToRun></Settings>"));
  EXPECT_FALSE(XmlWakesToRun(L"<Settings></Settings>")) << "the schema's default is not to wake";
}

// Every month's last day, the leap rules, and the years Windows' date functions take.
TEST(CivilDate, EveryMonthsLastDayAndTheYearsWindowsTakes) {
  const int kLast[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const auto& [year, february] : {std::pair{2027, 28}, {2028, 29}, {1900, 28}, {2000, 29}}) {
    for (int month = 1; month <= 12; ++month) {
      const int last = month == 2 ? february : kLast[month - 1];
      EXPECT_TRUE(IsValidCivilDate(year, month, last)) << year << "/" << month;
      EXPECT_FALSE(IsValidCivilDate(year, month, last + 1)) << year << "/" << month;
    }
  }
  for (const auto& [year, month, day, valid] : {std::tuple{1601, 1, 1, true}, {1600, 12, 31, false},
                                                {9999, 12, 31, true}, {10000, 1, 1, false}, {2027, 0, 1, false},
                                                {2027, 13, 1, false}, {2027, 1, 0, false}})
    EXPECT_EQ(IsValidCivilDate(year, month, day), valid) << year << "/" << month << "/" << day;
}

// A local time daylight saving skips or repeats, from the zone's own conversions (nullopt: one that failed).
TEST(CivilDate, ATimeTheClockSkipsOrRepeats) {
  using K = LocalTimeKind;
  const CivilDateTime t{2027, 3, 28, 2, 30, 0}, hourBefore{2027, 3, 28, 1, 30, 0}, hourAfter{2027, 3, 28, 3, 30, 0};
  const std::optional<CivilDateTime> none;
  for (const auto& [back, earlier, later, kind] :
       {std::tuple{std::optional{t}, std::optional{hourBefore}, std::optional{hourAfter}, K::Once},
        {hourAfter, hourBefore, CivilDateTime{2027, 3, 28, 4, 30, 0}, K::Missing}, {none, none, none, K::Once},
        {t, t, hourAfter, K::Twice}, {t, hourBefore, t, K::Twice}, {CivilDateTime{2027, 3, 28, 2, 31, 0}, none, none, K::Missing},
        {CivilDateTime{2027, 3, 29, 2, 30, 0}, none, none, K::Missing}, {CivilDateTime{2028, 3, 28, 2, 30, 0}, none, none, K::Missing},
        {CivilDateTime{2027, 4, 28, 2, 30, 0}, none, none, K::Missing}, {CivilDateTime{2027, 3, 28, 3, 30, 0}, none, none, K::Missing},
        {t, CivilDateTime{2027, 3, 27, 2, 30, 0}, CivilDateTime{2026, 3, 28, 2, 30, 0}, K::Once},
        {t, CivilDateTime{2027, 2, 28, 2, 30, 0}, CivilDateTime{2027, 3, 28, 2, 29, 0}, K::Once}})
    EXPECT_EQ(JudgeLocalTime(t, back, earlier, later), kind);
  // The shift is the zone's own: an hour, or half of one on Lord Howe Island (daylight bias -30 minutes).
  for (const auto& [bias, seconds] : {std::pair{-60L, 3600LL}, {-30L, 1800LL}, {0L, 0LL}, {60L, 3600LL}})
    EXPECT_EQ(DaylightShiftSeconds(bias), seconds) << bias;
}

// Moving a time by seconds, across days, month ends, leap days, years and centuries, both ways.
TEST(CivilDate, MovedBySeconds) {
  for (const auto& [from, seconds, to] :
       {std::tuple{CivilDateTime{2027, 1, 1, 0, 0, 0}, -1LL, CivilDateTime{2026, 12, 31, 23, 59, 59}},
        {CivilDateTime{9999, 12, 31, 23, 59, 0}, 86460LL, CivilDateTime{10000, 1, 2, 0, 0, 0}},
        {CivilDateTime{2027, 3, 2, 0, 0, 0}, -86400LL, CivilDateTime{2027, 3, 1, 0, 0, 0}},
        {CivilDateTime{2027, 12, 31, 23, 59, 30}, 30LL, CivilDateTime{2028, 1, 1, 0, 0, 0}},
        {CivilDateTime{2027, 4, 30, 12, 0, 0}, 400LL * 86400, CivilDateTime{2028, 6, 3, 12, 0, 0}}}) {
    const CivilDateTime moved = AddSeconds(from, seconds);
    EXPECT_TRUE(SameMinute(moved, to) && moved.second == to.second) << seconds;
    EXPECT_EQ(SecondsBetween(from, moved), seconds);
  }
  // Day by day through every year Windows' date functions take, each the calendar's next day.
  for (CivilDateTime day{1601, 1, 1}; day.year < 10000;) {
    const CivilDateTime next = AddSeconds(day, 86400);
    const CivilDateTime expected = IsValidCivilDate(day.year, day.month, day.day + 1) ? CivilDateTime{day.year, day.month, day.day + 1}
                                   : day.month < 12 ? CivilDateTime{day.year, day.month + 1, 1} : CivilDateTime{day.year + 1, 1, 1};
    ASSERT_TRUE(SameMinute(next, expected)) << day.year << "/" << day.month << "/" << day.day;
    day = next;
  }
}
