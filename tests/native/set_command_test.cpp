#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <functional>
#include <vector>

#include "main_window/clock_text.h"
#include "main_window/set_command.h"
#include "res/strings.h"
#include "settings/password.h"

namespace {
// Every box: the name the rows below give it, its buttons and icon (every question's default button is Yes), and
// its text with what follows it for a sample detail (not shown by a message that names nothing).
using M = SetMessage;
constexpr MessageKind W = MessageKind::Warning, Q = MessageKind::Question;
struct MessageRow {
  SetMessage message;
  const wchar_t* name;
  MessageKind kind;
  std::wstring detail, text;
};
const std::wstring kFolderFollows = L"\n\nC:\\P\n\n" + std::wstring(kMsgMoveFolder);
const MessageRow kMessages[] = {
    {M::PastTime, L"past", W, L"x", kMsgPastTime},  {M::EmptyPassword, L"empty?", Q, L"", kMsgEmptyPassword},
    {M::ScheduleFailed, L"failed", W, L"why", kMsgScheduleFailed + std::wstring(L"\nwhy")},
    {M::ScheduleFailed, L"failed", W, L"", kMsgScheduleFailed}, {M::Done, L"done", MessageKind::Information, L"", kMsgDone},
    {M::PasswordNotStorable, L"unstorable", W, L"", kMsgPasswordNotStorable}, {M::NotHibernated, L"asleep", W, L"", kMsgNotHibernated},
    {M::WakeTimersOff, L"timers?", Q, L"v", kMsgWakeTimersOff + (L"\n\nv\n\n" + std::wstring(kMsgWakeTimersRemedy))},
    {M::HibernationOff, L"hiber?", Q, L"", kMsgHibernationOff}, {M::ClockCannotWake, L"clock?", Q, L"", kMsgClockCannotWake},
    {M::FolderNotWritable, L"unwritable", W, L"C:\\P", kMsgFolderNotWritable + kFolderFollows},
    {M::FolderNameNotAnsi, L"not ANSI", W, L"C:\\P", kMsgFolderNameNotAnsi + kFolderFollows},
    {M::FolderOnNetwork, L"network", W, L"C:\\P", kMsgFolderOnNetwork + kFolderFollows},
    {M::AccountControlCharacter, L"control", W, L"", kMsgAccountControlCharacter}, {M::AccountRefused, L"refused", W, L"", kMsgAccountRefused},
    {M::AccountNotInCodePage, L"not in code page", W, L"", kMsgAccountNotInCodePage},
    {M::TooSoonToHibernate, L"too soon", W, L"", kMsgTooSoonToHibernate + (L"5" + std::wstring(kMsgTooSoonToHibernateRest))},
    {M::ShippedFileMissing, L"missing", W, L"jt.exe", kMsgShippedFileMissing + (L"jt.exe" + std::wstring(kMsgShippedFileMissingRest) + L"\n\n" + kMsgUnzipWholeFolder)},
    {M::UserNameEmpty, L"no user", W, L"", kMsgUserNameEmpty}, {M::UserNameQuote, L"quote", W, L"", kMsgUserNameQuote},
    {M::TimeDoesNotExist, L"no such time", W, L"", kMsgTimeDoesNotExist}, {M::TimeComesTwice, L"twice", W, L"", kMsgTimeComesTwice},
    {M::TooLateToHibernate, L"too late", W, L"", kMsgTooLateToHibernate},
};
// A message without a row reads "?", which no row expects.
std::wstring Name(SetMessage m) {
  for (const MessageRow& row : kMessages)
    if (row.message == m) return row.name;
  return L"?";
}

// A run's calls as a script's run makes them: the boxes the message table does not show a script left out.
std::wstring SeenByAScript(const std::wstring& calls) {
  std::wstring kept, token;
  std::wistringstream in(calls);
  while (std::getline(in, token, L'|')) {
    const bool hidden = std::any_of(std::begin(kMessages), std::end(kMessages), [&](const MessageRow& row) {
      return !ShownToScript(row.message) && (token == row.name || token.rfind(row.name + std::wstring(L" "), 0) == 0);
    });
    if (!hidden) kept += (kept.empty() ? L"" : L"|") + token;
  }
  return kept;
}

// The window and the system the command works on; every call is recorded, in order, "|"-separated.
class FakeHost : public SetCommandHost, Clock, WakeJobs, SettingsStore, PowerControl, WakeLog {
 public:
  CivilDateTime picker{2027, 1, 5};
  std::wstring hour = L"07", minute = L"05", user = L"taro", password = L"pw";
  AfterWake afterWake;
  ScheduleRoute route = ScheduleRoute::Batch;
  bool hibernate = false, commandLine = false, closeRequested = false;
  CivilDateTime now{2027, 1, 5, 6, 0, 30};
  LocalTimeKind kind = LocalTimeKind::Once;  // of 7:05 on the picker's day
  bool answerYes = true, scheduleOk = true, countdownCompletes = true, privilegeOk = true;
  Readiness wakeTimers = Readiness::Fine, hibernation = Readiness::Fine, clock = Readiness::Fine;
  PreflightCheck check{Preflight::Usable, L"C:\\W"};
  std::function<void()> duringSchedule, duringCountdown, duringMessage;
  std::wstring calls;
  SetCommand* command = nullptr;  // the one the rows click
  SetCommandServices services{*this, *this, *this, *this, *this};
  WakeScan scan;  // what else will wake the machine
  int scanSeconds = 0;  // how long finding it takes
  std::optional<ResumeReport> resumed;  // when set, how the machine came back
  std::vector<std::wstring> logged;

  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  WakeRequest Request() override { return {picker, hour, minute, user, password, afterWake}; }
  bool HibernateTicked() override { return hibernate; }
  bool InCommandLineMode() override { return commandLine; }
  bool CloseRequested() override { return closeRequested; }
  CivilDateTime Now() override { return now; }
  std::optional<CivilDateTime> Utc(const CivilDateTime& t) override { return AddSeconds(t, -9 * 3600); }
  LocalTimeKind Kind(const CivilDateTime& t) override { return t.hour == 7 && t.minute == 5 ? kind : LocalTimeKind::Once; }
  WakeTimerCheck WakeTimers() override { return {wakeTimers, wakeTimers == Readiness::Off ? L"v" : L""}; }
  Readiness Hibernation() override { return hibernation; }
  Readiness ClockWake() override { return clock; }
  ScheduleRoute Route() override { return route; }
  PreflightCheck CheckBeforeSet(const std::wstring&, const std::wstring&) override { return check; }
  bool Show(const ShownMessage& m) override {
    Record(Name(m.message) + (m.detail.empty() ? L"" : L" " + m.detail));
    if (duringMessage) duringMessage();
    return answerYes;
  }
  ScheduleResult Schedule(const WakeJobInputs& in) override {
    Record(L"job " + in.dateText + L" " + in.timeText + L" " + in.userName + L" " + in.password +
           (in.afterWake.On() ? L" " + SwitchesText(in.afterWake) : L""));
    if (duringSchedule) duringSchedule();
    return {scheduleOk, scheduleOk ? L"" : L"why", route};
  }
  std::wstring Read(const std::wstring&, const std::wstring&) override { return L""; }
  bool RemoveSection(const std::wstring& section) override { return Record(L"remove " + section), true; }
  // The password is recorded as it reads back: "Pass*pw" means stored scrambled.
  bool Write(const std::wstring&, const std::wstring& k, const std::wstring& v) override {
    if (k != L"Pass") Record(k + L"=" + v);
    else Record(!v.empty() && v == password ? L"plain" : L"Pass*" + ConvertPassword(L"RESET", v).value_or(L"?"));
    return true;
  }
  bool RunSuspendCountdown() override {
    Record(L"countdown");
    if (duringCountdown) duringCountdown();
    return countdownCompletes;
  }
  std::optional<ResumeReport> EnterHibernation() override {
    Record(L"hibernate");
    if (!privilegeOk) return std::nullopt;
    const CivilDateTime utc = AddSeconds(now, -9 * 3600);
    return resumed.value_or(ResumeReport{utc, utc, now, false});
  }
  WakeScan EarlierWakers(const CivilDateTime&) override { return now = AddSeconds(now, scanSeconds), scan; }
  std::wstring WakeSource(const CivilDateTime& since) override { return L"Timer since " + LogTime(since); }
  void Append(const std::wstring& line) override { logged.push_back(line); }
};

const std::wstring kJob = L"job 1/5/2027 07:05 taro pw|User=taro|Pass*pw|Hour=07|Min=05";
const std::wstring kEmptyJob = L"job 1/5/2027 07:05 taro |User=taro|Pass*|Hour=07|Min=05";
constexpr SetOutcome kStay = SetOutcome::StayOpen, kExit = SetOutcome::Exit;
}  // namespace

