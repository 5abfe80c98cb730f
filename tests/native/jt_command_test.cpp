#include <gtest/gtest.h>

#include "res/strings.h"
#include "tools/jt/jt_command.h"
#include "wake_job/batch_text.h"

using Kind = JtCommand::Kind;

TEST(JtArguments, TheProgramsOwnToolLineReadsBackAsOneJob) {
  struct Case {
    std::wstring user, password, folder;
  };
  const Case cases[] = {
      {L"taro", L"s3cret", L"C:\\Tools\\Wake"},
      {L"taro", L"", L"C:\\Tools\\Wake"},                  // empty password: two blanks
      {L"taro", L"a&b|c>d^e%PATH%", L"C:\\Program Files\\Wake"},
      {L"x\"y", L"p\"q", L"C:\\"},                          // quotes are the account's own
      {L"\u592a\u90ce", L"pw", L"D:\\\u5fa9\u5e30"},
  };
  for (const Case& c : cases) {
    const WakeJobInputs in{L"1/5/2027", L"07:05", c.user, c.password};
    const std::wstring line = BuildToolLine(in, c.folder);
    const JtParse parse = ParseJtArguments(JtArgumentsOf(line));
    ASSERT_EQ(parse.error, L"");
    ASSERT_EQ(parse.commands.size(), 5u);
    const JtCommand& account = parse.commands[0];
    EXPECT_EQ(account.kind, Kind::SetAccount);
    EXPECT_EQ(account.user, c.user);
    EXPECT_EQ(account.password, c.password);
    const JtTrigger& t = parse.commands[1].trigger;
    EXPECT_EQ(parse.commands[1].kind, Kind::CreateTrigger);
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute}),
              std::vector<int>({2027, 1, 5, 7, 5}));
    EXPECT_FALSE(t.disabled);
    const JtCommand& job = parse.commands[2];
    EXPECT_EQ(job.kind, Kind::SetJob);
    EXPECT_EQ(job.creator, L"QO");
    EXPECT_EQ(job.applicationName, c.folder + L"\\Startup.bat");
    EXPECT_EQ(job.comment, L"Resume");
    EXPECT_EQ(job.systemRequired, true);
    EXPECT_EQ(job.deleteWhenDone, true);
    EXPECT_EQ(parse.commands[3].kind, Kind::SaveJob);
    EXPECT_EQ(parse.commands[3].name, L"Resume");
    EXPECT_EQ(parse.commands[4].kind, Kind::PrintJob);
  }
}

TEST(JtArguments, MalformedLinesAreRefusedWholeNamingTheFault) {
  struct Case {
    const wchar_t* arguments;
    std::wstring error;
  };
  const Case cases[] = {
      {L"/sd Resume.job /ctj StartDate=2/30/2027 StartTime=07:05 /saj R", std::wstring(kJtBadDate) + L"StartDate=2/30/2027"},
      {L"/ctj StartDate=1/5/27 StartTime=07:05", std::wstring(kJtBadDate) + L"StartDate=1/5/27"},
      {L"/ctj StartDate=1/5/2027 StartTime=24:00", std::wstring(kJtBadTime) + L"StartTime=24:00"},
      {L"/ctj StartDate=1/5/2027 StartTime=ab:05", std::wstring(kJtBadTime) + L"StartTime=ab:05"},
      {L"/ctj StartDate=1/5/2027 StartTime=7:05 Type=daily", std::wstring(kJtBadValue) + L"Type=daily"},
      {L"/ctj StartDate=1/5/2027 StartTime=7:05 Disabled=2", std::wstring(kJtBadValue) + L"Disabled=2"},
      {L"/ctj StartDate=1/5/2027 Colour=red", std::wstring(kJtUnknownKey) + L"Colour"},
      {L"/ctj StartDate=1/5/2027", std::wstring(kJtTriggerIncomplete) + L"/ctj"},
      {L"/sj ApplicationName=\"C:\\a b", std::wstring(kJtUnclosedQuote) + L"ApplicationName=\"C:\\a b"},
      {L"/sj SystemRequired=yes", std::wstring(kJtBadValue) + L"SystemRequired=yes"},
      {L"/sj Comment", std::wstring(kJtBadValue) + L"Comment"},
      {L"/sj Comment x", std::wstring(kJtBadValue) + L"Comment"},
      {L"/sj Comment=\"a\"b /pj", std::wstring(kJtBadValue) + L"Comment=\"a\"b"},
      {L"/ctj StartDate /pj", std::wstring(kJtBadValue) + L"StartDate"},
      {L"/xyz", std::wstring(kJtUnknownCommand) + L"/xyz"},
      {L"Resume.job", std::wstring(kJtUnknownCommand) + L"Resume.job"},
      {L"/sd", std::wstring(kJtMissingName) + L"/sd"},
      {L"/sc", std::wstring(kJtMissingAccount) + L"/sc"},
  };
  for (const Case& c : cases) {
    const JtParse parse = ParseJtArguments(c.arguments);
    EXPECT_EQ(parse.error, c.error) << c.arguments;
    EXPECT_TRUE(parse.commands.empty()) << c.arguments;
  }
}

TEST(JtArguments, ProgramNameAndJobNames) {
  EXPECT_EQ(JtArgumentsOf(L"jt.exe /pj"), L"/pj");
  EXPECT_EQ(JtArgumentsOf(L"\"C:\\Program Files\\W\\jt.exe\" /sc u  /pj"), L"/sc u  /pj");
  EXPECT_EQ(JtArgumentsOf(L"jt.exe"), L"");
  EXPECT_EQ(WorkItemName(L"Resume.job"), L"Resume");
  EXPECT_EQ(WorkItemName(L"Resume.JOB"), L"Resume");
  EXPECT_EQ(WorkItemName(L"Resume"), L"Resume");
  EXPECT_EQ(WorkItemName(L".job"), L".job");
  EXPECT_TRUE(ParseJtArguments(L"").commands.empty());
  EXPECT_EQ(ParseJtArguments(L"  /pj").commands.size(), 1u) << "blanks before the first command";
  const JtParse empty = ParseJtArguments(L"/sj Comment=\"\" /pj");
  ASSERT_EQ(empty.error, L"");
  EXPECT_EQ(empty.commands[0].comment, L"") << "an empty quoted value";
  const JtParse flags = ParseJtArguments(L"/sj systemrequired=0 DELETEWHENDONE=1");
  ASSERT_EQ(flags.error, L"");
  EXPECT_EQ(std::make_pair(flags.commands[0].systemRequired, flags.commands[0].deleteWhenDone),
            std::make_pair(std::optional<bool>(false), std::optional<bool>(true)))
      << "keys in any case, each flag its own";
  const JtParse print = ParseJtArguments(L"/pj Resume.job");
  ASSERT_EQ(print.commands.size(), 1u);
  EXPECT_EQ(print.commands[0].name, L"Resume");
}

TEST(JtSave, AFailedSaveLeavesNoJob) {
  for (const bool saved : {true, false}) {
    bool jobFile = false;
    const bool reported = SaveOrRemove([&] { jobFile = true; return saved; }, [&] { jobFile = false; });
    EXPECT_EQ(reported, saved);
    EXPECT_EQ(jobFile, saved) << "a job file must stand exactly when the save is reported";
  }
}
