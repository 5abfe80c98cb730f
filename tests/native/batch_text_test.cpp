#include <gtest/gtest.h>

#include "tests/support/cmd_model.h"
#include "wake_job/batch_text.h"

namespace {
WakeJobInputs Inputs(std::wstring user, std::wstring password) {
  return {L"1/5/2027", L"07:05", std::move(user), std::move(password)};
}

std::wstring AsCmdReadsIt(const std::wstring& line) {
  const auto read = CmdReadsBatchLine(line);
  EXPECT_TRUE(read.has_value()) << "cmd would not pass this line on as text";
  return read.value_or(L"");
}

std::wstring LineOf(const std::wstring& batch, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) start = batch.find(L"\r\n", start) + 2;
  return batch.substr(start, batch.find(L"\r\n", start) - start);
}
}  // namespace

TEST(AddTaskBatch, TheWorkedExampleByteForByte) {
  const auto batch = BuildAddTaskBatch(Inputs(L"taro", L"secret"), L"C:\\Tools\\Wake");
  ASSERT_TRUE(batch);
  EXPECT_EQ(*batch,
            L"cd \"C:\\Tools\\Wake\"\r\n"
            L"jt.exe /sd Resume.job\r\n"
            L"jt.exe /sc taro secret /ctj StartDate=1/5/2027 StartTime=07:05 Disabled=0 Type=once "
            L"/sj Creator=QO ApplicationName=\"C:\\Tools\\Wake\\Startup.bat\" Comment=\"Resume\" "
            L"SystemRequired=1 DeleteWhenDone=1 /saj Resume.job /pj\r\n");
}

TEST(ToolLine, UserTextsAndFoldersGoInUnchanged) {
  struct Case {
    std::wstring user, password, folder, expectedStart, expectedApp;
  };
  const Case cases[] = {
      {L"taro", L"", L"C:\\Tools\\Wake", L"jt.exe /sc taro  /ctj StartDate=",
       L"ApplicationName=\"C:\\Tools\\Wake\\Startup.bat\""},
      {L"Taro Yamada", L"p w\"x", L"C:\\Tools\\Wake", L"jt.exe /sc Taro Yamada p w\"x /ctj ",
       L"ApplicationName=\"C:\\Tools\\Wake\\Startup.bat\""},
      {L"taro", L"pw", L"C:\\", L"jt.exe /sc taro pw /ctj ",
       L"ApplicationName=\"C:\\\\Startup.bat\""},  // drive root: doubled separator
      {L"\u592a\u90ce", L"pw", L"C:\\\u5fa9\u5e30 \u30c4\u30fc\u30eb",
       L"jt.exe /sc \u592a\u90ce pw /ctj ",
       L"ApplicationName=\"C:\\\u5fa9\u5e30 \u30c4\u30fc\u30eb\\Startup.bat\""},
  };
  for (const Case& c : cases) {
    const std::wstring line = BuildToolLine(Inputs(c.user, c.password), c.folder);
    EXPECT_EQ(line.rfind(c.expectedStart, 0), 0u) << line.c_str();
    EXPECT_NE(line.find(c.expectedApp), std::wstring::npos);
    const auto batch = BuildAddTaskBatch(Inputs(c.user, c.password), c.folder);
    ASSERT_TRUE(batch);
    EXPECT_EQ(LineOf(*batch, 0), L"cd \"" + c.folder + L"\"");
  }
  EXPECT_NE(BuildToolLine({L"12/25/2026", L"23:59", L"u", L"p"}, L"C:\\W")
                .find(L" StartDate=12/25/2026 StartTime=23:59 "),
            std::wstring::npos);
}

TEST(AddTaskBatch, CmdGivesBackExactlyTheToolLineForEveryMetacharacter) {
  struct Case {
    std::wstring user, password, folder;
  };
  const Case cases[] = {
      {L"u", L"a&b", L"C:\\W"},          {L"u", L"a|b", L"C:\\W"},
      {L"u", L"a>d", L"C:\\W"},          {L"u", L"a<b", L"C:\\W"},
      {L"u", L"a^b", L"C:\\W"},          {L"u", L"%PATH%", L"C:\\W"},
      {L"u", L"(a)", L"C:\\W"},          {L"u", L"a&b|c>d^e%PATH%", L"C:\\W"},
      {L"x\"y&z", L"p|q", L"C:\\W"},     // the user's quote flips cmd's quote state
      {L"\"", L"&", L"C:\\W"},           {L"u\"\"", L"a^&", L"C:\\W"},
      {L"u", L"pw", L"C:\\A&B %TEMP% (x)"},
      {L"u", L"a^", L"C:\\W"},           // a trailing caret would join the next line
  };
  for (const Case& c : cases) {
    const WakeJobInputs in = Inputs(c.user, c.password);
    const auto batch = BuildAddTaskBatch(in, c.folder);
    ASSERT_TRUE(batch);
    EXPECT_EQ(AsCmdReadsIt(LineOf(*batch, 0)), L"cd \"" + c.folder + L"\"");
    EXPECT_EQ(AsCmdReadsIt(LineOf(*batch, 2)), BuildToolLine(in, c.folder))
        << "password " << std::string(c.password.begin(), c.password.end());
  }
}

TEST(AddTaskBatch, RefusesTextsThatWouldBreakTheLine) {
  for (const wchar_t* bad : {L"a\r\nb", L"a\nrd /s /q C:\\", L"a\rb"}) {
    EXPECT_FALSE(BuildAddTaskBatch(Inputs(L"u", bad), L"C:\\W"));
    EXPECT_FALSE(BuildAddTaskBatch(Inputs(bad, L"p"), L"C:\\W"));
  }
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(L"u", std::wstring(L"a\0b", 3)), L"C:\\W"));
  // cmd.exe's line limit, counted after escaping: '%' doubles.
  const std::size_t room = 8191 - EscapeBatchLine(BuildToolLine(Inputs(L"", L""), L"C:\\W"))->size();
  EXPECT_TRUE(BuildAddTaskBatch(Inputs(std::wstring(room, L'u'), L""), L"C:\\W"));
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(std::wstring(room + 1, L'u'), L""), L"C:\\W"));
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(std::wstring(room / 2 + 1, L'%'), L""), L"C:\\W"));
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(L"u", std::wstring(10000, L'p')), L"C:\\W"));
}

TEST(AddTaskBatch, ScrubbedFileHoldsNoPassword) {
  const auto scrubbed = BuildScrubbedAddTaskBatch(Inputs(L"u", L"s3cr3t&"), L"C:\\W");
  ASSERT_TRUE(scrubbed);
  EXPECT_EQ(scrubbed->find(L"s3cr3t"), std::wstring::npos);
  EXPECT_NE(scrubbed->find(L"/sc u ********"), std::wstring::npos);
  // An empty password stays empty rather than turning into stars.
  EXPECT_NE(BuildScrubbedAddTaskBatch(Inputs(L"u", L""), L"C:\\W")->find(L"/sc u  /ctj"),
            std::wstring::npos);
}