// Each row runs through the window and from the command line; the command
// line shows no completion message ("done") and asks none of the power
// questions. All rows click the same command, so each run must leave it ready
// for the next click.
TEST(SetCommand, WhatTheUserSeesAndWhatIsStored) {
  const struct {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    SetOutcome outcome;
    std::wstring calls;
    bool windowOnly = false;  // a No to a question a script is never asked
  } rows[] = {
      {"a minute that has begun", [](FakeHost& h) { h.now = {2027, 1, 5, 7, 5, 0}; }, kStay, L"past"},
      {"a second before the minute, across a month's end",
       [](FakeHost& h) { h.picker = {2027, 2, 1}, h.hour = h.minute = L"00", h.now = {2027, 1, 31, 23, 59, 59}; }, kExit,
       L"job 2/1/2027 00:00 taro pw|User=taro|Pass*pw|Hour=00|Min=00|done"},
      {"hibernating, two minutes ahead", [](FakeHost& h) { h.now = {2027, 1, 5, 7, 3, 0}, h.hibernate = true; }, kExit,
       kJob + L"|countdown|hibernate"},
      {"hibernating, a second less, across a year's end", [](FakeHost& h) {
         h.picker = {2028, 1, 1}, h.hour = h.minute = L"00", h.now = {2027, 12, 31, 23, 58, 1}, h.hibernate = true; }, kStay, L"too soon"},
      {"the minute begins while a question stands",
       [](FakeHost& h) { h.password.clear(), h.duringMessage = [&h] { h.now = {2027, 1, 5, 7, 5, 0}; }; }, kStay,
       L"empty?|past"},
      {"No to the empty password", [](FakeHost& h) { h.password.clear(); h.answerYes = false; }, kStay, L"empty?"},
      {"Yes to the empty password", [](FakeHost& h) { h.password.clear(); }, kExit, L"empty?|" + kEmptyJob + L"|done"},
      {"an empty password on the component's route asks nothing",
       [](FakeHost& h) { h.password.clear(); h.route = ScheduleRoute::Component; }, kExit,
       L"job 1/5/2027 07:05 taro |User=taro|Hour=07|Min=05|done"},
      {"a password the scrambler cannot store", [](FakeHost& h) { h.password = L"パス"; }, kStay, L"unstorable"},
      {"the component's route neither judges nor stores the password",
       [](FakeHost& h) { h.password = L"p\u00e9"; h.route = ScheduleRoute::Component; }, kExit,
       L"job 1/5/2027 07:05 taro p\u00e9|User=taro|Hour=07|Min=05|done"},
      {"scheduling fails, and says why", [](FakeHost& h) { h.scheduleOk = false; }, kStay, L"job 1/5/2027 07:05 taro pw|failed why"},
      {"countdown cancelled", [](FakeHost& h) { h.hibernate = true; h.countdownCompletes = false; }, kStay, kJob + L"|countdown"},
      {"the machine did not hibernate", [](FakeHost& h) { h.hibernate = true; h.privilegeOk = false; }, SetOutcome::NotHibernated,
       kJob + L"|countdown|hibernate|asleep"},
      {"box cleared during the countdown",
       [](FakeHost& h) { h.hibernate = true; h.duringCountdown = [&h] { h.hibernate = false; }; }, kExit, kJob + L"|countdown"},
      {"a second click during the batch wait is ignored",
       [](FakeHost& h) { h.duringSchedule = [&h] { h.Record(h.command->Click(h, h.services) ? L"ran again" : L"ignored"); }; },
       kExit, L"job 1/5/2027 07:05 taro pw|ignored|User=taro|Pass*pw|Hour=07|Min=05|done"},
      {"window closed during the batch wait",
       [](FakeHost& h) { h.hibernate = true; h.duringSchedule = [&h] { h.closeRequested = true; }; },
       SetOutcome::NotHibernated, kJob},
      // The texts reach scheduling and the settings as typed.
      {"a single-digit minute stays unpadded", [](FakeHost& h) { h.minute = L"5"; }, kExit,
       L"job 1/5/2027 07:5 taro pw|User=taro|Pass*pw|Hour=07|Min=5|done"},
      {"kept up after the wake: the job runs the wake mode, and the choice is stored", [](FakeHost& h) { h.afterWake = {30, true}; }, kExit,
       L"job 1/5/2027 07:05 taro pw /awake:30 /rehibernate|User=taro|Pass*pw|Hour=07|Min=05|Minutes=30|Rehibernate=1|done"},
      {"letters for the hour: no job, after the questions", [](FakeHost& h) { h.hour = L"ab", h.password.clear(); },
       kStay, L"empty?|failed " + std::wstring(kReasonUnreadableTime)},
      // Power questions: only on a definite "off", after the password question.
      {"wake timers off, No", [](FakeHost& h) { h.wakeTimers = Readiness::Off; h.answerYes = false; }, kStay,
       L"timers? v", true},
      {"hibernation and the clock off, not asked for", [](FakeHost& h) { h.hibernation = h.clock = Readiness::Off; },
       kExit, kJob + L"|done"},
      {"hibernation off, ticked, No",
       [](FakeHost& h) { h.hibernation = Readiness::Off; h.hibernate = true; h.answerYes = false; }, kStay, L"hiber?", true},
      {"the clock cannot wake from hibernation, ticked, No",
       [](FakeHost& h) { h.clock = Readiness::Off; h.hibernate = true; h.answerYes = false; }, kStay, L"clock?", true},
      {"all three off, after the password question",
       [](FakeHost& h) { h.wakeTimers = h.hibernation = h.clock = Readiness::Off, h.hibernate = true, h.password.clear(); },
       kExit, L"empty?|timers? v|hiber?|clock?|" + kEmptyJob + L"|countdown|hibernate"},
      // The folder is checked before any question, and names itself.
      {"a folder Reveilo cannot write",
       [](FakeHost& h) { h.password.clear(), h.check = {Preflight::FolderNotWritable, L"C:\\P"}; }, kStay,
       L"unwritable C:\\P"},
      // Outside Japan: a time daylight saving skips or repeats.
      {"a time the clock skips", [](FakeHost& h) { h.kind = LocalTimeKind::Missing; }, kStay, L"no such time"},
      {"a time the clock repeats", [](FakeHost& h) { h.kind = LocalTimeKind::Twice; }, kStay, L"twice"},
      {"the wake comes too close while the job is made",
       [](FakeHost& h) { h.now = {2027, 1, 5, 7, 3, 0}, h.hibernate = true, h.duringSchedule = [&h] { h.now.second = 1; }; },
       SetOutcome::NotHibernated, kJob + L"|too late"},
      {"the record's scan takes its time after the job: the hibernation still goes",
       [](FakeHost& h) { h.now = {2027, 1, 5, 7, 3, 0}, h.hibernate = true, h.scanSeconds = 30; }, kExit,
       kJob + L"|countdown|hibernate"},
      {"a past time is refused before any power question",
       [](FakeHost& h) { h.wakeTimers = Readiness::Off; h.now = {2028, 1, 1}; }, kStay, L"past"},
  };
  SetCommand command;
  for (const bool commandLine : {false, true}) {
    for (const auto& row : rows) {
      FakeHost host;
      host.commandLine = commandLine, host.command = &command;
      row.arrange(host);
      if (commandLine && row.windowOnly) continue;
      const std::wstring expected = commandLine ? SeenByAScript(row.calls) : row.calls;
      EXPECT_EQ(command.Click(host, host.services), row.outcome) << row.what;
      EXPECT_EQ(host.calls, expected) << row.what << (commandLine ? " (command line)" : " (window)");
    }
  }
}

