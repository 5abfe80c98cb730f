#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "wake_job/schedule.h"

namespace {
const std::wstring kStartup = L"Startup.bat", kAddTask = L"AddTask.bat";

// The system as ScheduleWakeJob sees it; its calls are recorded "|"-separated.
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  std::wstring versionClass = L"XP", folder = L"C:\\W", calls, failWritesTo, addTaskWhenRun, unwritable, shortForm;
  std::map<std::wstring, std::wstring> files{{kStartup, L"old"}, {kAddTask, L"earlier"}};
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;
  WakeJobInputs in{L"1/5/2027", L"07:05", L"taro", L"s3cret"};  // what the rows pass in

  static std::wstring Name(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }
  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  std::wstring VersionClass() override { return versionClass; }
  std::wstring ProgramFolder() override { return folder; }
  bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) override {
    Record(L"write " + Name(path));
    if (Name(path) == failWritesTo) return false;
    files[Name(path)] = text;
    return true;
  }
  bool CanWrite(const std::wstring& path) override { return Name(path) != unwritable; }
  // Latin-1 letters stand for what code page 932 has no byte for.
  bool FitsAnsi(const std::wstring& text) override {
    return std::none_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x80 && c <= 0xFF; });
  }
  std::wstring ShortPath(const std::wstring&) override { return shortForm; }
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
  constexpr FolderState kNotWritable = FolderState::NotWritable, kNotAnsi = FolderState::NameNotAnsi;
  const struct {
    const char* what;
    std::function<void(Fake&)> arrange;
    bool made;
    std::wstring calls;
    FolderState folder = FolderState::Usable;  // what the check before any Set finds
    std::wstring inBatch = L"/sc taro s3cret /ctj";  // what the batch holds while it runs
  } rows[] = {
      {"batch succeeds", [](Fake&) {}, true, kBatchRun},
      {"jt.exe missing (9009)", [](Fake& s) { s.batchExit = 9009; }, false, kBatchRun},
      {"jt.exe refused the job", [](Fake& s) { s.batchExit = 1; }, false, kBatchRun},
      {"batch cannot start", [](Fake& s) { s.batchExit.reset(); }, false, kBatchRun},
      {"AddTask.bat not writable", [](Fake& s) { s.failWritesTo = s.unwritable = kAddTask; }, false,
       L"write AddTask.bat|write AddTask.bat", kNotWritable},
      {"Startup.bat not writable", [](Fake& s) { s.failWritesTo = s.unwritable = kStartup; }, false,
       L"write AddTask.bat|write Startup.bat|write AddTask.bat", kNotWritable},
      {"setting.ini not writable", [](Fake& s) { s.unwritable = L"setting.ini"; }, true, kBatchRun, kNotWritable},
      {"a line break in the user", [](Fake& s) { s.in.userName = L"taro\r\necho x"; }, false, L""},
      {"no program folder", [](Fake& s) { s.folder.clear(); }, false, L"", kNotWritable},
      // jt.exe reads the time the past-time test read, or the batch is not written.
      {"blanks around the fields", [](Fake& s) { s.in.timeText = L" 7 :05 "; }, true, kBatchRun,
       FolderState::Usable, L"StartTime=7:05 Disabled=0"},
      {"letters for the hour", [](Fake& s) { s.in.timeText = L"ab:05"; }, false, L""},
      {"a blank inside a field", [](Fake& s) { s.in.timeText = L"07:0 5"; }, false, L""},
      {"a key after the minute", [](Fake& s) { s.in.timeText = L"07:05 Disabled=1"; }, false, L""},
      {"an impossible date", [](Fake& s) { s.in.dateText = L"2/30/2027"; }, false, L""},
      // A folder the ANSI batch cannot name is named by its short form, or not at all.
      {"short form of a folder", [](Fake& s) { s.folder = L"C:\\M\u00fcller", s.shortForm = L"C:\\MLLER~1"; }, true,
       L"write AddTask.bat|write Startup.bat|run C:\\M\u00fcller|write AddTask.bat", FolderState::Usable,
       L"cd \"C:\\MLLER~1\"\r\n"},
      {"no short form", [](Fake& s) { s.folder = L"C:\\M\u00fcller"; }, false, L"", kNotAnsi},
      {"a short form no better", [](Fake& s) { s.folder = L"C:\\M\u00fcller", s.shortForm = L"C:\\M\u00fc~1"; }, false,
       L"", kNotAnsi},
      // Only the exact class "VISTA" takes the component.
      {"case matters", [](Fake& s) { s.versionClass = L"vista"; }, true, kBatchRun},
      {"component", [](Fake& s) { s.versionClass = L"VISTA"; }, true, L"write Startup.bat|" + kComponent},
      {"component fails", [](Fake& s) { s.versionClass = L"VISTA", s.componentOk = false; }, false,
       L"write Startup.bat|" + kComponent},
      {"unreadable hour", [](Fake& s) { s.versionClass = L"VISTA", s.in.timeText = L"ab:05"; }, false, L""},
      {"impossible date", [](Fake& s) { s.versionClass = L"VISTA", s.in.dateText = L"2/30/2027"; }, false, L""},
      {"no program folder on VISTA", [](Fake& s) { s.versionClass = L"VISTA", s.folder.clear(); }, false, L"",
       kNotWritable},
      // No task behind a failure: Startup.bat comes first.
      {"Startup.bat not writable on VISTA",
       [](Fake& s) { s.versionClass = L"VISTA", s.failWritesTo = s.unwritable = kStartup; }, false,
       L"write Startup.bat", kNotWritable},
      {"AddTask.bat is not the component's", [](Fake& s) { s.versionClass = L"VISTA", s.unwritable = kAddTask; }, true,
       L"write Startup.bat|" + kComponent},
      {"the component takes any folder name",
       [](Fake& s) { s.versionClass = L"VISTA", s.folder = L"C:\\M\u00fcller"; }, true,
       L"write Startup.bat|component 2027/01/05 07:05:00,C:\\M\u00fcller\\Startup.bat,ResumeRV,Reveilo"},
  };
  for (const auto& row : rows) {
    Fake system;
    row.arrange(system);
    EXPECT_EQ(CheckProgramFolder(system).state, row.folder) << row.what;
    EXPECT_EQ(ScheduleWakeJob(system, system.in), row.made) << row.what;
    EXPECT_EQ(system.calls, row.calls) << row.what;
    // The batch had the password while it ran; no file keeps it afterwards.
    if (system.calls.find(L"run") != std::wstring::npos) {
      EXPECT_NE(system.addTaskWhenRun.find(row.inBatch), std::wstring::npos) << row.what;
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
