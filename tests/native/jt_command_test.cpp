#include <gtest/gtest.h>

#include <map>

#include "res/strings.h"
#include "tools/jt/jt_command.h"
#include "wake_job/jt_status.h"
#include "wake_job/account_check.h"
#include "wake_job/batch_text.h"

namespace {
// A parse as one line: each command's kind and what it carries, or the error.
std::wstring Text(const JtParse& parse) {
  std::wstring text = parse.error;
  const auto set = [&](const std::optional<std::wstring>& s) { text += s ? L"=" + *s : L"-"; };
  const auto flag = [&](const std::optional<bool>& b) { text += b ? (*b ? L"=1" : L"=0") : L"-"; };
  for (const JtCommand& c : parse.commands) {
    static const wchar_t* const kKinds[] = {L"delete", L"account", L"trigger", L"job", L"save", L"print"};
    text += (text.empty() ? L"" : L" ") + std::wstring(kKinds[static_cast<int>(c.kind)]) + L":" + c.name + L":";
    if (c.kind == JtCommand::Kind::SetAccount) text += c.user + L"|" + c.password;
    if (c.kind == JtCommand::Kind::CreateTrigger) {
      for (const int field : {c.trigger.year, c.trigger.month, c.trigger.day, c.trigger.hour, c.trigger.minute})
        text += std::to_wstring(field) + L".";
      text += c.trigger.disabled ? L"off" : L"on";
    }
    set(c.creator), set(c.applicationName), set(c.comment), flag(c.systemRequired), flag(c.deleteWhenDone);
  }
  return text;
}
}  // namespace

TEST(JtArguments, TheProgramsOwnToolLineReadsBackAsOneJob) {
  const struct {
    std::wstring user, password, folder;
  } rows[] = {
      {L"taro", L"s3cret", L"C:\\Tools\\Wake"},
      {L"taro", L"", L"C:\\Tools\\Wake"},  // empty password: two blanks
      {L"taro", L"a&b|c>d^e%PATH%", L"C:\\Program Files\\Wake"},
      {L"x\"y", L"p\"q", L"C:\\"},  // quotes are the account's own
      {L"Taro Yamada", L"ab \"cd\" ", L"C:\\"},  {L"\"q", L"pw /pj", L"C:\\"},  {L"\"", L"\t", L"C:\\"},
      {L"\u592a\u90ce", L"pw", L"D:\\\u5fa9\u5e30"},
  };
  for (const auto& row : rows) {
    const WakeJobInputs in{{2027, 1, 5, 7, 5}, L"1/5/2027", L"07:05", row.user, row.password};
    EXPECT_EQ(Text(ParseJtArguments(JtArgumentsOf(BuildToolLine(in, row.folder)))),
              L"account::" + row.user + L"|" + row.password + L"-----" + L" trigger::2027.1.5.7.5.on-----" +
                  L" job::=QO=" + row.folder + L"\\Startup.bat=Resume=1=1 save:Resume:----- print::-----");
  }
  // Kept up after the wake: Reveilo itself, its wake mode's words, and a run limit past the minutes chosen.
  const JtCommand job = ParseJtArguments(JtArgumentsOf(BuildToolLine(
      {{2027, 1, 5, 7, 5}, L"1/5/2027", L"7:05", L"u", L"p", {30, true}}, L"C:\\W"))).commands.at(2);
  EXPECT_EQ(std::tie(job.applicationName, job.parameters, job.maxRunTime),
            std::make_tuple(L"C:\\W\\Reveilo.exe", L"/wake /awake:30 /rehibernate", 40 * 60000ul));
}

