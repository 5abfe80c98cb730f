#include <gtest/gtest.h>

#include "tests/support/cmd_model.h"
#include "wake_job/batch_text.h"

namespace {
WakeJobInputs Inputs(std::wstring user, std::wstring password) {
  return {{2027, 1, 5, 7, 5}, L"1/5/2027", L"07:05", std::move(user), std::move(password)};
}
}  // namespace

// Whatever the user typed and wherever the program lies, cmd.exe reading the
// batch passes jt.exe exactly the tool line, and changes into the folder.
TEST(AddTaskBatch, CmdGivesBackExactlyTheToolLine) {
  const struct {
    std::wstring user, password, folder;
  } rows[] = {
      {L"u", L"a&b", L"C:\\W"},  {L"u", L"a<b", L"C:\\W"},  {L"u", L"(a)", L"C:\\W"},  {L"u", L"a&b|c>d^e%PATH%", L"C:\\W"},
      {L"x\"y&z", L"p|q", L"C:\\W"},  // the user's quote flips cmd's quote state
      {L"\"", L"&", L"C:\\W"},        {L"u\"\"", L"a^&", L"C:\\W"},     {L"u", L"a^", L"C:\\W"},  // no line join
      {L"Taro Yamada", L"", L"C:\\A&B %TEMP% (x)"}, {L"太郎", L"pw", L"C:\\復帰 ツール"}, {L"u", L"p", L"C:\\"},
  };
  for (const auto& row : rows) {
    const WakeJobInputs in = Inputs(row.user, row.password);
    const auto batch = BuildAddTaskBatch(in, row.folder);
    ASSERT_TRUE(batch);
    const auto lines = BatchLines(*batch);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(batch->size() - batch->rfind(L"\r\n"), 2u) << "every line ends with CR LF";
    EXPECT_EQ(CmdReadsBatchLine(lines[0]), L"cd \"" + row.folder + L"\"");
    EXPECT_EQ(CmdReadsBatchLine(lines[2]), BuildToolLine(in, row.folder))
        << "password " << std::string(row.password.begin(), row.password.end());
    // The file left behind has stars for a password, and an empty one stays empty.
    const WakeJobInputs scrubbed = Inputs(row.user, row.password.empty() ? L"" : L"********");
    EXPECT_EQ(BuildScrubbedAddTaskBatch(in, row.folder), BuildAddTaskBatch(scrubbed, row.folder));
  }
}

TEST(AddTaskBatch, RefusesTextsThatWouldBreakTheLine) {
  for (const wchar_t* bad : {L"a\r\nb", L"a\nrd /s /q C:\\", L"a\rb", L"a\x1a"}) {
    EXPECT_FALSE(BuildAddTaskBatch(Inputs(L"u", bad), L"C:\\W"));
    EXPECT_FALSE(BuildAddTaskBatch(Inputs(bad, L"p"), L"C:\\W"));
  }
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(L"u", std::wstring(L"a\0b", 3)), L"C:\\W"));
  // cmd.exe's line limit, counted after escaping: '%' doubles.
  const std::size_t room = 8191 - EscapeBatchLine(BuildToolLine(Inputs(L"", L""), L"C:\\W"))->size();
  EXPECT_TRUE(BuildAddTaskBatch(Inputs(std::wstring(room, L'u'), L""), L"C:\\W"));
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(std::wstring(room + 1, L'u'), L""), L"C:\\W"));
  EXPECT_FALSE(BuildAddTaskBatch(Inputs(std::wstring(room / 2 + 1, L'%'), L""), L"C:\\W"));
}


// The Task Scheduler names a work item without its ".job", in any case; any other name is its own.
TEST(AddTaskBatch, TheWorkItemOfAJobFile) {
  for (const auto& [file, item] : {std::pair{L"a.job", L"a"}, {L"Resume.JoB", L"Resume"}, {L".job", L".job"},
                                   {L"a.txt", L"a.txt"}, {L"a.xob", L"a.xob"}, {L"a job", L"a job"}, {L"ajob", L"ajob"}})
    EXPECT_EQ(WorkItemName(file), item);
}
