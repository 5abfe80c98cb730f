#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "wake_job/schedule.h"

namespace {
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  std::wstring versionClass = L"XP";
  std::wstring folder = L"C:\\W";
  std::map<std::wstring, std::wstring> files;
  std::vector<std::wstring> events;
  std::wstring failWritesTo;            // a path whose writes fail
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;
  std::array<std::wstring, 4> componentArgs;
  std::wstring addTaskWhenRun;          // what "AddTask.bat" held when the batch started

  std::wstring VersionClass() override {
    events.push_back(L"version");
    return versionClass;
  }
  std::wstring ProgramFolder() override { return folder; }
  bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) override {
    events.push_back(L"write " + path.substr(path.rfind(L'\\') + 1));
    if (path == failWritesTo) return false;
    files[path] = text;
    return true;
  }
  std::optional<unsigned long> RunBatch(const std::wstring& f) override {
    events.push_back(L"run " + f);
    addTaskWhenRun = files[folder + L"\\AddTask.bat"];
    return batchExit;
  }
  bool CallTaskComponent(const std::array<std::wstring, 4>& arguments) override {
    events.push_back(L"component");
    componentArgs = arguments;
    return componentOk;
  }
};

const WakeJobInputs kInputs{L"1/5/2027", L"07:05", L"taro", L"s3cret"};
}  // namespace

TEST(ScheduleWakeJob, BatchRouteOutcomes) {
  struct Case {
    const char* what;
    std::optional<unsigned long> batchExit;
    const wchar_t* failWrite;
    bool expected;
    bool batchStarted;
  };
  const Case cases[] = {
      {"batch succeeds", 0, L"", true, true},
      {"jt.exe missing (9009)", 9009, L"", false, true},
      {"jt.exe refused the job", 1, L"", false, true},
      {"batch cannot start", std::nullopt, L"", false, true},
      {"AddTask.bat not writable", 0, L"C:\\W\\AddTask.bat", false, false},
      {"Startup.bat not writable", 0, L"C:\\W\\Startup.bat", false, false},
  };
  for (const Case& c : cases) {
    FakeWakeJobSystem system;
    system.batchExit = c.batchExit;
    system.failWritesTo = c.failWrite;
    EXPECT_EQ(ScheduleWakeJob(system, kInputs), c.expected) << c.what;
    EXPECT_EQ(system.events.front(), L"version") << c.what;
    const bool started =
        std::find(system.events.begin(), system.events.end(), L"run C:\\W") != system.events.end();
    EXPECT_EQ(started, c.batchStarted) << c.what;
    if (started) {
      EXPECT_NE(system.addTaskWhenRun.find(L"/sc taro s3cret /ctj"), std::wstring::npos) << c.what;
    }
    // Whatever happened, no file keeps the password.
    for (const auto& [path, text] : system.files) {
      EXPECT_EQ(text.find(L"s3cret"), std::wstring::npos) << c.what << " in the file written last";
    }
    EXPECT_EQ(system.files.count(L"C:\\W\\Startup.bat") ? system.files[L"C:\\W\\Startup.bat"] : L"",
              L"");
  }
}

TEST(ScheduleWakeJob, InputsNoBatchCanCarryScheduleNothing) {
  const std::wstring longName(8200, L'a');
  const WakeJobInputs cases[] = {
      {L"1/5/2027", L"07:05", L"taro\r\necho x", L"p"}, {L"1/5/2027", L"07:05", L"taro", L"s3\ncret"},
      {L"1/5/2027", L"07:05", L"taro", std::wstring(L"s3\0cret", 7)}, {L"1/5/2027", L"07:05", longName, L"p"},
  };
  for (const WakeJobInputs& inputs : cases) {
    FakeWakeJobSystem system;
    EXPECT_FALSE(ScheduleWakeJob(system, inputs));
    EXPECT_TRUE(system.files.empty());
    EXPECT_EQ(std::count(system.events.begin(), system.events.end(), L"run C:\\W"), 0);
  }
}

TEST(ScheduleWakeJob, BatchRouteWritesInOrderAndScrubsAfterTheBatch) {
  FakeWakeJobSystem system;
  ASSERT_TRUE(ScheduleWakeJob(system, kInputs));
  const std::vector<std::wstring> expected = {L"version", L"write AddTask.bat", L"write Startup.bat",
                                              L"run C:\\W", L"write AddTask.bat"};
  EXPECT_EQ(system.events, expected);
  EXPECT_NE(system.files[L"C:\\W\\AddTask.bat"].find(L"/sc taro ******** /ctj"), std::wstring::npos);
}

TEST(ScheduleWakeJob, ComponentRoute) {
  struct Case {
    const char* what;
    WakeJobInputs inputs;
    bool componentOk;
    bool failStartup;
    bool expected;
    bool startupTruncated;
  };
  const Case cases[] = {
      {"success", kInputs, true, false, true, true},
      {"component fails", kInputs, false, false, false, false},
      {"unreadable hour", {L"1/5/2027", L"ab:05", L"u", L"p"}, true, false, false, false},
      {"impossible date", {L"2/30/2027", L"07:05", L"u", L"p"}, true, false, false, false},
      {"Startup.bat not writable", kInputs, true, true, false, false},
  };
  for (const Case& c : cases) {
    FakeWakeJobSystem system;
    system.versionClass = L"VISTA";
    system.componentOk = c.componentOk;
    system.files[L"C:\\W\\Startup.bat"] = L"old";
    system.files[L"C:\\W\\AddTask.bat"] = L"earlier";
    if (c.failStartup) system.failWritesTo = L"C:\\W\\Startup.bat";
    EXPECT_EQ(ScheduleWakeJob(system, c.inputs), c.expected) << c.what;
    EXPECT_EQ(system.files[L"C:\\W\\Startup.bat"], c.startupTruncated ? L"" : L"old") << c.what;
    EXPECT_EQ(system.files[L"C:\\W\\AddTask.bat"], L"earlier") << c.what;
  }
  FakeWakeJobSystem system;
  system.versionClass = L"VISTA";
  ASSERT_TRUE(ScheduleWakeJob(system, kInputs));
  const std::array<std::wstring, 4> expected = {L"2027/01/05 07:05:00", L"C:\\W\\Startup.bat",
                                                L"ResumeRV", L"Reveilo"};
  EXPECT_EQ(system.componentArgs, expected);
}

TEST(ScheduleWakeJob, OtherClassesTakeTheBatchRoute) {
  for (const wchar_t* versionClass : {L"", L"Failed", L"95", L"2003", L"vista", L"VISTA "}) {
    FakeWakeJobSystem system;
    system.versionClass = versionClass;
    EXPECT_TRUE(ScheduleWakeJob(system, kInputs));
    EXPECT_EQ(std::count(system.events.begin(), system.events.end(), L"component"), 0);
  }
}
