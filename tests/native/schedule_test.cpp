#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "res/strings.h"
#include "wake_job/schedule.h"
#include "tests/support/fake_task_tree.h"
#include "wake_job/wake_record.h"

namespace {
const std::wstring kStartup = L"Startup.bat", kAddTask = L"AddTask.bat";

// The system as ScheduleWakeJob sees it; its calls are recorded "|"-separated.
class FakeWakeJobSystem : public WakeJobSystem {
 public:
  ScheduleRoute route = ScheduleRoute::Batch;
  std::wstring folder = L"C:\\W", calls, failWritesTo, addTaskWhenRun, unwritable, shortForm,
      missing;
  std::map<std::wstring, std::wstring> files{{kStartup, L"old"}, {kAddTask, L"earlier"}};
  std::optional<unsigned long> batchExit = 0;
  bool componentOk = true;
  WakeJobInputs in{{2027, 1, 5, 7, 5}, L"1/5/2027", L"07:05", L"taro", L"s3cret"};  // what the rows pass in

  static std::wstring Name(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }
  void Record(const std::wstring& call) { calls += (calls.empty() ? L"" : L"|") + call; }
  std::wstring ProgramFolder() override { return folder; }
  bool WriteBatchFile(const std::wstring& path, const std::wstring& text) override {
    Record(L"write " + Name(path));
    if (Name(path) == failWritesTo || !FitsBatch(text)) return false;
    files[Name(path)] = text;
    return true;
  }
  bool CanWrite(const std::wstring& path) override { return Name(path) != unwritable; }
  // Latin-1 letters stand for what the console's code page has no byte for.
  bool FitsBatch(const std::wstring& text) override {
    return std::none_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x80 && c <= 0xFF; });
  }
  std::wstring ShortPath(const std::wstring&) override { return shortForm; }
  // Windows proves one password wrong: taro's "typo".
  bool PasswordProvenWrong(const std::wstring& user, const std::wstring& password) override {
    return user == L"taro" && password == L"typo";
  }
  std::optional<unsigned long> RunBatch(const std::wstring& in) override {
    Record(L"run " + in);
    addTaskWhenRun = files[kAddTask];
    return batchExit;
  }
  bool CallTaskComponent(const std::vector<std::wstring>& arguments, std::wstring& reason) override {
    std::wstring call = L"component ";
    for (const std::wstring& argument : arguments) call += (&argument == &arguments[0] ? L"" : L",") + argument;
    Record(call);
    if (!componentOk) reason = L"component says no";
    return componentOk;
  }
  bool FileExists(const std::wstring& path) override { return Name(path) != missing; }
  std::unique_ptr<TaskTree> tree;
  std::unique_ptr<TaskTree> OpenTaskTree(ScheduleRoute, const CivilDateTime&) override { return std::move(tree); }
};

using Fake = FakeWakeJobSystem;
const std::wstring kBatchRun = L"write AddTask.bat|write Startup.bat|run C:\\W|write AddTask.bat";
const std::wstring kComponent = L"component 2027/01/05 07:05:00,C:\\W\\Startup.bat,ResumeRV,Reveilo";
}  // namespace