// Each thing the check before any Set finds, as the message that says so and names what it names.
TEST(SetCommand, EachPreflightFindingItsMessage) {
  for (const auto& [state, detail, shown] :
       {std::tuple{Preflight::FolderNameNotAnsi, L"C:\\M\u00fcller", L"not ANSI C:\\M\u00fcller"},
        {Preflight::FolderOnNetwork, L"\\\\s\\r", L"network \\\\s\\r"}, {Preflight::AccountControlCharacter, L"", L"control"},
        {Preflight::ShippedFileMissing, L"jt.exe", L"missing jt.exe"}, {Preflight::UserNameEmpty, L"", L"no user"},
        {Preflight::UserNameQuote, L"", L"quote"}, {Preflight::AccountNotInCodePage, L"", L"not in code page"},
        // nothing scheduled or stored: the earlier job stays
        {Preflight::AccountRefused, L"", L"refused"}}) {
    FakeHost host;
    host.check = {state, detail};
    EXPECT_EQ(std::make_pair(SetCommand().Click(host, host.services), host.calls), std::make_pair(std::optional(kStay), std::wstring(shown)));
  }
}

// Around every month's end, in leap and common years, centuries and a year's end: the minute that has begun is
// past, and with hibernate-now the wake must start two minutes or more ahead.
TEST(WakeTime, JudgedAgainstTheClockAcrossEveryMonthsEnd) {
  using V = WakeTimeVerdict;
  const int kLast[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const auto& [year, february] : {std::pair{2027, 28}, {2028, 29}, {2100, 28}, {2000, 29}}) {
    for (int month = 1; month <= 12; ++month) {
      const int last = month == 2 ? february : kLast[month - 1];
      const CivilDateTime first = month == 12 ? CivilDateTime{year + 1, 1, 1} : CivilDateTime{year, month + 1, 1};
      const std::wstring next = FormatMonthDayYear(first), lastDay = FormatMonthDayYear({year, month, last});
      for (const auto& [date, now, hibernate, verdict] :
           {std::tuple{next, CivilDateTime{year, month, last, 23, 58, 0}, true, V::Ahead},
            {next, CivilDateTime{year, month, last, 23, 58, 1}, true, V::BeforeAsleep},
            {next, CivilDateTime{year, month, last, 23, 59, 59}, false, V::Ahead}, {lastDay, first, false, V::Past}})
        EXPECT_EQ(JudgeWakeTime(ParseWakeMinute(date, L"00:00"), now, hibernate), verdict) << year << "/" << month;
    }
  }
}

