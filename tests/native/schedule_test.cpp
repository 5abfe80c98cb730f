#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "wake_job/schedule.h"

namespace {
// The system as ScheduleWakeJob sees it; its calls are recorded "|"-separated.
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  std::wstring versionClass = L"XP", folder = L"C:\\W", calls, failWritesTo, addTaskWhenRun;
  std::map<std::wstring, std::wstring> files{{L"C:\\W\\Startup.bat", L"old"}, {L"C:\\W\\AddTask.bat", L"earlier"}};
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;

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
    addTaskWhenRun = files[L"C:\\W\\AddTask.bat"];
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
    std::function<void(Fake&, WakeJobInputs&)> arrange;
    bool made;
    std::wstring calls;
  } rows[] = {
      {"batch succeeds", [](Fake&, WakeJobInputs&) {}, true, kBatchRun},
      {"jt.exe missing (9009)", [](Fake& s, WakeJobInputs&) { s.batchExit = 9009; }, false, kBatchRun},
      {"jt.exe refused the job", [](Fake& s, WakeJobInputs&) { s.batchExit = 1; }, false, kBatchRun},
      {"batch cannot start", [](Fake& s, WakeJobInputs&) { s.batchExit.reset(); }, false, kBatchRun},
      {"AddTask.bat not writable", [](Fake& s, WakeJobInputs&) { s.failWritesTo = L"C:\\W\\AddTask.bat"; }, false,
       L"write AddTask.bat|write AddTask.bat"},
      {"Startup.bat not writable", [](Fake& s, WakeJobInputs&) { s.failWritesTo = L"C:\\W\\Startup.bat"; }, false,
       L"write AddTask.bat|write Startup.bat|write AddTask.bat"},
      {"a line break in the user", [](Fake&, WakeJobInputs& in) { in.userName = L"taro\r\necho x"; }, false, L""},
      {"a line feed in the password", [](Fake&, WakeJobInputs& in) { in.password = L"s3\ncret"; }, false, L""},
      {"a NUL in the password", [](Fake&, WakeJobInputs& in) { in.password.insert(2, 1, L'\0'); }, false, L""},
      {"a line over cmd's limit", [](Fake&, WakeJobInputs& in) { in.userName.assign(8200, L'a'); }, false, L""},
      {"no program folder", [](Fake& s, WakeJobInputs&) { s.folder.clear(); }, false, L""},
      // Only the exact class "VISTA" takes the component.
      {"the class of a failed lookup", [](Fake& s, WakeJobInputs&) { s.versionClass = L"Failed"; }, true, kBatchRun},
      {"case matters", [](Fake& s, WakeJobInputs&) { s.versionClass = L"vista"; }, true, kBatchRun},
      {"the empty class", [](Fake& s, WakeJobInputs&) { s.versionClass.clear(); }, true, kBatchRun},
      {"component", [](Fake& s, WakeJobInputs&) { s.versionClass = L"VISTA"; }, true,
       kComponent + L"|write Startup.bat"},
      {"component fails", [](Fake& s, WakeJobInputs&) { s.versionClass = L"VISTA", s.componentOk = false; }, false,
       kComponent},
      {"unreadable hour", [](Fake& s, WakeJobInputs& in) { s.versionClass = L"VISTA", in.timeText = L"ab:05"; }, false,
       L""},
      {"impossible date", [](Fake& s, WakeJobInputs& in) { s.versionClass = L"VISTA", in.dateText = L"2/30/2027"; },
       false, L""},
      {"no program folder on VISTA", [](Fake& s, WakeJobInputs&) { s.versionClass = L"VISTA", s.folder.clear(); },
       false, L""},
      {"Startup.bat not writable on VISTA",
       [](Fake& s, WakeJobInputs&) { s.versionClass = L"VISTA", s.failWritesTo = L"C:\\W\\Startup.bat"; }, false,
       kComponent + L"|write Startup.bat"},
  };
  for (const auto& row : rows) {
    Fake system;
    WakeJobInputs inputs{L"1/5/2027", L"07:05", L"taro", L"s3cret"};
    row.arrange(system, inputs);
    EXPECT_EQ(ScheduleWakeJob(system, inputs), row.made) << row.what;
    EXPECT_EQ(system.calls, row.calls) << row.what;
    // The batch had the password while it ran; no file keeps it afterwards.
    if (system.calls.find(L"run") != std::wstring::npos) {
      EXPECT_NE(system.addTaskWhenRun.find(L"/sc taro s3cret /ctj"), std::wstring::npos) << row.what;
      EXPECT_NE(system.files[L"C:\\W\\AddTask.bat"].find(L"/sc taro ******** /ctj"), std::wstring::npos);
    }
    for (const auto& [path, text] : system.files) EXPECT_EQ(text.find(L"s3cret"), std::wstring::npos) << row.what;
    // Each file is left alone unless written, and Startup.bat is emptied exactly when it was written.
    if (system.calls.find(L"write AddTask.bat") == std::wstring::npos) {
      EXPECT_EQ(system.files[L"C:\\W\\AddTask.bat"], L"earlier") << row.what;
    }
    const bool startupWritten = system.calls.find(L"write Startup.bat") != std::wstring::npos &&
                                system.failWritesTo != L"C:\\W\\Startup.bat";
    EXPECT_EQ(system.files[L"C:\\W\\Startup.bat"], startupWritten ? L"" : L"old") << row.what;
  }
}
