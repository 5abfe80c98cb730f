#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "main_window/set_command.h"
#include "settings/password.h"

namespace {
// Records every call the command makes, in order, as one line each.
class FakeHost : public SetCommandHost {
 public:
  CivilDateTime picker{2027, 1, 5};
  std::wstring hour = L"07", minute = L"05", user = L"taro", password = L"pw";
  bool passwordEnabled = true, hibernate = false, commandLine = false, closeRequested = false;
  CivilDateTime now{2027, 1, 5, 6, 0, 30};
  bool answerYes = true, scheduleOk = true, countdownCompletes = true, privilegeOk = true;
  Readiness wakeTimers = Readiness::Fine, hibernation = Readiness::Fine;
  std::function<void()> duringSchedule, duringCountdown;
  std::vector<std::wstring> calls;

  CivilDateTime PickerDate() override { return picker; }
  std::wstring HourText() override { return hour; }
  std::wstring MinuteText() override { return minute; }
  std::wstring UserText() override { return user; }
  std::wstring PasswordText() override { return password; }
  bool PasswordBoxEnabled() override { return passwordEnabled; }
  bool HibernateTicked() override { return hibernate; }
  bool InCommandLineMode() override { return commandLine; }
  bool CloseRequested() override { return closeRequested; }
  CivilDateTime Now() override { return now; }
  Readiness WakeTimers() override { return wakeTimers; }
  Readiness Hibernation() override { return hibernation; }
  bool ShowMessage(SetMessage m) override {
    static const wchar_t* names[] = {L"past",       L"empty?",     L"failed",
                                     L"done",       L"unstorable", L"wake timers?",
                                     L"hibernation?"};
    calls.push_back(std::wstring(L"message ") + names[static_cast<int>(m)]);
    return answerYes;
  }
  bool ScheduleWakeJob(const std::wstring& d, const std::wstring& t, const std::wstring& u,
                       const std::wstring& p) override {
    calls.push_back(L"schedule " + d + L" " + t + L" " + u + L" " + p);
    if (duringSchedule) duringSchedule();
    return scheduleOk;
  }
  bool WriteSetting(const std::wstring& s, const std::wstring& k, const std::wstring& v) override {
    calls.push_back(L"write " + s + L"." + k + L"=" + v);
    return true;
  }
  bool RunSuspendCountdown() override {
    calls.push_back(L"countdown");
    if (duringCountdown) duringCountdown();
    return countdownCompletes;
  }
  bool EnterHibernation() override {
    calls.push_back(L"hibernate");
    return privilegeOk;
  }
};

std::wstring Scrambled(const wchar_t* text) { return ConvertPassword(L"SET", text).value(); }

std::vector<std::wstring> Stored(const std::wstring& user, const std::wstring& pass,
                                 const std::wstring& hour, const std::wstring& min) {
  return {L"write UserInfo.User=" + user, L"write UserInfo.Pass=" + pass,
          L"write StartTime.Hour=" + hour, L"write StartTime.Min=" + min};
}

std::vector<std::wstring> Join(std::vector<std::wstring> a, const std::vector<std::wstring>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
}  // namespace

TEST(SetCommand, RefusalsScheduleNothingAndWriteNothing) {
  struct Case {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    std::vector<std::wstring> calls;
  };
  const Case cases[] = {
      {"a minute before the present minute",
       [](FakeHost& h) { h.now = {2027, 1, 5, 7, 6, 0}; }, {L"message past"}},
      {"an earlier day at a later hour",
       [](FakeHost& h) { h.now = {2027, 1, 6, 1, 0, 0}; }, {L"message past"}},
      {"No to the empty password",
       [](FakeHost& h) { h.password.clear(); h.answerYes = false; }, {L"message empty?"}},
      {"a password the scrambler cannot store",
       [](FakeHost& h) { h.password = L"\u30d1\u30b9"; }, {L"message unstorable"}},
      {"an unstorable password in a disabled box",
       [](FakeHost& h) { h.password = L"p\u00e9"; h.passwordEnabled = false; }, {L"message unstorable"}},
      {"scheduling fails on XP",
       [](FakeHost& h) { h.scheduleOk = false; },
       {L"schedule 1/5/2027 07:05 taro pw", L"message failed"}},
      {"scheduling fails in command-line mode",
       [](FakeHost& h) { h.scheduleOk = false; h.commandLine = true; },
       {L"schedule 1/5/2027 07:05 taro pw", L"message failed"}},
  };
  for (const Case& c : cases) {
    FakeHost host;
    c.arrange(host);
    EXPECT_EQ(RunSetCommand(host), SetOutcome::StayOpen) << c.what;
    EXPECT_EQ(host.calls, c.calls) << c.what;
  }
}

TEST(SetCommand, AcceptedRequestsScheduleStoreAndEnd) {
  const std::vector<std::wstring> schedule = {L"schedule 1/5/2027 07:05 taro pw"};
  const auto stored = Stored(L"taro", Scrambled(L"pw"), L"07", L"05");
  struct Case {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    SetOutcome outcome;
    std::vector<std::wstring> calls;
  };
  const Case cases[] = {
      {"within the present minute", [](FakeHost& h) { h.now = {2027, 1, 5, 7, 5, 59}; },
       SetOutcome::Exit, Join(Join(schedule, stored), {L"message done"})},
      {"command-line mode says nothing", [](FakeHost& h) { h.commandLine = true; }, SetOutcome::Exit,
       Join(schedule, stored)},
      {"hibernate now", [](FakeHost& h) { h.hibernate = true; }, SetOutcome::Exit,
       Join(Join(schedule, stored), {L"countdown", L"hibernate"})},
      {"hibernate now from the command line",
       [](FakeHost& h) { h.hibernate = true; h.commandLine = true; }, SetOutcome::Exit,
       Join(Join(schedule, stored), {L"countdown", L"hibernate"})},
      {"countdown cancelled", [](FakeHost& h) { h.hibernate = true; h.countdownCompletes = false; },
       SetOutcome::StayOpen, Join(Join(schedule, stored), {L"countdown"})},
      {"privilege not enabled", [](FakeHost& h) { h.hibernate = true; h.privilegeOk = false; },
       SetOutcome::StayOpen, Join(Join(schedule, stored), {L"countdown", L"hibernate"})},
      {"box cleared during the countdown",
       [](FakeHost& h) {
         h.hibernate = true;
         h.duringCountdown = [&h] { h.hibernate = false; };
       },
       SetOutcome::Exit, Join(Join(schedule, stored), {L"countdown"})},
      {"window closed during the batch wait",
       [](FakeHost& h) {
         h.hibernate = true;
         h.duringSchedule = [&h] { h.closeRequested = true; };
       },
       SetOutcome::Exit, Join(schedule, stored)},
  };
  for (const Case& c : cases) {
    FakeHost host;
    c.arrange(host);
    EXPECT_EQ(RunSetCommand(host), c.outcome) << c.what;
    EXPECT_EQ(host.calls, c.calls) << c.what;
  }
}

TEST(SetCommand, TextsReachSchedulingAndSettingsAsTyped) {
  struct Case {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    std::vector<std::wstring> calls;
  };
  const Case cases[] = {
      {"a single-digit minute stays unpadded",
       [](FakeHost& h) { h.minute = L"5"; },
       Join({L"schedule 1/5/2027 07:5 taro pw"}, Stored(L"taro", Scrambled(L"pw"), L"07", L"5"))},
      {"letters for the hour skip the past-time test",
       [](FakeHost& h) { h.hour = L"ab"; h.now = {2030, 1, 1, 0, 0, 0}; },
       Join({L"schedule 1/5/2027 ab:05 taro pw"}, Stored(L"taro", Scrambled(L"pw"), L"ab", L"05"))},
      {"an hour of 24 cannot be read and skips the test",
       [](FakeHost& h) { h.hour = L"24"; h.now = {2030, 1, 1, 0, 0, 0}; },
       Join({L"schedule 1/5/2027 24:05 taro pw"}, Stored(L"taro", Scrambled(L"pw"), L"24", L"05"))},
      {"Yes to the empty password",
       [](FakeHost& h) { h.password.clear(); },
       Join({L"message empty?", L"schedule 1/5/2027 07:05 taro "}, Stored(L"taro", L"", L"07", L"05"))},
      {"a disabled box asks nothing",
       [](FakeHost& h) { h.password.clear(); h.passwordEnabled = false; },
       Join({L"schedule 1/5/2027 07:05 taro "}, Stored(L"taro", L"", L"07", L"05"))},
      {"the date goes out as m/d/yyyy",
       [](FakeHost& h) { h.picker = {2027, 12, 25}; h.hour = L"23"; h.minute = L"59"; },
       Join({L"schedule 12/25/2027 23:59 taro pw"}, Stored(L"taro", Scrambled(L"pw"), L"23", L"59"))},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.commandLine = true;  // no completion message, to keep the lists short
    c.arrange(host);
    EXPECT_EQ(RunSetCommand(host), SetOutcome::Exit) << c.what;
    EXPECT_EQ(host.calls, c.calls) << c.what;
  }
}

TEST(SetCommand, ASecondClickDuringARunIsIgnored) {
  SetCommand command;
  FakeHost host;
  host.commandLine = true;
  std::optional<std::optional<SetOutcome>> inner;
  host.duringSchedule = [&] { inner = command.Click(host); };
  EXPECT_EQ(command.Click(host), SetOutcome::Exit);
  ASSERT_TRUE(inner.has_value());
  EXPECT_FALSE(inner->has_value());
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), L"schedule 1/5/2027 07:05 taro pw"), 1);
  EXPECT_FALSE(command.Running());
  // And once it is over, the next click runs again.
  EXPECT_EQ(command.Click(host), SetOutcome::Exit);
}