TEST(SetMessages, EachBoxItsTextAndButtons) {
  for (const MessageRow& row : kMessages) {
    const ShownMessage shown = ComposeSetMessage(row.message, row.detail);
    EXPECT_EQ(std::make_pair(shown.text, shown.kind), std::make_pair(row.text, row.kind)) << row.name;
  }
}

// A line for each successful Set, with its route, and after a hibernate-now a line on how the machine came back.
TEST(SetCommand, WhatTheRecordSays) {
  const struct {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    std::vector<std::wstring> lines;  // what each line written holds
  } rows[] = {
      {"made on XP", [](FakeHost&) {}, {kLogRouteXp}},
      {"made through the component", [](FakeHost& h) { h.route = ScheduleRoute::Component; }, {kLogRouteVista}},
      {"scheduling failed", [](FakeHost& h) { h.scheduleOk = false; }, {}},
      {"countdown cancelled", [](FakeHost& h) { h.hibernate = true, h.countdownCompletes = false; }, {kLogSet}},
      {"hibernation refused", [](FakeHost& h) { h.hibernate = true, h.privilegeOk = false; }, {kLogSet, kLogHibernation + std::wstring(kLogHibernationRefused)}},
      {"came back at once", [](FakeHost& h) { h.hibernate = true; }, {kLogSet, kLogCameBackSoonBefore}},
      {"woken by a person, with wake timers off", [](FakeHost& h) {
         h.hibernate = true, h.wakeTimers = Readiness::Off, h.resumed = {{2027, 1, 4, 21}, {2027, 1, 5, 0}, {}}; }, {kLogSet, kLogCauseWakeTimers}},
      // The asked minute's UTC from the zone (07:05 here is 22:05 UTC): early by UTC, with this resume's wake source.
      {"woken early: the event log's wake source for this resume", [](FakeHost& h) {
         h.hibernate = true, h.resumed = {{2027, 1, 4, 21}, {2027, 1, 4, 22, 4, 59}, {}, true}; },
       {kLogSet, kLogEarly + std::wstring(kLogWakeSource) + L"Timer since 2027/01/04 21:00:00"}},
      {"someone at the machine at the asked time", [](FakeHost& h) { h.hibernate = true, h.resumed = {{2027, 1, 4, 21}, {2027, 1, 4, 22, 5}, {}}; },
       {kLogSet, kLogPersonAtTime + std::wstring(kLogWakeSource) + L"Timer since"}},
      {"woken by a person, with the clock unable to", [](FakeHost& h) {
         h.hibernate = true, h.clock = Readiness::Off, h.resumed = {{2027, 1, 4, 21}, {2027, 1, 5, 0}, {}}; }, {kLogSet, kLogCauseClock}},
  };
  for (const auto& row : rows) {
    FakeHost host;
    row.arrange(host), host.commandLine = true;  // asks no question
    SetCommand().Click(host, host.services);
    ASSERT_EQ(host.logged.size(), row.lines.size()) << row.what;
    for (std::size_t i = 0; i < row.lines.size(); ++i)
      EXPECT_NE(host.logged[i].find(row.lines[i]), std::wstring::npos) << row.what << " " << i;
  }
}
