#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <vector>

#include "main_window/clock_text.h"
#include "main_window/set_command.h"
#include "res/strings.h"
#include "settings/password.h"

namespace {
// The name a row gives each message; the compiler names a message without one.
std::wstring Name(SetMessage m) {
  switch (m) {
    case SetMessage::PastTime: return L"past";
    case SetMessage::EmptyPassword: return L"empty?";
    case SetMessage::ScheduleFailed: return L"failed";
    case SetMessage::Done: return L"done";
    case SetMessage::PasswordNotStorable: return L"unstorable";
    case SetMessage::WakeTimersOff: return L"timers?";
    case SetMessage::HibernationOff: return L"hiber?";
    case SetMessage::FolderNotWritable: return L"unwritable";
    case SetMessage::FolderNameNotAnsi: return L"not ANSI";
    case SetMessage::NotHibernated: return L"asleep";
    case SetMessage::ClockCannotWake: return L"clock?";
    case SetMessage::FolderOnNetwork: return L"network";
    case SetMessage::AccountControlCharacter: return L"control";
    case SetMessage::AccountNotInCodePage: return L"not in code page";
    case SetMessage::TooSoonToHibernate: return L"too soon";
    case SetMessage::ShippedFileMissing: return L"missing";
  }
  return L"?";
}

// The window and the system the command works on; every call is recorded, in order, "|"-separated.
class FakeHost : public SetCommandHost, Clock, WakeJobs, SettingsStore, PowerControl {
 public:
  CivilDateTime picker{2027, 1, 5};
  std::wstring hour = L"07", minute = L"05", user = L"taro", password = L"pw";
  ScheduleRoute route = ScheduleRoute::Batch;
  bool hibernate = false, commandLine = false, closeRequested = false;
  CivilDateTime now{2027, 1, 5, 6, 0, 30};
  bool answerYes = true, scheduleOk = true, countdownCompletes = true, privilegeOk = true;
  Readiness wakeTimers = Readiness::Fine, hibernation = Readiness::Fine, clock = Readiness::Fine;
  PreflightCheck check{Preflight::Usable, L"C:\\W"};
  std::function<void()> duringSchedule, duringCountdown, duringMessage;
  std::wstring calls;
  SetCommand* command = nullptr;  // the one the rows click
  SetCommandServices services{*this, *this, *this, *this};

  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  CivilDateTime PickerDate() override { return picker; }
  std::wstring HourText() override { return hour; }
  std::wstring MinuteText() override { return minute; }
  std::wstring UserText() override { return user; }
  std::wstring PasswordText() override { return password; }
  bool HibernateTicked() override { return hibernate; }
  bool InCommandLineMode() override { return commandLine; }
  bool CloseRequested() override { return closeRequested; }
  CivilDateTime Now() override { return now; }
  Readiness WakeTimers() override { return wakeTimers; }
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
    Record(L"job " + in.dateText + L" " + in.timeText + L" " + in.userName + L" " + in.password);
    if (duringSchedule) duringSchedule();
    return {scheduleOk, scheduleOk ? L"" : L"why", route};
  }
  std::wstring Read(const std::wstring&, const std::wstring&) override { return L""; }
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
  bool EnterHibernation() override {
    Record(L"hibernate");
    return privilegeOk;
  }
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
      {"hibernating, a second less, across a year's end",
       [](FakeHost& h) {
         h.picker = {2028, 1, 1}, h.hour = h.minute = L"00", h.now = {2027, 12, 31, 23, 58, 1}, h.hibernate = true;
       }, kStay, L"too soon"},
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
      {"scheduling fails, and says why", [](FakeHost& h) { h.scheduleOk = false; }, kStay,
       L"job 1/5/2027 07:05 taro pw|failed why"},
      {"countdown cancelled", [](FakeHost& h) { h.hibernate = true; h.countdownCompletes = false; }, kStay,
       kJob + L"|countdown"},
      {"the machine did not hibernate", [](FakeHost& h) { h.hibernate = true; h.privilegeOk = false; },
       SetOutcome::NotHibernated, kJob + L"|countdown|hibernate|asleep"},
      {"box cleared during the countdown",
       [](FakeHost& h) { h.hibernate = true; h.duringCountdown = [&h] { h.hibernate = false; }; }, kExit,
       kJob + L"|countdown"},
      {"a second click during the batch wait is ignored",
       [](FakeHost& h) { h.duringSchedule = [&h] { h.Record(h.command->Click(h, h.services) ? L"ran again" : L"ignored"); }; },
       kExit, L"job 1/5/2027 07:05 taro pw|ignored|User=taro|Pass*pw|Hour=07|Min=05|done"},
      {"window closed during the batch wait",
       [](FakeHost& h) { h.hibernate = true; h.duringSchedule = [&h] { h.closeRequested = true; }; },
       SetOutcome::NotHibernated, kJob},
      // The texts reach scheduling and the settings as typed.
      {"a single-digit minute stays unpadded", [](FakeHost& h) { h.minute = L"5"; }, kExit,
       L"job 1/5/2027 07:5 taro pw|User=taro|Pass*pw|Hour=07|Min=5|done"},
      {"letters for the hour skip the past-time test", [](FakeHost& h) { h.hour = L"ab"; h.now = {2030, 1, 1}; },
       kExit, L"job 1/5/2027 ab:05 taro pw|User=taro|Pass*pw|Hour=ab|Min=05|done"},
      // Power questions: only on a definite "off", after the password question.
      {"wake timers off, No", [](FakeHost& h) { h.wakeTimers = Readiness::Off; h.answerYes = false; }, kStay,
       L"timers?", true},
      {"hibernation and the clock off, not asked for", [](FakeHost& h) { h.hibernation = h.clock = Readiness::Off; },
       kExit, kJob + L"|done"},
      {"hibernation off, ticked, No",
       [](FakeHost& h) { h.hibernation = Readiness::Off; h.hibernate = true; h.answerYes = false; }, kStay, L"hiber?",
       true},
      {"the clock cannot wake from hibernation, ticked, No",
       [](FakeHost& h) { h.clock = Readiness::Off; h.hibernate = true; h.answerYes = false; }, kStay, L"clock?", true},
      {"all three off, after the password question",
       [](FakeHost& h) {
         h.wakeTimers = h.hibernation = h.clock = Readiness::Off, h.hibernate = true, h.password.clear();
       },
       kExit, L"empty?|timers?|hiber?|clock?|" + kEmptyJob + L"|countdown|hibernate"},
      // The folder is checked before any question, and names itself.
      {"a folder Reveilo cannot write",
       [](FakeHost& h) { h.password.clear(), h.check = {Preflight::FolderNotWritable, L"C:\\P"}; }, kStay,
       L"unwritable C:\\P"},
      {"a folder name the code page cannot write",
       [](FakeHost& h) { h.check = {Preflight::FolderNameNotAnsi, L"C:\\M\u00fcller"}; }, kStay,
       L"not ANSI C:\\M\u00fcller"},
      {"a network folder", [](FakeHost& h) { h.check = {Preflight::FolderOnNetwork, L"\\\\s\\r"}; }, kStay,
       L"network \\\\s\\r"},
      {"Ctrl-Z in the account", [](FakeHost& h) { h.check = {Preflight::AccountControlCharacter, L""}; }, kStay,
       L"control"},
      {"jt.exe not unzipped", [](FakeHost& h) { h.check = {Preflight::ShippedFileMissing, L"jt.exe"}; }, kStay,
       L"missing jt.exe"},
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
      std::wstring expected = row.calls;
      for (const wchar_t* asked : {L"|done", L"timers?|", L"hiber?|", L"clock?|"}) {
        const std::size_t at = expected.find(asked);
        if (commandLine && at != std::wstring::npos) expected.erase(at, std::wcslen(asked));
      }
      EXPECT_EQ(command.Click(host, host.services), row.outcome) << row.what;
      EXPECT_EQ(host.calls, expected) << row.what << (commandLine ? " (command line)" : " (window)");
    }
  }
}