TEST(JtArguments, EachLineAndWhatItMeans) {
  const struct {
    const wchar_t *arguments, *error, *commands;  // an error leaves no command
  } rows[] = {
      {L"/sd Resume.job /ctj StartDate=2/30/2027 StartTime=07:05 /saj R", kJtBadDate, L"StartDate=2/30/2027"},
      {L"/ctj StartDate=1/5/2027 StartTime=24:00", kJtBadTime, L"StartTime=24:00"},
      {L"/ctj StartDate=1/5/2027 StartTime=7:05 Type=daily", kJtBadValue, L"Type=daily"},
      {L"/ctj StartDate=1/5/2027 StartTime=7:05 Disabled=2", kJtBadValue, L"Disabled=2"},
      {L"/ctj StartDate=1/5/2027 Colour=red", kJtUnknownKey, L"Colour"},
      {L"/ctj StartDate=1/5/2027", kJtTriggerIncomplete, L"/ctj"},
      {L"/sj ApplicationName=\"C:\\a b", kJtUnclosedQuote, L"ApplicationName=\"C:\\a b"},
      {L"/sj SystemRequired=yes", kJtBadValue, L"SystemRequired=yes"},  {L"/sj MaxRunTime=0", kJtBadValue, L"MaxRunTime=0"},
      {L"/sj MaxRunTime=86400001", kJtBadValue, L"MaxRunTime=86400001"}, {L"/sj MaxRunTime=9x", kJtBadValue, L"MaxRunTime=9x"},  {L"/sj Comment", kJtBadValue, L"Comment"},
      {L"/sj Comment=\"a\"b /pj", kJtBadValue, L"Comment=\"a\"b"},  {L"/xyz", kJtUnknownCommand, L"/xyz"},
      {L"Resume.job", kJtUnknownCommand, L"Resume.job"},
      {L"/ctj StartDate /pj", kJtBadValue, L"StartDate"},  {L"/sd", kJtMissingName, L"/sd"},
      {L"/sc", kJtMissingAccount, L"/sc"},
      {L"/sc\tu p", kJtMissingAccount, L"/sc"},  // the batch puts exactly one blank before each text
      {L"/sc \"u p", kJtBadAccount, L"/sc"},  {L"/sc u \"p\"q /pj", kJtBadAccount, L"/sc"},
      {L"/sc \"a\"\"b\" \"\" /pj", L"", L"account::a\"b|----- print::-----"},  {L"/sc u \"p\"", L"", L"account::u|p-----"},
      {L"", L"", L""},
      {L"  /pj", L"", L"print::-----"},  // blanks before the first command
      {L"/sj Comment=\"\" /pj", L"", L"job::--=-- print::-----"},  // an empty quoted value
      {L"/sj systemrequired=0 DELETEWHENDONE=1", L"", L"job::---=0=1"},  // keys in any case, each flag its own
      {L"/ctj StartDate=1/5/2027 StartTime=7:05 Disabled=1", L"", L"trigger::2027.1.5.7.5.off-----"},
      {L"/pj Resume.job /sd Resume.JOB /saj Resume", L"", L"print:Resume:----- delete:Resume:----- save:Resume:-----"},
      {L"/pj /sd R", L"", L"print::----- delete:R:-----"},  // /pj without a name: the next command is not one
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Text(ParseJtArguments(row.arguments)), std::wstring(row.error) + row.commands) << row.arguments;
  }
  for (const bool saved : {true, false}) {  // a save that failed may have left a job file: it goes
    bool job = false;
    EXPECT_EQ(SaveOrRemove([&] { return job = true, saved; }, [&] { job = false; }) + job, 2 * saved);
  }
  EXPECT_EQ(JtArgumentsOf(L"jt.exe /pj"), L"/pj");
  EXPECT_EQ(JtArgumentsOf(L"\"C:\\Program Files\\W\\jt.exe\" /sc u  /pj"), L"/sc u  /pj");
  EXPECT_EQ(JtArgumentsOf(L"\"jt.exe\"/pj"), L"/pj") << "no blank to drop";
}

// jt.exe's exit status, handed on by the batch, as the reason the user reads; a read-back verdict ends jt.exe
// with the status whose reason is the verdict's own, and says the job was removed only when it was.
TEST(JtStatus, EachStatusAsTheReasonShown) {
  const auto exit = [](const wchar_t* code) { return kReasonJtExit + std::wstring(code) + kReasonJtExitRest; };
  const auto removed = [](const wchar_t* why) { return why + std::wstring(kReasonRemoved); };
  const std::wstring stays = kReasonNotAsAsked + std::wstring(kReasonNotRemoved);
  for (const auto& [status, reason] :
       {std::pair<unsigned long, std::wstring>{1, kReasonJtSaveFailed}, {2, kReasonJtLineRefused},
        {3, kReasonJtNoScheduler}, {4, kReasonJtAccount}, {5, removed(kReasonNeverRuns)},
        {6, removed(kReasonOtherTime)}, {7, removed(kReasonDisabled)}, {8, removed(kReasonNoWake)},
        {9, removed(kReasonOtherProgram)}, {9009, kReasonJtNotFound}, {0, L""}, {10, kHrAccessDenied}, {11, stays},
        {12, exit(L"12")}, {0xFFFF, exit(L"65535")}, {0x10000, exit(L"0x00010000")}, {0xC0000005, exit(L"0xC0000005")}})
    EXPECT_EQ(JtStatusReason(status), reason) << status;
  for (const HeldVerdict v : {HeldVerdict::AsAsked, HeldVerdict::NeverRuns, HeldVerdict::OtherTime,
                              HeldVerdict::Disabled, HeldVerdict::NoWake, HeldVerdict::OtherProgram}) {
    EXPECT_EQ(JtStatusReason(JtExitCode(JtStatusFor(v))), HeldVerdictReason(v)) << static_cast<int>(v);
    const bool made = v == HeldVerdict::AsAsked;
    EXPECT_EQ(JtStatusReason(JtExitCode(JtStatusFor(v, false))), made ? L"" : stays) << static_cast<int>(v);
  }
}

