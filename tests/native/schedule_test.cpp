#include <gtest/gtest.h>

#include <map>

#include "wake_job/schedule.h"

namespace {
// The system as ScheduleWakeJob sees it; its calls are recorded "|"-separated.
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  std::wstring versionClass = L"XP";
  std::map<std::wstring, std::wstring> files{{L"C:\\W\\Startup.bat", L"old"}, {L"C:\\W\\AddTask.bat", L"earlier"}};
  std::wstring calls, failWritesTo, addTaskWhenRun;
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;
  std::array<std::wstring, 4> componentArgs;

  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  std::wstring folder = L"C:\\W";
  std::wstring VersionClass() override { return versionClass; }
  std::wstring ProgramFolder() override { return folder; }
  bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) override {
    Record(L"write " + path.substr(path.rfind(L'\\') + 1));
    if (path == failWritesTo) return false;
    files[path] = text;
    return true;
  }
  std::optional<unsigned long> RunBatch(const std::wstring& folder) override {
    Record(L"run " + folder);
    addTaskWhenRun = files[L"C:\\W\\AddTask.bat"];
    return batchExit;
  }
  bool CallTaskComponent(const std::array<std::wstring, 4>& arguments) override {
    Record(L"component");
    componentArgs = arguments;
    return componentOk;
  }
};

const WakeJobInputs kInputs{L"1/5/2027", L"07:05", L"taro", L"s3cret"};
const std::wstring kBatchRun = L"write AddTask.bat|write Startup.bat|run C:\\W|write AddTask.bat";
}  // namespace

TEST(ScheduleWakeJob, EachRouteReportsWhetherAJobWasMade) {
  const std::wstring longName(8200, L'a');
  const struct {
    const char* what;
    const wchar_t* versionClass;
    WakeJobInputs inputs;
    std::optional<unsigned long> batchExit;
    const wchar_t* failWrite;
    bool componentOk, made;
    std::wstring calls;
  } rows[] = {
      {"batch succeeds", L"XP", kInputs, 0, L"", true, true, kBatchRun},
      {"jt.exe missing (9009)", L"XP", kInputs, 9009, L"", true, false, kBatchRun},
      {"jt.exe refused the job", L"XP", kInputs, 1, L"", true, false, kBatchRun},
      {"batch cannot start", L"XP", kInputs, std::nullopt, L"", true, false, kBatchRun},
      {"AddTask.bat not writable", L"XP", kInputs, 0, L"C:\\W\\AddTask.bat", true, false,
       L"write AddTask.bat|write AddTask.bat"},
      {"Startup.bat not writable", L"XP", kInputs, 0, L"C:\\W\\Startup.bat", true, false,
       L"write AddTask.bat|write Startup.bat|write AddTask.bat"},
      {"a line break in the user", L"XP", {L"1/5/2027", L"07:05", L"taro\r\necho x", L"p"}, 0, L"", true, false, L""},
      {"a line feed in the password", L"XP", {L"1/5/2027", L"07:05", L"taro", L"s3\ncret"}, 0, L"", true, false, L""},
      {"a NUL in the password", L"XP", {L"1/5/2027", L"07:05", L"taro", std::wstring(L"s3\0cret", 7)}, 0, L"", true,
       false, L""},
      {"a line over cmd's limit", L"XP", {L"1/5/2027", L"07:05", longName, L"p"}, 0, L"", true, false, L""},
      {"any class but VISTA takes the batch", L"Failed", kInputs, 0, L"", true, true, kBatchRun},
      {"case matters", L"vista", kInputs, 0, L"", true, true, kBatchRun},
      {"the empty class", L"", kInputs, 0, L"", true, true, kBatchRun},
      {"component", L"VISTA", kInputs, 0, L"", true, true, L"component|write Startup.bat"},
      {"component fails", L"VISTA", kInputs, 0, L"", false, false, L"component"},
      {"unreadable hour", L"VISTA", {L"1/5/2027", L"ab:05", L"u", L"p"}, 0, L"", true, false, L""},
      {"impossible date", L"VISTA", {L"2/30/2027", L"07:05", L"u", L"p"}, 0, L"", true, false, L""},
      {"Startup.bat not writable on VISTA", L"VISTA", kInputs, 0, L"C:\\W\\Startup.bat", true, false,
       L"component|write Startup.bat"},
  };
  for (const auto& row : rows) {
    FakeWakeJobSystem system;
    system.versionClass = row.versionClass;
    system.batchExit = row.batchExit;
    system.failWritesTo = row.failWrite;
    system.componentOk = row.componentOk;
    EXPECT_EQ(ScheduleWakeJob(system, row.inputs), row.made) << row.what;
    EXPECT_EQ(system.calls, row.calls) << row.what;
    // The batch had the password while it ran; no file keeps it afterwards.
    if (system.calls.find(L"run") != std::wstring::npos) {
      EXPECT_NE(system.addTaskWhenRun.find(L"/sc taro s3cret /ctj"), std::wstring::npos) << row.what;
      EXPECT_NE(system.files[L"C:\\W\\AddTask.bat"].find(L"/sc taro ******** /ctj"), std::wstring::npos);
    }
    for (const auto& [path, text] : system.files) EXPECT_EQ(text.find(L"s3cret"), std::wstring::npos) << row.what;
    // Startup.bat is emptied exactly when it was written.
    const bool startupWritten = system.calls.find(L"write Startup.bat") != std::wstring::npos &&
                                std::wstring(row.failWrite) != L"C:\\W\\Startup.bat";
    EXPECT_EQ(system.files[L"C:\\W\\Startup.bat"], startupWritten ? L"" : L"old") << row.what;
  }
  for (const wchar_t* versionClass : {L"XP", L"VISTA"}) {
    FakeWakeJobSystem unknown;
    unknown.folder.clear();
    unknown.versionClass = versionClass;
    EXPECT_FALSE(ScheduleWakeJob(unknown, kInputs)) << "no program folder, no job";
    EXPECT_EQ(unknown.calls, L"");
  }
  FakeWakeJobSystem system;
  system.versionClass = L"VISTA";
  ASSERT_TRUE(ScheduleWakeJob(system, kInputs));
  EXPECT_EQ(system.componentArgs,
            (std::array<std::wstring, 4>{L"2027/01/05 07:05:00", L"C:\\W\\Startup.bat", L"ResumeRV", L"Reveilo"}));
  EXPECT_EQ(system.files[L"C:\\W\\AddTask.bat"], L"earlier") << "the component route leaves the batch alone";
}