TEST(Readiness, OnlyADefiniteOffCounts) {
  constexpr Readiness F = Readiness::Fine, O = Readiness::Off;
  const std::optional<unsigned long> n, v0 = 0, v1 = 1, v2 = 2, v3 = 3;  // n: the scheme could not be read
  const std::optional<bool> none = false, some = true, unknown;  // batteries present
  const struct {
    std::optional<unsigned long> ac, dc;
    std::optional<bool> batteries;
    unsigned acLine;
    Readiness expected;
  } timers[] = {
      {n, n, none, 1, F},       {v0, n, none, 1, O},     {v2, v1, none, 0, O},  {v1, v0, none, 0, F},
      {v1, v0, none, 255, F},   {v3, v1, none, 1, F},    {v1, v0, some, 1, F},  {v1, v0, some, 0, O},
      {v1, v2, some, 0, O},     {v0, v1, some, 0, F},    {v0, v0, some, 255, F}, {v0, v1, unknown, 1, O},
      {v1, v0, unknown, 0, O},  {v0, v0, unknown, 255, F}, {v1, n, some, 0, F},
  };
  for (const auto& t : timers) {
    EXPECT_EQ(JudgeWakeTimers(t.ac, t.dc, t.batteries, t.acLine), t.expected)
        << t.ac.value_or(9) << t.dc.value_or(9) << t.batteries.value_or(9) << t.acLine;
  }
  for (const bool s4 : {false, true}) {
    for (const bool file : {false, true})
      EXPECT_EQ(JudgeHibernation(HibernationCapabilities{s4, file}), s4 && file ? F : O);
  }
  EXPECT_EQ(JudgeHibernation(std::nullopt), F);
  const std::optional<unsigned> unspecified = 0, s3 = 4, s4 = 5, off = 6, none_read;
  for (const auto& [rtc, expected] : {std::pair{unspecified, F}, {std::optional<unsigned>(1), O},
                                      {std::optional<unsigned>(2), O}, {s3, O}, {s4, F}, {off, F}, {none_read, F}})
    EXPECT_EQ(JudgeClockWake(rtc), expected) << rtc.value_or(99);
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
        EXPECT_EQ(JudgeWakeTime(date, L"00:00", now, hibernate), verdict) << year << "/" << month << " " << hibernate;
    }
  }
}