// What the scheduler answers, as jt.exe acts on it. Windows' documented answers: a job file the service holds is a
// sharing violation until it lets go; only "file or path not found" says a job is gone; SetAccountInformation does
// not check the password at Save on XP, so LogonUser does, and only ERROR_LOGON_FAILURE proves it wrong.
TEST(JtScheduler, WhatEachAnswerMeans) {
  const long kShared = static_cast<long>(0x80070020), kDenied = static_cast<long>(0x80070005);
  for (const auto& [answers, last, calls] : {std::tuple{std::vector<long>{kShared, 0}, 0L, 2}, {{kDenied}, kDenied, 1},
                                             {std::vector<long>(60, kShared), kShared, 50}, {{0}, 0L, 1}}) {
    int called = 0, paused = 0;
    EXPECT_EQ(RetryWhileShared([&, &a = answers] { return a.at(static_cast<std::size_t>(called++)); }, [&] { ++paused; }), last);
    EXPECT_EQ(std::make_pair(called, paused), std::make_pair(calls, calls - 1));
  }
  for (const auto& [hr, gone] : {std::pair{0x80070002ul, true}, {0x80070003ul, true}, {0x80070005ul, false},
                                 {0x80070020ul, false}, {0x80041315ul, false}})
    EXPECT_EQ(MeansNoSuchJob(static_cast<long>(hr)), gone) << hr;
  for (const auto& [hr, status] :
       {std::pair{0x80041315ul, JtStatus::NoScheduler}, {0x80070005ul, JtStatus::AccessDenied},
        {0x8004130Ful, JtStatus::Account}, {0x80041310ul, JtStatus::Account}, {0x80070534ul, JtStatus::Account},
        {0x8007052Eul, JtStatus::Account}, {0x80070057ul, JtStatus::SaveFailed}, {0x80041316ul, JtStatus::SaveFailed},
        // NewWorkItem's "file exists" for another account's job that could not be deleted first
        {0x80070050ul, JtStatus::AccessDenied}})
    EXPECT_EQ(SaveFailureStatus(static_cast<long>(hr)), status) << hr;
  // What LookupAccountNameW resolves on this machine: taro is a domain user (his bare name checked against "."
  // would be refused although right); "a@b" a local account that holds '@'; "jiro@office.example" the UPN of
  // OFFICE\jiro; "Users" a group. A name it cannot resolve (a domain member off its network) proves nothing.
  const std::map<std::wstring, ResolvedAccount> accounts{{L"taro", {L"OFFICE", L"taro", true}}, {L"a@b", {L"PC", L"a@b", true}},
      {L"jiro@office.example", {L"OFFICE", L"jiro", true}}, {L"Users", {L"BUILTIN", L"Users", false}}};
  const auto resolve = [&](const std::wstring& name) { return accounts.count(name) ? std::optional(accounts.at(name)) : std::nullopt; };
  for (const auto& [account, checked] :
       {std::pair{L"OFFICE\\jiro", L"OFFICE|jiro"}, {L"jiro@office.example", L"OFFICE|jiro"}, {L"taro", L"OFFICE|taro"},
        {L"a@b", L"PC|a@b"}, {L"hana@far.example", L"|hana@far.example"}, {L"ghost", L"unchecked"},
        {L"Users", L"unchecked"}, {L".\\u", L".|u"}}) {
    const auto name = LogonNameFor(account, resolve);
    EXPECT_EQ(name ? name->domain + L"|" + name->user : L"unchecked", checked) << account;
  }
  for (const auto& [loggedOn, error, wrong] : {std::tuple{false, 1326ul, true}, {true, 0ul, false}, {false, 1385ul, false},
                                               {false, 1330ul, false}, {false, 1311ul, false}, {false, 1907ul, false}})
    EXPECT_EQ(ProvesWrongPassword(loggedOn, error), wrong) << error;
}
