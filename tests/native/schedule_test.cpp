#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "wake_job/schedule.h"

namespace {
const std::wstring kStartup = L"C:\\W\\Startup.bat", kAddTask = L"C:\\W\\AddTask.bat";

// The system as ScheduleWakeJob sees it; its calls are recorded "|"-separated.
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  std::wstring versionClass = L"XP", folder = L"C:\\W", calls, failWritesTo, addTaskWhenRun;
  std::map<std::wstring, std::wstring> files{{kStartup, L"old"}, {kAddTask, L"earlier"}};
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;
  WakeJobInputs in{L"1/5/2027", L"07:05", L"taro", L"s3cret"};  // what the rows pass in

  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  std::wstring VersionClass() override { return versionClass; }
  std::wstring ProgramFolder() override { return folder; }
  bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) override {
    Record(L"write " + path.substr(path.rfind(L'\\') + 1));
    if (path == failWritesTo) return false;
    files[path] = text;
    return true;
  }
  std::optional<unsigned long> RunBatch(const std::wstring& in) override {
    Record(L"run " + in);
    addTaskWhenRun = files[kAddTask];
    return batchExit;
  }
  bool CallTaskComponent(const std::array<std::wstring, 4>& arguments) override {
    Record(L"component " + arguments[0] + L"," + arguments[1] + L"," + arguments[2] + L"," + arguments[3]);
    return componentOk;
  }
};

using Fake = FakeWakeJobSystem;
const std::wstring kBatchRun = L"write AddTask.bat|write Startup.bat|run C:\\W|write AddTask.bat";
const std::wstring kComponent = L"component 2027/01/05 07:05:00,C:\\W\\Startup.bat,ResumeRV,Reveilo";
}  // namespace

TEST(ScheduleWakeJob, EachRouteReportsWhetherAJobWasMade) {
  const struct {
    const char* what;
    std::function<void(Fake&)> arrange;
    bool made;
    std::wstring calls;
  } rows[] = {
      {"batch succeeds", [](Fake&) {}, true, kBatchRun},
      {"jt.exe missing (9009)", [](Fake& s) { s.batchExit = 9009; }, false, kBatchRun},
      {"jt.exe refused the job", [](Fake& s) { s.batchExit = 1; }, false, kBatchRun},
      {"batch cannot start", [](Fake& s) { s.batchExit.reset(); }, false, kBatchRun},
      {"AddTask.bat not writable", [](Fake& s) { s.failWritesTo = kAddTask; }, false, L"write AddTask.bat|write AddTask.bat"},
      {"Startup.bat not writable", [](Fake& s) { s.failWritesTo = kStartup; }, false, L"write AddTask.bat|write Startup.bat|write AddTask.bat"},
      {"a line break in the user", [](Fake& s) { s.in.userName = L"taro\r\necho x"; }, false, L""},
      {"a line feed in the password", [](Fake& s) { s.in.password = L"s3\ncret"; }, false, L""},
      {"a NUL in the password", [](Fake& s) { s.in.password.insert(2, 1, L'\0'); }, false, L""},
      {"a line over cmd's limit", [](Fake& s) { s.in.userName.assign(8200, L'a'); }, false, L""},
      {"no program folder", [](Fake& s) { s.folder.clear(); }, false, L""},
      // Only the exact class "VISTA" takes the component.
      {"the class of a failed lookup", [](Fake& s) { s.versionClass = L"Failed"; }, true, kBatchRun},
      {"case matters", [](Fake& s) { s.versionClass = L"vista"; }, true, kBatchRun},
      {"the empty class", [](Fake& s) { s.versionClass.clear(); }, true, kBatchRun},
      {"component", [](Fake& s) { s.versionClass = L"VISTA"; }, true, kComponent + L"|write Startup.bat"},
      {"component fails", [](Fake& s) { s.versionClass = L"VISTA", s.componentOk = false; }, false, kComponent},
      {"unreadable hour", [](Fake& s) { s.versionClass = L"VISTA", s.in.timeText = L"ab:05"; }, false, L""},
      {"impossible date", [](Fake& s) { s.versionClass = L"VISTA", s.in.dateText = L"2/30/2027"; }, false, L""},
      {"no program folder on VISTA", [](Fake& s) { s.versionClass = L"VISTA", s.folder.clear(); }, false, L""},
      {"Startup.bat not writable on VISTA", [](Fake& s) { s.versionClass = L"VISTA", s.failWritesTo = kStartup; },
       false, kComponent + L"|write Startup.bat"},
  };
  for (const auto& row : rows) {
    Fake system;
    row.arrange(system);
    EXPECT_EQ(ScheduleWakeJob(system, system.in), row.made) << row.what;
    EXPECT_EQ(system.calls, row.calls) << row.what;
    // The batch had the password while it ran; no file keeps it afterwards.
    if (system.calls.find(L"run") != std::wstring::npos) {
      EXPECT_NE(system.addTaskWhenRun.find(L"/sc taro s3cret /ctj"), std::wstring::npos) << row.what;
      EXPECT_NE(system.files[kAddTask].find(L"/sc taro ******** /ctj"), std::wstring::npos);
    }
    for (const auto& [path, text] : system.files) EXPECT_EQ(text.find(L"s3cret"), std::wstring::npos) << row.what;
    // Each file is left alone unless written, and Startup.bat is emptied exactly when it was written.
    if (system.calls.find(L"write AddTask.bat") == std::wstring::npos) {
      EXPECT_EQ(system.files[kAddTask], L"earlier") << row.what;
    }
    const bool startupWritten = system.calls.find(L"write Startup.bat") != std::wstring::npos &&
                                system.failWritesTo != kStartup;
    EXPECT_EQ(system.files[kStartup], startupWritten ? L"" : L"old") << row.what;
  }
}