// The status bar's "yyyy-mm-dd (aaa) hh:mm:ss", each field at its width.
TEST(ClockText, EachFieldAtItsWidth) {
  for (const auto& [now, weekday, text] :
       {std::tuple{CivilDateTime{2027, 1, 5, 7, 5, 9}, L"\u706b", L"2027-01-05 (\u706b) 07:05:09"},
        {CivilDateTime{9999, 12, 31, 23, 59, 59}, L"Fri", L"9999-12-31 (Fri) 23:59:59"}})
    EXPECT_EQ(FormatClockText(now, weekday), text);
}

// Each box: its text and what follows it, its buttons and icon; every question's default button is Yes.
TEST(SetMessages, EachBoxItsTextAndButtons) {
  using M = SetMessage;
  constexpr MessageKind W = MessageKind::Warning, Q = MessageKind::Question;
  const std::wstring folder = L"\n\nC:\\P\n\n" + std::wstring(kMsgMoveFolder);
  const struct {
    SetMessage message;
    std::wstring detail;
    MessageKind kind;
    std::wstring text;
  } rows[] = {
      {M::PastTime, L"", W, kMsgPastTime}, {M::EmptyPassword, L"", Q, kMsgEmptyPassword},
      {M::ScheduleFailed, L"why", W, kMsgScheduleFailed + std::wstring(L"\nwhy")},
      {M::ScheduleFailed, L"", W, kMsgScheduleFailed}, {M::Done, L"", MessageKind::Information, kMsgDone},
      {M::PasswordNotStorable, L"", W, kMsgPasswordNotStorable}, {M::WakeTimersOff, L"", Q, kMsgWakeTimersOff},
      {M::HibernationOff, L"", Q, kMsgHibernationOff}, {M::ClockCannotWake, L"", Q, kMsgClockCannotWake},
      {M::FolderNotWritable, L"C:\\P", W, kMsgFolderNotWritable + folder},
      {M::FolderNameNotAnsi, L"C:\\P", W, kMsgFolderNameNotAnsi + folder},
      {M::FolderOnNetwork, L"C:\\P", W, kMsgFolderOnNetwork + folder}, {M::NotHibernated, L"", W, kMsgNotHibernated},
      {M::AccountControlCharacter, L"", W, kMsgAccountControlCharacter},
      {M::AccountNotInCodePage, L"", W, kMsgAccountNotInCodePage},
      {M::TooSoonToHibernate, L"", W, kMsgTooSoonToHibernate + (L"5" + std::wstring(kMsgTooSoonToHibernateRest))},
      {M::ShippedFileMissing, L"jt.exe", W, kMsgShippedFileMissing + (L"jt.exe\n\n" + std::wstring(kMsgUnzipWholeFolder))},
  };
  for (const auto& row : rows) {
    const ShownMessage shown = ComposeSetMessage(row.message, row.detail);
    EXPECT_EQ(std::make_pair(shown.text, shown.kind), std::make_pair(row.text, row.kind)) << Name(row.message);
  }
  EXPECT_EQ(static_cast<unsigned>(Q), 0x24u) << "MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1";
}