TEST(SetCommand, PowerQuestionsOnlyWhenTheSystemSaysOff) {
  const std::vector<std::wstring> schedule = {L"schedule 1/5/2027 07:05 taro pw"};
  const auto stored = Stored(L"taro", Scrambled(L"pw"), L"07", L"05");
  const std::vector<std::wstring> hibernated = {L"countdown", L"hibernate"};
  struct Case {
    const char* what;
    std::function<void(FakeHost&)> arrange;
    SetOutcome outcome;
    std::vector<std::wstring> calls;
  };
  const Case cases[] = {
      {"wake timers off, Yes", [](FakeHost& h) { h.wakeTimers = Readiness::Off; }, SetOutcome::Exit,
       Join(Join({L"message wake timers?"}, schedule), stored)},
      {"wake timers off, No", [](FakeHost& h) { h.wakeTimers = Readiness::Off; h.answerYes = false; },
       SetOutcome::StayOpen, {L"message wake timers?"}},
      {"hibernation off but not asked for", [](FakeHost& h) { h.hibernation = Readiness::Off; },
       SetOutcome::Exit, Join(schedule, stored)},
      {"hibernation off, ticked, No",
       [](FakeHost& h) { h.hibernation = Readiness::Off; h.hibernate = true; h.answerYes = false; },
       SetOutcome::StayOpen, {L"message hibernation?"}},
      {"hibernation off, ticked, Yes",
       [](FakeHost& h) { h.hibernation = Readiness::Off; h.hibernate = true; }, SetOutcome::Exit,
       Join(Join(Join({L"message hibernation?"}, schedule), stored), hibernated)},
      {"both off, after the password question",
       [](FakeHost& h) {
         h.wakeTimers = h.hibernation = Readiness::Off;
         h.hibernate = true;
         h.password.clear();
       },
       SetOutcome::Exit,
       Join(Join({L"message empty?", L"message wake timers?", L"message hibernation?",
                  L"schedule 1/5/2027 07:05 taro "},
                 Stored(L"taro", L"", L"07", L"05")),
            hibernated)},
      {"a past time is refused before any power question",
       [](FakeHost& h) { h.wakeTimers = Readiness::Off; h.now = {2028, 1, 1, 0, 0, 0}; },
       SetOutcome::StayOpen, {L"message past"}},
  };
  // The window and the command line ask the same questions; only the
  // completion message differs, and it is left out of the comparison.
  for (bool commandLine : {false, true}) {
    for (const Case& c : cases) {
      FakeHost host;
      host.commandLine = commandLine;
      c.arrange(host);
      EXPECT_EQ(RunSetCommand(host), c.outcome) << c.what;
      host.calls.erase(std::remove(host.calls.begin(), host.calls.end(), L"message done"), host.calls.end());
      EXPECT_EQ(host.calls, c.calls) << c.what << (commandLine ? " (command line)" : " (window)");
    }
  }
}

TEST(Readiness, OnlyADefiniteOffCounts) {
  using V = std::optional<unsigned long>;
  const struct {
    V ac, dc;
    Readiness expected;
  } timers[] = {
      {std::nullopt, std::nullopt, Readiness::Fine}, {V(0), std::nullopt, Readiness::Off},
      {std::nullopt, V(0), Readiness::Off},          {V(1), V(1), Readiness::Fine},
      {V(2), V(1), Readiness::Off},                  {V(1), V(2), Readiness::Off},
      {V(1), V(0), Readiness::Off},                  {V(3), V(1), Readiness::Fine},
  };
  for (const auto& t : timers) EXPECT_EQ(JudgeWakeTimers(t.ac, t.dc), t.expected);
  EXPECT_EQ(JudgeHibernation(std::nullopt), Readiness::Fine);
  EXPECT_EQ(JudgeHibernation(HibernationCapabilities{true, true}), Readiness::Fine);
  EXPECT_EQ(JudgeHibernation(HibernationCapabilities{false, true}), Readiness::Off);
  EXPECT_EQ(JudgeHibernation(HibernationCapabilities{true, false}), Readiness::Off);
}