TEST(ScheduleWakeJob, EachRouteReportsWhetherAJobWasMade) {
  constexpr Preflight kNotWritable = Preflight::FolderNotWritable, kNotAnsi = Preflight::FolderNameNotAnsi;
  const std::wstring kUnwritten = kReasonBatchNotWritten;
  const struct {
    const char* what;
    std::function<void(Fake&)> arrange;
    std::wstring why;  // the reason the user reads; empty when the job was made
    std::wstring calls;
    Preflight check = Preflight::Usable;  // what the check before any Set finds
    std::wstring inBatch = L"/sc taro s3cret /ctj";  // what the batch holds while it runs
  } rows[] = {
      {"batch succeeds", [](Fake&) {}, L"", kBatchRun},
      // jt.exe's status as its reason: each status in tools/jt's table.
      {"jt.exe refused the job", [](Fake& s) { s.batchExit = 1; }, kReasonJtSaveFailed, kBatchRun},
      {"jt.exe not beside Reveilo", [](Fake& s) { s.missing = L"jt.exe", s.batchExit = 9009; }, kReasonJtNotFound,
       kBatchRun, Preflight::ShippedFileMissing},
      {"batch cannot start", [](Fake& s) { s.batchExit.reset(); }, kReasonBatchNotStarted, kBatchRun},
      {"AddTask.bat not writable", [](Fake& s) { s.failWritesTo = s.unwritable = kAddTask; }, kUnwritten,
       L"write AddTask.bat|write AddTask.bat", kNotWritable},
      {"Startup.bat not writable", [](Fake& s) { s.failWritesTo = s.unwritable = kStartup; }, kUnwritten,
       L"write AddTask.bat|write Startup.bat|write AddTask.bat", kNotWritable},
      {"setting.ini not writable: the job does not need it", [](Fake& s) { s.unwritable = L"setting.ini"; }, L"",
       kBatchRun},
      // Kept up after the wake: the job runs Reveilo's wake mode, stopped by the scheduler only after its minutes;
      // Startup.bat is written all the same.
      {"kept up after the wake, XP", [](Fake& s) { s.in.afterWake = {30, false}; }, L"", kBatchRun, Preflight::Usable,
       L"=\"C:\\W\\Reveilo.exe\" Parameters=\"/wake /awake:30\" Comment=\"Resume\" SystemRequired=1 DeleteWhenDone=1 MaxRunTime=2400000 /saj"},
      {"kept up after the wake, VISTA", [](Fake& s) { s.route = ScheduleRoute::Component, s.in.afterWake = {240, true}; },
       L"", L"write Startup.bat|" L"component 2027/01/05 07:05:00,C:\\W\\Reveilo.exe,ResumeRV,Reveilo,/wake /awake:240 /rehibernate,250"},
      {"Reveilo.exe renamed: nothing would run", [](Fake& s) { s.in.afterWake = {5, false}, s.missing = L"Reveilo.exe"; },
       kReasonProgramMissing, L""},
      // The account reaches jt.exe exactly, or the Set is refused before anything is written.
      {"an account with blanks", [](Fake& s) { s.in.userName = L"Taro Yamada", s.in.password = L"s3cret "; }, L"",
       kBatchRun, Preflight::Usable, L"/sc \"Taro Yamada\" \"s3cret \" /ctj"},
      {"a user name in its own quotes", [](Fake& s) { s.in.userName = L"\"taro\""; }, L"", kBatchRun, Preflight::Usable,
       L"/sc \"taro\" s3cret /ctj"},
      {"a quote inside the user name", [](Fake& s) { s.in.userName = L"ta\"ro"; }, L"", kBatchRun,
       Preflight::UserNameQuote, L"/sc ta\"ro s3cret /ctj"},
      {"a user name of two quotes", [](Fake& s) { s.in.userName = L"\"\""; }, L"", kBatchRun, Preflight::UserNameQuote,
       L"/sc \"\"\"\"\"\" s3cret /ctj"},
      {"an empty user name", [](Fake& s) { s.in.userName.clear(); }, L"", kBatchRun, Preflight::UserNameEmpty,
       L"/sc  s3cret /ctj"},
      // A password Windows proves wrong is refused before the batch could delete the earlier job.
      {"a password Windows refuses", [](Fake& s) { s.in.password = L"typo"; }, L"", kBatchRun, Preflight::AccountRefused,
       L"/sc taro typo /ctj"},
      {"refused, the user name in its own quotes", [](Fake& s) { s.in.userName = L"\"taro\"", s.in.password = L"typo"; },
       L"", kBatchRun, Preflight::AccountRefused, L"/sc \"taro\" typo /ctj"},
      {"Ctrl-Z in the password", [](Fake& s) { s.in.password = L"s3cret\x1a"; }, kUnwritten, L"",
       Preflight::AccountControlCharacter},
      {"a user the batch cannot write", [](Fake& s) { s.in.userName = L"M\u00fcller"; }, kUnwritten,
       L"write AddTask.bat|write AddTask.bat", Preflight::AccountNotInCodePage},
      // jt.exe reads the time as typed, in the digits it knows.
      {"blanks and full-width digits", [](Fake& s) { s.in.timeText = L" \uff17\u3000:\uff10\uff15 "; }, L"", kBatchRun,
       Preflight::Usable, L"StartTime=7:05 Disabled=0"},
      // A folder the batch cannot name is named by its short form, or not at all.
      {"short form of a folder", [](Fake& s) { s.folder = L"C:\\M\u00fcller", s.shortForm = L"C:\\MLLER~1"; }, L"",
       L"write AddTask.bat|write Startup.bat|run C:\\M\u00fcller|write AddTask.bat", Preflight::Usable,
       L"cd \"C:\\MLLER~1\"\r\n"},
      {"no short form", [](Fake& s) { s.folder = L"C:\\M\u00fcller"; }, kUnwritten, L"", kNotAnsi},
      {"a short form no better", [](Fake& s) { s.folder = L"C:\\M\u00fcller", s.shortForm = L"C:\\M\u00fc~1"; },
       kUnwritten, L"", kNotAnsi},
      {"a network folder", [](Fake& s) { s.folder = L"\\\\srv\\share"; }, kUnwritten, L"",
       Preflight::FolderOnNetwork},
      // The component needs no account and no batch.
      {"component", [](Fake& s) { s.route = ScheduleRoute::Component; }, L"", L"write Startup.bat|" + kComponent},
      {"component not beside Reveilo", [](Fake& s) { s.route = ScheduleRoute::Component, s.missing = L"ReveiloTask.dll"; }, L"",
       L"write Startup.bat|" + kComponent, Preflight::ShippedFileMissing},
      {"no password judged on VISTA", [](Fake& s) { s.route = ScheduleRoute::Component, s.in.password = L"typo"; }, L"",
       L"write Startup.bat|" + kComponent},
      {"component fails", [](Fake& s) { s.route = ScheduleRoute::Component, s.componentOk = false; }, L"component says no",
       L"write Startup.bat|" + kComponent},
      // No task behind a failure: Startup.bat comes first.
      {"Startup.bat not writable on VISTA",
       [](Fake& s) { s.route = ScheduleRoute::Component, s.failWritesTo = s.unwritable = kStartup; }, kUnwritten,
       L"write Startup.bat", kNotWritable},
      {"any account, folder or batch on VISTA",
       [](Fake& s) {
         s.route = ScheduleRoute::Component, s.folder = L"\\\\M\u00fcller", s.unwritable = kAddTask;
         s.in.userName = L"\x1a\"\u00fc";
       },
       L"", L"write Startup.bat|component 2027/01/05 07:05:00,\\\\M\u00fcller\\Startup.bat,ResumeRV,Reveilo"},
  };
  for (const auto& row : rows) {
    Fake system;
    row.arrange(system);
    const PreflightCheck check = CheckBeforeSet(system, system.route, system.in.userName, system.in.password);
    EXPECT_EQ(check.state, row.check) << row.what;
    EXPECT_TRUE(check.state != Preflight::ShippedFileMissing || check.detail == system.missing) << row.what;
    const ScheduleResult result = ScheduleWakeJob(system, system.route, system.in);
    EXPECT_EQ(std::make_pair(result.made, result.route), std::make_pair(row.why.empty(), system.route)) << row.what;
    EXPECT_EQ(result.reason, row.why) << row.what;
    EXPECT_EQ(system.calls, row.calls) << row.what;
    // The batch had the password while it ran; no file keeps it afterwards.
    if (system.calls.find(L"run") != std::wstring::npos) {
      EXPECT_NE(system.addTaskWhenRun.find(row.inBatch), std::wstring::npos) << row.what;
      EXPECT_NE(system.files[kAddTask].find(L" ******** /ctj"), std::wstring::npos);
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

namespace {
const CivilDateTime kAsked{2027, 1, 5, 7, 5, 0};
using Task = FakeTaskTree::Task;
using Tasks = std::vector<std::optional<Task>>;
using Folders = std::vector<std::wstring>;
}  // namespace

// Every other enabled task that wakes the machine before the asked minute, wherever it lies, each question asked of
// the service once and only where it can still matter; what the user may not read is counted, tasks and folders apart.
TEST(WakeRecord, TheTasksThatWakeTheMachineFirst) {
  auto tree = std::make_unique<FakeTaskTree>();  // our own task is left out by its path on this route
  const FirstRun three{true, CivilDateTime{2027, 1, 5, 3, 0, 0}};
  tree->folders[L"\\"] = {
      Tasks{Task{L"\\ResumeRV", true, true, three},                                  // our own
            Task{L"\\Backup", true, true, {true, CivilDateTime{2027, 1, 5, 7, 4, 59}}},  // a second before ours
            Task{L"\\Disabled", false, true, three}, Task{L"\\NoWake", true, false, three},
            Task{L"\\Later", true, true, {true, kAsked}},  // due in our very minute: not first
            Task{L"\\NotDue", true, true, {true, std::nullopt}}, std::nullopt /* a task the user may not read */,
            Task{L"\\NoDefinition", true, std::nullopt, three}, Task{L"\\NoRunTimes", true, true, FirstRun{}},
            Task{L"Resume", true, true, three}},  // the XP job's name: not ours here
      Folders{L"\\Microsoft", L"\\Private"}};
  tree->folders[L"\\Microsoft"].tasks = Tasks{Task{L"\\Microsoft\\.Hidden\r\nforged", true, true, three}};
  tree->folders[L"\\Private"] = {std::nullopt, Folders{L"\\Private\\Open"}};  // its tasks he may not read
  tree->folders[L"\\Private\\Open"].tasks = Tasks{Task{L"\\Private\\Open\\A &amp; B", true, true, three}};
  const std::shared_ptr<long> calls = tree->calls;
  Fake system;
  system.tree = std::move(tree);
  const WakeScan scan = EarlierWakers(system, ScheduleRoute::Component, kAsked);
  // Folders: 3 + 2 + 2 + 2; definitions of the 9 enabled others; run times of the 7 of them that wake.
  EXPECT_EQ(*calls, 9 + 9 + 7);
  EXPECT_EQ(SetRecordLine({2027, 1, 4, 22, 0, 9}, kAsked, kLogRouteVista, scan),
            L"2027/01/04 22:00:09" + std::wstring(kLogSet) + L"2027/01/05 07:05（" + kLogRouteVista + L"）。" +
                kLogEarlierWakers + L"Resume 2027/01/05 03:00、\\Microsoft\\.Hidden  forged 2027/01/05 03:00、" +
                L"\\Private\\Open\\A & B 2027/01/05 03:00、\\Backup 2027/01/05 07:04" + kLogUnreadableTasks + L"3" +
                kLogCount + kLogUnreadableFolders + L"1" + kLogCount + L"。");

  // Twenty named and the rest counted; folders nested past the walk's depth counted, not looked into.
  auto deep = std::make_unique<FakeTaskTree>();
  for (std::wstring path = L"\\"; path.size() <= 2 * kTaskTreeDepth + 1; path += L"d\\")
    deep->folders[path] = {Tasks{Task{path + L"t", true, true, three}}, Folders{path + L"d\\"}};
  system.tree = std::move(deep);
  const WakeScan deepScan = EarlierWakers(system, ScheduleRoute::Component, kAsked);
  EXPECT_EQ(std::make_pair(deepScan.wakers.size(), deepScan.unreadFolders),
            std::make_pair(static_cast<std::size_t>(kTaskTreeDepth), 1));
  const std::wstring set = L"2027/01/04 22:00:09" + std::wstring(kLogSet) + L"2027/01/05 07:05（" + kLogRouteXp + L"）。" +
                           kLogEarlierWakers;
  const std::wstring deepLine = SetRecordLine({2027, 1, 4, 22, 0, 9}, kAsked, kLogRouteXp, deepScan);
  EXPECT_EQ(std::count(deepLine.begin(), deepLine.end(), L'、'), 19 + 2) << "and before the two counts";
  EXPECT_NE(deepLine.find(kLogMoreBefore + std::wstring(L"44") + kLogCount + kLogUnreadableFolders + L"1" + kLogCount),
            std::wstring::npos);
  // 「なし」 only when the scan ran: not when the scheduler could not be reached.
  EXPECT_EQ(SetRecordLine({2027, 1, 4, 22, 0, 9}, kAsked, kLogRouteXp, EarlierWakers(system, ScheduleRoute::Batch, kAsked)),
            set + kLogNotScanned + L"。");
  EXPECT_EQ(SetRecordLine({2027, 1, 4, 22, 0, 9}, kAsked, kLogRouteXp, WakeScan{true, {}, 1, 0}),
            set + kLogNone + kLogUnreadableTasks + L"1" + kLogCount + L"。");
}
