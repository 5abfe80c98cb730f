// ScheduleWakeJob against Wine's own cmd.exe and Task Scheduler.
#include <gtest/gtest.h>
#include <initguid.h>
#include <taskschd.h>

#include "job_store.h"

#include "platform/ansi_text.h"
#include "test_support.h"
#include "tools/jt/jt_command.h"
#include "wake_job/schedule.h"

namespace {
const std::wstring kFolder = ProgramFolder();

class WakeJob : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void SetUp() override {
    for (const wchar_t* name : {L"\\jt_calls.txt", L"\\AddTask.bat", L"\\Startup.bat", L"\\d",
                                L"\\r", L"\\component_args.txt"}) {
      DeleteFileW(ProgramPath(name).c_str());
    }
    RemoveDirectoryW(ProgramPath(L"\\AddTask.bat").c_str());
    DeleteFileW((TasksFolder() + L"\\Resume.job").c_str());
    SetEnvironmentVariableW(L"REVEILO_JT_EXIT", nullptr);
  }
  WakeJobSystem& system_ = Win32WakeJobSystem();
};
}  // namespace

TEST_F(WakeJob, BatchRouteMakesAJobThatWakesTheMachine) {
  UseJt(Jt::Real);
  ASSERT_TRUE(ScheduleWakeJob(system_, {L"1/5/2027", L"07:05", L"taro", L"pw"}));
  ASSERT_TRUE(FileExists(TasksFolder() + L"\\Resume.job"));
  LoadedJob job;
  ASSERT_TRUE(LoadJob(L"Resume", job));
  EXPECT_EQ(job.triggers, 1);
  EXPECT_EQ(job.trigger.TriggerType, TASK_TIME_TRIGGER_ONCE);
  EXPECT_EQ(std::vector<int>({job.trigger.wBeginYear, job.trigger.wBeginMonth, job.trigger.wBeginDay,
                              job.trigger.wStartHour, job.trigger.wStartMinute}),
            std::vector<int>({2027, 1, 5, 7, 5}));
  EXPECT_FALSE(job.trigger.rgFlags & TASK_TRIGGER_FLAG_DISABLED);
  EXPECT_EQ(job.application, kFolder + L"\\Startup.bat");
  EXPECT_EQ(job.comment, L"Resume");
  EXPECT_EQ(job.creator, L"QO");
  EXPECT_TRUE(job.flags & TASK_FLAG_SYSTEM_REQUIRED);
  EXPECT_TRUE(job.flags & TASK_FLAG_DELETE_WHEN_DONE);
  EXPECT_EQ(FileBytes(ProgramPath(kStartupBatchName)), "");

  // A second Set replaces the job rather than adding one.
  const int jobsBefore = JobFileCount();
  ASSERT_TRUE(ScheduleWakeJob(system_, {L"12/25/2026", L"23:59", L"taro", L"pw"}));
  EXPECT_EQ(JobFileCount(), jobsBefore);
  LoadedJob second;
  ASSERT_TRUE(LoadJob(L"Resume", second));
  EXPECT_EQ(second.triggers, 1);
  EXPECT_EQ(std::vector<int>({second.trigger.wBeginYear, second.trigger.wBeginMonth,
                              second.trigger.wBeginDay, second.trigger.wStartHour,
                              second.trigger.wStartMinute}),
            std::vector<int>({2026, 12, 25, 23, 59}));
}

TEST_F(WakeJob, BatchRouteHandsTheAccountToJtExactlyAsTyped) {
  UseJt(Jt::Recorder);
  struct Case {
    std::wstring user, password;
  };
  const Case cases[] = {
      {L"taro", L"a&b|c>d^e%PATH%"},
      {L"x\"y&z", L"p|q>r"},  // the quote in the name turns cmd's quote state around
      {L"taro", L""},
      {L"\u5c71\u7530", L"(pw)<x"},
  };
  for (const Case& c : cases) {
    DeleteFileW(ProgramPath(L"\\jt_calls.txt").c_str());
    const WakeJobInputs in{L"1/5/2027", L"07:05", c.user, c.password};
    ASSERT_TRUE(ScheduleWakeJob(system_, in));
    const std::vector<std::wstring> calls = JtCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], L"/sd Resume.job");
    EXPECT_EQ(calls[1], std::wstring(JtArgumentsOf(BuildToolLine(in, kFolder))));
    // Nothing the user typed ran as a command or redirected output.
    EXPECT_FALSE(FileExists(ProgramPath(L"\\d")));
    EXPECT_FALSE(FileExists(ProgramPath(L"\\r")));
  }
}

TEST_F(WakeJob, BatchRouteFailuresAreReportedAndLeaveNoPassword) {
  // Made at run time so that the test program's own bytes do not hold it.
  const std::wstring secret = L"S3cr3t-" + std::to_wstring(GetCurrentProcessId() * 7919u);
  const std::string password = ToAnsi(secret);
  struct Case {
    const char* what;
    Jt jt;
    const wchar_t* jtExit;
    bool blockAddTask;
    bool expected;
    bool batchRan;
  };
  const Case cases[] = {
      {"success", Jt::Recorder, nullptr, false, true, true},
      {"jt.exe missing", Jt::Missing, nullptr, false, false, false},
      {"jt.exe refuses", Jt::Recorder, L"1", false, false, true},
      {"folder not writable", Jt::Recorder, nullptr, true, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    UseJt(c.jt);
    SetEnvironmentVariableW(L"REVEILO_JT_EXIT", c.jtExit);
    // A folder where "AddTask.bat" should be makes the file impossible to write.
    if (c.blockAddTask) {
      ASSERT_TRUE(CreateDirectoryW(ProgramPath(kAddTaskBatchName).c_str(), nullptr));
    }
    EXPECT_EQ(ScheduleWakeJob(system_, {L"1/5/2027", L"07:05", L"taro", secret}), c.expected)
        << c.what;
    EXPECT_EQ(FileExists(ProgramPath(L"\\jt_calls.txt")), c.batchRan) << c.what;
    for (const auto& [name, bytes] : FolderFiles(kFolder)) {
      EXPECT_EQ(bytes.find(password), std::string::npos) << c.what << ": the password is in a file";
    }
  }
}

TEST_F(WakeJob, ComponentRouteRegistersAWakeTask) {
  WriteFileBytes(ProgramPath(kStartupBatchName), "echo old\r\n");
  WriteFileBytes(ProgramPath(kAddTaskBatchName), "earlier\r\n");
  ASSERT_TRUE(ScheduleWakeJob(system_, {L"1/5/2027", L"07:05", L"", L""}));
  EXPECT_EQ(FileBytes(ProgramPath(kStartupBatchName)), "");
  EXPECT_EQ(FileBytes(ProgramPath(kAddTaskBatchName)), "earlier\r\n");

  const WakeTask task = LoadWakeTask(L"ResumeRV");
  ASSERT_TRUE(task.found);
  EXPECT_EQ(task.author, L"Reveilo");
  EXPECT_TRUE(task.wakeToRun);
}

TEST_F(WakeJob, ComponentRouteWithoutTheComponentFails) {
  const std::wstring dll = ProgramPath(L"\\ReveiloTask.dll");
  MoveFileW(dll.c_str(), (dll + L".away").c_str());
  WriteFileBytes(ProgramPath(kStartupBatchName), "echo old\r\n");
  EXPECT_FALSE(ScheduleWakeJob(system_, {L"1/5/2027", L"07:05", L"u", L"p"}));
  EXPECT_EQ(FileBytes(ProgramPath(kStartupBatchName)), "echo old\r\n");
  MoveFileW((dll + L".away").c_str(), dll.c_str());
}
