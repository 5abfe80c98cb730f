// Reveilo.exe end to end under Wine, started and driven as a person would.
// Each row is one run: setting.ini before, the command line or what is typed
// into the window, the message boxes expected and the answers given, and how
// the run must end; the runner then checks the exit status, setting.ini, the
// job the Task Scheduler holds, what reached jt.exe, and that nothing typed
// ran as a command. REVEILO_ROUTE (winxp or vista) picks the rows.
#include <gtest/gtest.h>

#include "driver.h"  // windows.h first
#include <commctrl.h>
#include <mstask.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <vector>

#include "platform/ansi_text_win.h"
#include "platform/local_time_win.h"
#include "res/strings.h"
#include "settings/password.h"
#include "wake_job/jt_status.h"
#include "wake_job/held_job.h"
#include "wake_job/wake_time.h"
#include "platform/program_folder_win.h"
#include "platform/system_library_win.h"

namespace {
enum Route { kXp = 1, kVista = 2, kBoth = 3, kParis = 4 /* XP, with TZ=Europe/Paris */ };
// How a run ends (it stays open unless it exits), and what else it meets.
enum How {
  kStays = 0, kExits = 1, kCancels = 2,  // Cancel pressed in the countdown; the window stays
  kBatch = 4,                             // "AddTask.bat" is left (the XP route got as far as jt.exe)
  // Before the run: no jt.exe, a jt.exe that exits 1, a folder named Startup.bat, the component
  // moved away. (The bench plants a powrprof.dll beside Reveilo.exe in every run, and turns
  // cmd's DelayedExpansion policy on.)
  kNoJt = 8, kJtRefuses = 16, kBlockedStartup = 32, kNoComponent = 64,
  kLoggedOn = 128,  // the job runs only in the user's session (no password)
  kHeldIni = 256,   // another program holds setting.ini open, for reading only
  kBackup = 512,    // another wake job, "Backup", is due at 03:00 on the day before the wake
  kHugeLog = 1024,  // wake.log is 300 MB of zeros, one damaged line
  kHeldLog = 2048,  // wake.log holds a line, and another program holds it open for reading only
  kSets = kExits | kBatch,
};
struct Box {
  std::wstring text;
  int button;
};
struct Typed {  // typed into the window before Set; nullptr leaves a box as it is
  int year;
  const wchar_t *hour, *minute, *user, *password;
};
struct Row {
  const char* name;
  int routes;
  std::string settings = {};  // setting.ini before the run ("" for none)
  std::wstring arguments = {};
  std::vector<Box> boxes = {};  // in order, each answered
  int how = kStays;
  std::wstring jtCall = {};     // when set, a recorder is jt.exe and its second call starts so
  std::wstring userShown = {};  // txtUser after start-up, when not empty
  std::optional<Typed> typed = {};
  std::string settingsAfter = {};  // exact bytes after a Set, when not empty
  const wchar_t* laptop = nullptr;  // a battery, and the plan's wake timer values "ac,dc"
  std::wstring logged = {};         // what wake.log's last line holds, when not empty
  std::vector<int> menu = {};       // after-wake menu items clicked before Set
  std::wstring wakeMode = {};       // what the job or task starts Reveilo with, when it runs the wake mode
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }  // for failure messages

const int kYear = LocalNow().year + 1;
const std::wstring kDate = std::to_wstring(kYear) + L"/01/05";
const std::wstring kWakeDate = L"StartDate=1/5/" + std::to_wstring(kYear);
const std::string kPlain = "[UserInfo]\r\nUser=taro\r\nPass=\r\n[StartTime]\r\nHour=07\r\nMin=05\r\n";
// 表 and ソ end in byte 0x5C, the backslash.
const std::string kStored = "[UserInfo]\r\nUser=" + ToAnsi(L"表ソ") + "\r\nPass=" +
                            ToAnsi(ConvertPassword(L"SET", L"pw&1").value()) + "\r\n[StartTime]\r\nHour=7\r\nMin=5\r\n";
const std::string kTypedStored = "[UserInfo]\r\nUser=" + ToAnsi(L"太郎") + "\r\nPass=" +
                                 ToAnsi(ConvertPassword(L"SET", L"pw").value()) + "\r\n[StartTime]\r\nHour=" +
                                 ToAnsi(L"０７") + "\r\nMin=" + ToAnsi(L"５") + "\r\n";
const CivilDateTime kNow = LocalNow();  // its minute has begun by the time a row runs
const std::wstring kThisMinute = Padded(kNow.year, 4) + L"/" + Padded(kNow.month, 2) + L"/" + Padded(kNow.day, 2) +
                                 L" " + Padded(kNow.hour, 2) + L":" + Padded(kNow.minute, 2);
const std::string kUser = "[UserInfo]\r\nUser=";
const std::string kKeptUp = "[AfterWake]\r\nMinutes=30\r\nRehibernate=1\r\n";
const std::wstring kSwitches = L"/awake:30 /rehibernate", kWakeMode = L"/wake " + kSwitches;
const Box kBad{kMsgBadCommandLine, IDOK}, kDone{kMsgDone, IDOK},
    kPast{kMsgPastTime, IDOK}, kUnstorable{kMsgPasswordNotStorable, IDOK},
    kUnwritable{kMsgFolderNotWritable + (L"\n\n" + ProgramFolder() + L"\n\n") + kMsgMoveFolder, IDOK};
Box WakeTimersOff(const std::wstring& values) {
  return {kMsgWakeTimersOff + (L"\n\n" + values + L"\n\n") + kMsgWakeTimersRemedy, IDNO};
}
// "yyyy/mm/dd" of the last Sunday of a month next year: Europe's daylight saving changes at 02:00 then.
std::wstring LastSunday(int month) {
  SYSTEMTIME st{static_cast<WORD>(kYear), static_cast<WORD>(month), 0, 31, 0, 0, 0, 0};
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft), FileTimeToSystemTime(&ft, &st);  // fills in the weekday
  return std::to_wstring(kYear) + L"/" + Padded(month, 2) + L"/" + Padded(31 - st.wDayOfWeek, 2);
}
Box Failed(const wchar_t* reason) { return {kMsgScheduleFailed + (L"\n" + std::wstring(reason)), IDOK}; }
Box Missing(const wchar_t* file) {
  return {kMsgShippedFileMissing + (file + (kMsgShippedFileMissingRest + (L"\n\n" + std::wstring(kMsgUnzipWholeFolder)))), IDOK};
}

std::vector<Row> Rows() {
  const std::wstring d = kDate;
  const Typed kAsStored{kYear, nullptr, nullptr, nullptr, nullptr};  // Set pressed on what start-up put in place
  return {
      // Command lines that are not taken apart: restore mode, or the format warning.
      {.name = "one_token", .routes = kXp, .settings = kPlain, .arguments = d, .boxes = {kBad}, .userShown = L"taro"},
      {.name = "a_date_the_picker_cannot_hold", .routes = kXp, .settings = kPlain, .arguments = L"1700/01/05 23:59 taro pw1", .boxes = {kBad}},
      // Taken apart, then refused by the Set command or by jt.exe.
      {.name = "past_time", .routes = kBoth, .settings = kPlain, .arguments = L"2001/01/05 07:05 u p", .boxes = {kPast}},
      {.name = "the_current_minute", .routes = kBoth, .settings = kPlain, .arguments = kThisMinute + L" u p", .boxes = {kPast}},
      {.name = "letters_for_the_hour", .routes = kBoth, .settings = kPlain, .arguments = d + L" ab:05 u p", .boxes = {Failed(kReasonUnreadableTime)}},
      {.name = "Japanese_password", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 u パス", .boxes = {kUnstorable}},
      {.name = "folder_not_writable", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p", .boxes = {kUnwritable},
       .how = kBlockedStartup},
      {.name = "jt_exe_not_unzipped", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 u S3cr3t-9x", .boxes = {Missing(L"jt.exe")},
       .how = kNoJt},
      {.name = "jt_exe_refuses", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 u S3cr3t-9x", .boxes = {Failed(kReasonJtSaveFailed)},
       .how = kBatch | kJtRefuses, .jtCall = L"/sc u S3cr3t-9x /ctj "},
      {.name = "component_not_unzipped", .routes = kVista, .settings = kPlain, .arguments = d + L" 07:05 u p",
       .boxes = {Missing(L"ReveiloTask.dll")}, .how = kNoComponent},
      // Hostile but valid: the Set goes through with the texts intact.
      {.name = "Japanese_user", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 山田 p", .how = kSets},
      {.name = "cmd_metacharacters_in_the_user", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 a&b|c>d p", .how = kSets,
       .jtCall = L"/sc a&b|c>d p /ctj " + kWakeDate},
      {.name = "cmd_metacharacters_in_the_password", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p&q>r^s%PATH%(t)",
       .how = kSets},
      {.name = "blanks_around_and_a_quoted_user", .routes = kXp, .arguments = L"  " + d + L" 7:05 \"taro\" pw  ", .how = kSets,
       .jtCall = L"/sc \"taro\" pw /ctj " + kWakeDate + L" StartTime=7:05 "},
      {.name = "x_hibernates_and_Cancel_stops_it", .routes = kXp, .arguments = d + L" 07:05 taro pw x", .how = kCancels | kBatch},
      {.name = "bangs_in_the_password", .routes = kXp, .arguments = d + L" 07:05 u p!PATH!q", .how = kSets, .jtCall = L"/sc u p!PATH!q /ctj "},
      // Kept up after the wake: the job or task runs Reveilo's wake mode; the choice survives a restart.
      {.name = "kept_up_after_the_wake", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 taro pw " + kSwitches, .how = kSets, .wakeMode = kWakeMode},
      {.name = "kept_up_chosen_in_the_menu", .routes = kBoth, .settings = kStored, .boxes = {kDone}, .how = kSets, .typed = kAsStored,
       .menu = {IDM_AWAKE_FIRST_LENGTH + 2, IDM_REHIBERNATE}, .wakeMode = kWakeMode},
      {.name = "kept_up_restored_at_the_next_start", .routes = kBoth, .settings = kStored + kKeptUp, .boxes = {kDone}, .how = kSets, .typed = Typed{kYear, L"07", L"05", nullptr, nullptr},
       .wakeMode = kWakeMode},
      {.name = "a_switch_mistyped", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 taro pw /awak:30", .boxes = {kBad}},
      // Through the window.
      // Typed with the IME on: full-width digits.
      {.name = "set_through_the_window", .routes = kBoth, .boxes = {kDone}, .how = kSets, .typed = Typed{kYear, L"０７", L"５", L"太郎", L"pw"},
       .settingsAfter = kTypedStored},
      {.name = "blanks_around_the_hour_and_in_the_account_reach_jt", .routes = kXp, .settings = kStored, .boxes = {kDone}, .how = kSets,
       .jtCall = L"/sc \"Taro Yamada\" \"p q\" /ctj " + kWakeDate + L" StartTime=7:05 Disabled",
       .typed = Typed{kYear, L" 7 ", L"05", L"Taro Yamada", L"p q"}},
      {.name = "an_account_with_blanks_through_jt", .routes = kXp, .settings = kPlain, .boxes = {kDone}, .how = kSets,
       .typed = Typed{kYear, L"07", L"05", L"Taro Yamada", L"ab cd"}},
      {.name = "Yes_to_an_empty_password", .routes = kXp, .settings = kStored, .boxes = {{kMsgEmptyPassword, IDYES}, kDone},
       .how = kSets | kLoggedOn, .typed = Typed{kYear, nullptr, nullptr, nullptr, L""}},
      {.name = "set_with_the_stored_account", .routes = kXp, .settings = kStored, .boxes = {kDone}, .how = kSets,
       .jtCall = L"/sc 表ソ pw&1 /ctj " + kWakeDate + L" StartTime=7:5 ", .userShown = L"表ソ", .typed = kAsStored, .settingsAfter = kStored},
      {.name = "past_date_and_a_blank_after_the_minute", .routes = kBoth, .settings = kStored, .boxes = {kPast},
       .typed = Typed{kYear - 2, nullptr, L"05 ", nullptr, L"pw"}},
      {.name = "unstorable_password_in_the_window", .routes = kXp, .settings = kStored, .boxes = {kUnstorable},
       .typed = Typed{kYear, nullptr, nullptr, nullptr, L"パス"}},
      {.name = "No_to_an_empty_password", .routes = kXp, .settings = kStored, .boxes = {{kMsgEmptyPassword, IDNO}},
       .typed = Typed{kYear, nullptr, nullptr, nullptr, L""}},
      // setting.ini as nobody wrote it, or as nobody may write it. A value is
      // cut at 1023 bytes, and then only whole characters come back.
      {.name = "lead_byte_at_the_cut", .routes = kXp, .settings = kUser + std::string(1022, 'b') + ToAnsi(L"山田") + "\r\n",
       .userShown = std::wstring(1022, L'b')},
      {.name = "binary_garbage", .routes = kXp, .settings = std::string("\0\x01\x02[\xff]\r\n=\r\n[[[\r\n", 14)},
      // The job does not need setting.ini: held open by another program, it stays as it was.
      {.name = "setting_ini_held_open_by_another_program", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p",
       .how = kSets | kHeldIni},
      {.name = "an_empty_user_name", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05  p", .boxes = {{kMsgUserNameEmpty, IDOK}}},
      // A laptop: the value in force when it goes to sleep counts, on mains or on battery.
      {.name = "a_laptop_whose_mains_value_is_off", .routes = kXp, .settings = kStored, .boxes = {WakeTimersOff(L"電源に接続: 無効")},
       .typed = kAsStored, .laptop = L"0,1"},
      {.name = "a_laptop_whose_battery_value_is_important_only", .routes = kXp, .settings = kStored,
       .boxes = {WakeTimersOff(L"バッテリ駆動: 重要なスリープ解除タイマーのみ")}, .typed = kAsStored, .laptop = L"1,2"},
      // The record: what else will wake the machine first, and a hibernation Wine's stub returns from at once.
      {.name = "another_wake_job_due_earlier_is_recorded", .routes = kXp, .settings = kPlain, .arguments = d + L" 07:05 u p", .how = kSets | kBackup,
       .logged = L"Backup " + std::to_wstring(kYear) + L"/01/04 03:00"},
      {.name = "a_hibernation_that_returns_at_once_is_recorded", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p x", .how = kSets,
       .logged = kLogCameBackSoonBefore},
      // A log of any size costs the Set nothing; one held open elsewhere (no delete sharing) is left as it was.
      {.name = "a_300_MB_log", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p", .how = kSets | kHugeLog, .logged = kLogSet},
      {.name = "a_log_held_open", .routes = kBoth, .settings = kPlain, .arguments = d + L" 07:05 u p", .how = kSets | kHeldLog},
      // Paris: 02:30 does not come on the day the clocks go forward, and comes twice when they go back.
      {.name = "daylight_saving_gap", .routes = kParis, .settings = kPlain, .arguments = LastSunday(3) + L" 02:30 u p",
       .boxes = {{kMsgTimeDoesNotExist, IDOK}}},
      {.name = "daylight_saving_overlap", .routes = kParis, .settings = kPlain, .arguments = LastSunday(10) + L" 02:30 u p",
       .boxes = {{kMsgTimeComesTwice, IDOK}}},
  };
}

bool Vista() { return EnvText(L"REVEILO_ROUTE") == L"vista"; }

std::vector<Row> RowsOfThisRoute() {
  std::vector<Row> rows;
  const int route = !EnvText(L"REVEILO_PARIS").empty() ? kParis : Vista() ? kVista : kXp;
  for (Row& row : Rows())
    if (row.routes & route) rows.push_back(row);
  return rows;
}

const std::wstring kSettings = ProgramPath(L"\\setting.ini"), kComponent = ProgramPath(L"\\ReveiloTask.dll");
const wchar_t* const kStrays[] = {L"\\d", L"\\r", L"\\q", L"\\z"};  // what a command typed in would make

// Task Scheduler 1.0's job, read from the .job file by its documented layout,
// as "application trigger-count type year month day hour minute flags".
std::wstring JobOnDisk(const wchar_t* job_name) {
  const std::string job = FileBytes(TasksFolder(GetWindowsDirectoryW) + job_name + L".job");
  const auto at = [&](unsigned i) -> unsigned {  // a little-endian WORD
    return i + 1 < job.size() ? uint8_t(job[i]) | uint8_t(job[i + 1]) << 8 : 0;
  };
  if (job.size() < 68) return L"";
  std::wstring text, parameters;  // each a count of characters with its NUL, then the characters
  for (unsigned i = 1, name = at(20); i < at(name); ++i) text += static_cast<wchar_t>(at(name + 2 * i));
  for (unsigned i = 1, p = at(20) + 2 + 2 * at(at(20)); i < at(p); ++i) parameters += static_cast<wchar_t>(at(p + 2 * i));
  if (!parameters.empty()) text += L" " + parameters + L" " + std::to_wstring(at(36) | at(38) << 16);  // and the run limit
  for (const unsigned field : {0u, 34u, 6u, 8u, 10u, 18u, 20u}) text += L" " + std::to_wstring(at(at(22) + field));
  return text + L" " +
         std::to_wstring(at(48) & (TASK_FLAG_SYSTEM_REQUIRED | TASK_FLAG_DELETE_WHEN_DONE | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON));
}

// The window as NAME.bmp in REVEILO_ARTIFACT_DIR, when that is set, and the file as written.
std::string SaveScreenshot(HWND hwnd, const wchar_t* name) {
  const std::wstring folder = EnvText(L"REVEILO_ARTIFACT_DIR");
  RECT r;
  if (folder.empty() || !GetWindowRect(hwnd, &r)) return "";
  CreateDirectoryW(folder.c_str(), nullptr);
  const LONG width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFOHEADER info{sizeof info, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down rows
  std::string bits(static_cast<std::size_t>(width * height * 4), '\0');
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  GetDIBits(memory, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
  for (std::size_t i = 3; i < bits.size(); i += 4) bits[i] = '\xff';  // GDI leaves its text at alpha 0
  const DWORD header = sizeof(BITMAPFILEHEADER) + sizeof info;
  const BITMAPFILEHEADER file{0x4D42, header + static_cast<DWORD>(bits.size()), 0, 0, header};
  const std::wstring path = folder + L"\\" + name + L".bmp";
  WriteFileBytes(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                           std::string(reinterpret_cast<const char*>(&info), sizeof info) + bits);
  return FileBytes(path);
}

class Scenario : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"\\setting.ini", L"\\jt_calls.txt", L"\\AddTask.bat", L"\\Startup.bat", L"\\wake.log"})
      DeleteFileW(ProgramPath(name).c_str());
    for (const wchar_t* stray : kStrays) DeleteFileW(ProgramPath(stray).c_str());
    RemoveDirectoryW(ProgramPath(L"\\Startup.bat").c_str());
    for (const std::wstring& job : {TasksFolder(GetWindowsDirectoryW) + L"Resume.job", TasksFolder(GetWindowsDirectoryW) + L"Backup.job", TasksFolder(GetSystemDirectoryW) + L"ResumeRV"})
      for (int tries = 0; !DeleteFileW(job.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && tries < 40; ++tries) Sleep(50);  // held a moment by the last run
  }
  void TearDown() override {
    MoveFileW((kComponent + L".away").c_str(), kComponent.c_str());
    if (FileExists(kSystemPowrProf + L".wine")) {
      DeleteFileW(kSystemPowrProf.c_str());
      MoveFileW((kSystemPowrProf + L".wine").c_str(), kSystemPowrProf.c_str());
    }
  }
  const std::wstring kSystemPowrProf = SystemFile(L"powrprof.dll");
};
}  // namespace

TEST_P(Scenario, EndsAsTheUserMustSee) {
  const Row& row = GetParam();
  if (!EnvText(L"REVEILO_EXPECT_OEM").empty()) { ASSERT_EQ(GetOEMCP(), _wtoi(EnvText(L"REVEILO_EXPECT_OEM").c_str())); }
  const bool vista = Vista(), made = row.how & (kExits | kCancels);
  // Which program answers as jt.exe: the real one (kept aside as jt_real.exe), a recorder, or none.
  const std::wstring jt = ProgramPath(L"\\jt.exe"), real = ProgramPath(L"\\jt_real.exe");
  CopyFileW(jt.c_str(), real.c_str(), TRUE);
  DeleteFileW(jt.c_str());
  if (!(row.how & kNoJt))
    CopyFileW((row.jtCall.empty() ? real : ProgramPath(L"\\jt_recorder.exe")).c_str(), jt.c_str(), FALSE);
  SetEnvironmentVariableW(L"REVEILO_JT_EXIT", row.how & kJtRefuses ? L"1" : nullptr);
  if (!row.settings.empty()) WriteFileBytes(kSettings, row.settings);
  ASSERT_TRUE(!(row.how & kBlockedStartup) || CreateDirectoryW(ProgramPath(L"\\Startup.bat").c_str(), nullptr));
  ASSERT_TRUE(!(row.how & kNoComponent) || MoveFileW(kComponent.c_str(), (kComponent + L".away").c_str()));
  const std::string before = FileBytes(kSettings);
  if (row.laptop) {  // Reveilo loads the system's powrprof.dll by its full path
    ASSERT_TRUE(MoveFileW(kSystemPowrProf.c_str(), (kSystemPowrProf + L".wine").c_str()));
    ASSERT_TRUE(CopyFileW(ProgramPath(L"\\fake_powrprof.dll").c_str(), kSystemPowrProf.c_str(), FALSE));
  }
  SetEnvironmentVariableW(L"REVEILO_FAKE_WAKE_TIMERS", row.laptop);
  if (row.how & kBackup) {
    ReveiloProcess backup(L"/ctj StartDate=1/4/" + std::to_wstring(kYear) +
                              L" StartTime=3:00 /sj SystemRequired=1 /saj Backup.job", L"\\jt_real.exe");
    ASSERT_TRUE(backup.Exited(30000));
  }
  const std::wstring logPath = ProgramPath(L"\\wake.log");
  const std::string oldLog = "2026/01/04 03:00:00 old\r\n";
  if (row.how & kHeldLog) WriteFileBytes(logPath, oldLog);
  if (row.how & kHugeLog) {
    HANDLE huge = CreateFileW(logPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const LARGE_INTEGER size{{300u << 20, 0}};  // 300 MB of zeros, one line
    ASSERT_TRUE(SetFilePointerEx(huge, size, nullptr, FILE_BEGIN) && SetEndOfFile(huge) && CloseHandle(huge));
  }
  const wchar_t* heldFile = row.how & kHeldIni ? kSettings.c_str() : row.how & kHeldLog ? logPath.c_str() : nullptr;
  HANDLE held = heldFile ? CreateFileW(heldFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                         : INVALID_HANDLE_VALUE;
  ASSERT_EQ(held != INVALID_HANDLE_VALUE, heldFile != nullptr);

  ReveiloProcess reveilo(row.arguments);
  ASSERT_TRUE(reveilo.Started());
  if (!row.userShown.empty()) { EXPECT_EQ(reveilo.Text(IDC_TXTUSER), row.userShown); }
  if (const auto& t = row.typed) {
    EXPECT_EQ(IsWindowEnabled(reveilo.Control(IDC_TXTPASSWORD)) != FALSE, !vista) << "for the batch route only";
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(t->year), date.wMonth = 1, date.wDay = 5;
    reveilo.Picker(DTM_SETSYSTEMTIME, date);
    for (const int item : row.menu) PostMessageW(reveilo.MainWindow(), WM_COMMAND, static_cast<WPARAM>(item), 0);
    const std::pair<int, const wchar_t*> texts[] = {
        {IDC_COMBOHH, t->hour}, {IDC_COMBOMM, t->minute}, {IDC_TXTUSER, t->user}, {IDC_TXTPASSWORD, t->password}};
    for (const auto& [id, text] : texts)
      if (text) reveilo.SetText(id, text);
    reveilo.Click(IDC_COMMAND1);
  }
  for (const Box& box : row.boxes) {
    HWND window = reveilo.MessageBoxWindow(30000);
    ASSERT_NE(window, nullptr) << "expected: " << ToAnsi(box.text);
    EXPECT_EQ(MessageBoxText(window), box.text);
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(box.button), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 5000));
  }
  if (row.how & kCancels) {
    HWND dialog = reveilo.Window(L"ReveiloSuspend", 15000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(reveilo.Checked(IDC_CHKSUSPEND));
    SaveScreenshot(dialog, L"countdown");
    PostMessageW(GetDlgItem(dialog, IDC_SUSPEND_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  }
  if (!(row.how & kExits)) {
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    EXPECT_EQ(reveilo.MessageBoxWindow(300), nullptr) << "no other message";
    EXPECT_FALSE(reveilo.Exited(300)) << "the window must stay open";
    PostMessageW(reveilo.MainWindow(), WM_CLOSE, 0, 0);
  }
  DWORD code = 99;
  ASSERT_TRUE(reveilo.Exited(60000, &code)) << "a loaded machine may take its time; a box may not";
  EXPECT_EQ(code, row.how & kExits ? 0u : 1u);
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

  // setting.ini changes exactly when a job was made, and could be written.
  const std::string after = FileBytes(kSettings);
  if (!made || (row.how & kHeldIni)) {
    EXPECT_EQ(after, before) << "setting.ini changed without a successful Set";
  } else if (!row.settingsAfter.empty()) {  // the component's route has no use for a password, and keeps none
    EXPECT_EQ(after, vista ? std::regex_replace(row.settingsAfter, std::regex("Pass=[^\r]*\r\n"), "") : row.settingsAfter);
  } else {
    EXPECT_NE(after, before) << "a successful Set stores the settings";
  }
  if (vista) {  // a task exactly when the run says one was made
    const std::wstring task = StoredTaskText(L"ResumeRV");
    EXPECT_EQ(task.find(L"<Author>Reveilo</Author>") != std::wstring::npos, made) << "wake task";
    EXPECT_EQ(task.find(L"<WakeToRun>true</WakeToRun>") != std::wstring::npos, made);
    // Without the choice, the scheduler's own run limit, as always; with it, past the minutes chosen. (Wine's
    // store keeps no Exec command or arguments: the action is the native rows' and the schema test's.)
    EXPECT_EQ(task.find(L"<ExecutionTimeLimit>PT40M</ExecutionTimeLimit>") != std::wstring::npos, made && !row.wakeMode.empty());
  }
  if (!row.wakeMode.empty()) { EXPECT_NE(after.find(kKeptUp), std::string::npos) << "the choice is kept for the next start"; }
  if (!vista && row.jtCall.empty()) {
    std::wstring startup = ProgramPath(L"\\Startup.bat");  // a drive root's doubled separator is stored single
    if (startup.find(L":\\\\") == 1) startup.erase(2, 1);
    wchar_t shortForm[MAX_PATH] = {};  // a folder the code page cannot write goes by its short form
    if (!ToOemExact(startup) && GetShortPathNameW(startup.c_str(), shortForm, MAX_PATH)) startup = shortForm;
    const std::wstring flags = std::to_wstring(TASK_FLAG_SYSTEM_REQUIRED | TASK_FLAG_DELETE_WHEN_DONE |
                                               (row.how & kLoggedOn ? TASK_FLAG_RUN_ONLY_IF_LOGGED_ON : 0));
    std::wstring program = startup;  // Reveilo itself, beside it, with its words and a run limit 10 minutes past the 30
    if (!row.wakeMode.empty()) program = startup.substr(0, startup.rfind(L'\\')) + L"\\Reveilo.exe " + row.wakeMode + L" 2400000";
    EXPECT_EQ(JobOnDisk(L"Resume"), made ? program + L" 1 " + std::to_wstring(TASK_TIME_TRIGGER_ONCE) + L" " +
                                               std::to_wstring(kYear) + L" 1 5 7 5 " + flags
                                         : L"");
  }
  if (!row.jtCall.empty()) {  // the batch's two calls, the second as far as the row states it
    const std::wstring calls = FileText16(ProgramPath(L"\\jt_calls.txt"));
    EXPECT_EQ(calls.rfind(L"/sd Resume.job\n" + row.jtCall, 0), 0u) << ToAnsi(calls);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L'\n'), 2);
  }
  const DWORD batch = GetFileAttributesW(ProgramPath(L"\\AddTask.bat").c_str());
  EXPECT_EQ(batch != INVALID_FILE_ATTRIBUTES && !(batch & FILE_ATTRIBUTE_DIRECTORY), (row.how & kBatch) && !vista);
  EXPECT_EQ(FileBytes(ProgramPath(L"\\AddTask.bat")).find("S3cr3t"), std::string::npos);
  if (made) { EXPECT_EQ(FileBytes(ProgramPath(L"\\Startup.bat")), ""); }
  // wake.log: a line for each Set that made a job, in the ANSI code page with CR LF.
  const std::string log = FileBytes(ProgramPath(L"\\wake.log"));
  EXPECT_EQ(log.find(ToAnsi(kLogSet)) != std::string::npos, made && !(row.how & kHeldLog)) << log;
  if (!log.empty()) { EXPECT_EQ(log.substr(log.size() - 2), "\r\n"); }
  EXPECT_NE(log.find(ToAnsi(row.logged)), std::string::npos) << log;
  if (row.how & kHugeLog) { EXPECT_EQ(log.find('\n'), log.size() - 1) << "only the Set line"; }
  if (row.how & kHeldLog) { EXPECT_EQ(log, oldLog) << "the log as it was"; }
  for (const wchar_t* stray : kStrays) { EXPECT_FALSE(FileExists(ProgramPath(stray))) << "something typed ran"; }
}

INSTANTIATE_TEST_SUITE_P(Rows, Scenario, ::testing::ValuesIn(RowsOfThisRoute()),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// jt.exe asks the scheduler for the job it saved: one whose minute has begun, which the scheduler will
// never run, is deleted again with a status of its own; one ahead stays.
TEST(JtExe, KeepsOnlyAJobTheSchedulerWillRun) {
  const std::wstring job = TasksFolder(GetWindowsDirectoryW) + L"Resume.job", now = Padded(kNow.month, 0) + L"/" +
      Padded(kNow.day, 0) + L"/" + Padded(kNow.year, 4) + L" StartTime=" + Padded(kNow.hour, 0) + L":" + Padded(kNow.minute, 2);
  for (const auto& [when, status] : {std::pair{now, DWORD(JtExitCode(JtStatus::NeverRuns))},
                                     {L"1/5/" + std::to_wstring(kYear) + L" StartTime=7:05", DWORD(JtExitCode(JtStatus::Ok))}}) {
    DeleteFileW(job.c_str());
    ReveiloProcess run(L"/ctj StartDate=" + when + L" /sj SystemRequired=1 DeleteWhenDone=1 /saj Resume.job",
                       FileExists(ProgramPath(L"\\jt_real.exe")) ? L"\\jt_real.exe" : L"\\jt.exe");
    DWORD code = 99;
    ASSERT_TRUE(run.Exited(30000, &code));
    EXPECT_EQ(std::make_pair(code, FileExists(job)), std::make_pair(status, status == 0)) << ToAnsi(when);
  }
}

// The wake mode as the job starts it: no window, its first line in wake.log, and still holding 8 s later.
TEST(WakeMode, RunsAsTheJobStartsIt) {
  DeleteFileW(ProgramPath(L"\\wake.log").c_str());
  ReveiloProcess wake(L"/wake /awake:1");
  ASSERT_TRUE(wake.Started());
  Sleep(8000);
  EXPECT_FALSE(wake.Exited(0)) << "still holding";
  EXPECT_EQ(wake.Window(L"ReveiloForm1", 0), nullptr);
  const std::string log = FileBytes(ProgramPath(L"\\wake.log"));
  EXPECT_NE(log.find(ToAnsi(kLogAfterWake + std::wstring(kLogWakeModeStarted) + L"1 分間")), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

// The window as it opens on a first start: captions, lists, geometry, focus
// and tab order, the clock, and what restore mode puts in place.
TEST(Window, FirstStart) {
  DeleteFileW(kSettings.c_str());
  ReveiloProcess reveilo(L"");
  HWND main = reveilo.MainWindow();
  ASSERT_NE(main, nullptr);
  const std::pair<int, const wchar_t*> captions[] = {
      {IDC_FRAME1, L"復帰時刻の設定"}, {IDC_LABEL3, L"時"}, {IDC_LABEL4, L"分"}, {IDC_FRAME2, L"ユーザー情報"},
      {IDC_LABEL1, L"ユーザー名"}, {IDC_LABEL2, L"パスワード"}, {IDC_CHKSUSPEND, L"今すぐ休止状態にする"},
      {IDC_COMMAND1, L"セットする"}, {IDC_COMBOHH, L"12"}, {IDC_COMBOMM, L"00"}, {IDC_TXTPASSWORD, L""}};
  for (const auto& [id, text] : captions) { EXPECT_EQ(reveilo.Text(id), text) << id; }
  for (const auto& [id, count] : {std::pair{IDC_COMBOHH, 24}, std::pair{IDC_COMBOMM, 60}}) {  // "00" to "23", to "59"
    ASSERT_EQ(SendMessageW(reveilo.Control(id), CB_GETCOUNT, 0, 0), count);
    for (int i = 0; i < count; ++i) {
      wchar_t item[8] = {};
      SendMessageW(reveilo.Control(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      EXPECT_EQ(std::wstring(item), std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i));
    }
  }
  EXPECT_FALSE(reveilo.Checked(IDC_CHKSUSPEND));
  EXPECT_EQ(SendMessageW(reveilo.Control(IDC_TXTPASSWORD), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
            WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongW(reveilo.Control(IDC_COMMAND1), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // Restore mode with no setting.ini: today, the Windows user, 12:00, and no file made.
  const CivilDateTime today = LocalNow();
  const SYSTEMTIME shown = reveilo.Picker(DTM_GETSYSTEMTIME);
  EXPECT_EQ(std::vector<int>({shown.wYear, shown.wMonth, shown.wDay}),
            std::vector<int>({today.year, today.month, today.day}));
  wchar_t name[257] = {};
  DWORD size = 257;
  GetUserNameW(name, &size);
  EXPECT_EQ(reveilo.Text(IDC_TXTUSER), name);
  EXPECT_FALSE(FileExists(kSettings)) << "reading must not create the file";

  // 2775 x 3495 twips at the screen's DPI (the bench may set another than 96).
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  if (!EnvText(L"REVEILO_EXPECT_DPI").empty()) { EXPECT_EQ(dpi, _wtoi(EnvText(L"REVEILO_EXPECT_DPI").c_str())); }
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(std::make_pair(client.right, client.bottom),
            std::make_pair(LONG{MulDiv(2775, dpi, 1440)}, LONG{MulDiv(3495, dpi, 1440)}));

  // The focus starts on Set, and Tab walks the inputs in order and back.
  ASSERT_TRUE(WaitUntil([&] { return reveilo.Focus() == reveilo.Control(IDC_COMMAND1); }, 5000));
  const int order[] = {IDC_COMMAND1, IDC_DTPICKER1, IDC_COMBOHH, IDC_COMBOMM, IDC_TXTUSER,
                       IDC_TXTPASSWORD, IDC_CHKSUSPEND, IDC_COMMAND1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(GetNextDlgTabItem(main, reveilo.Control(order[i]), FALSE), reveilo.Control(order[i + 1])) << order[i];
  }

  ASSERT_TRUE(WaitUntil([&] { return !reveilo.Text(IDC_STATUSBAR1).empty(); }, 3000));
  const std::wregex clock(L"\\d{4}-\\d\\d-\\d\\d \\([日月火水木金土]\\) \\d\\d:\\d\\d:\\d\\d");
  EXPECT_TRUE(std::regex_match(reveilo.Text(IDC_STATUSBAR1), clock)) << ToAnsi(reveilo.Text(IDC_STATUSBAR1));
  // Every caption and entry holds a line of the system's message font, which the bench makes as
  // tall as Vista-and-later Japanese UI fonts; each label's caption, read from the screenshot as a
  // viewer shows it (alpha 0 transparent), holds drawn text.
  NONCLIENTMETRICSW system{};
  system.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, system.cbSize, &system, 0);
  TEXTMETRICW line{};
  HGDIOBJ old = SelectObject(screen, CreateFontIndirectW(&system.lfMessageFont));
  GetTextMetricsW(screen, &line);
  DeleteObject(SelectObject(screen, old));
  ReleaseDC(nullptr, screen);
  EXPECT_GT(line.tmHeight, MulDiv(270 - 60, dpi, 1440)) << "the bench's font would not fit the boxes as drawn";
  RECT r, window;
  SetForegroundWindow(main);
  Sleep(300);
  const std::string shot = SaveScreenshot(main, dpi == 96 ? L"main_window" : L"main_window_144dpi");
  GetWindowRect(main, &window);
  ASSERT_EQ(shot.size(), 54u + 4u * (window.right - window.left) * (window.bottom - window.top));
  for (const int id : {IDC_LABEL1, IDC_LABEL2, IDC_LABEL3, IDC_LABEL4, IDC_DTPICKER1, IDC_COMBOHH, IDC_COMBOMM,
                       IDC_TXTUSER, IDC_TXTPASSWORD, IDC_CHKSUSPEND, IDC_COMMAND1, IDC_STATUSBAR1}) {
    const bool label = id == IDC_LABEL1 || id == IDC_LABEL2 || id == IDC_LABEL3 || id == IDC_LABEL4;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);  // dark under a High Contrast scheme
    GetClientRect(reveilo.Control(id), &r);
    EXPECT_GE(r.bottom, line.tmHeight) << id;
    GetWindowRect(reveilo.Control(id), &r);
    bool drawn = false;
    for (LONG y = r.top; y < r.bottom && label; ++y) {
      for (LONG x = r.left; x < r.right; ++x) {
        const char* p = &shot[54 + 4 * ((y - window.top) * (window.right - window.left) + x - window.left)];
        drawn |= p[3] != 0 && std::abs(uint8_t(p[0]) + uint8_t(p[1]) + uint8_t(p[2]) - GetRValue(face) -
                                       GetGValue(face) - GetBValue(face)) > 3 * 96;
      }
    }
    EXPECT_EQ(drawn, label) << "a caption in the screenshot: " << id;
  }

  // Enter and Esc in the inputs and the help menu (no manual here) never press Set.
  DeleteFileW(ProgramPath(L"\\manual.txt").c_str());
  for (int id : {IDC_TXTUSER, IDC_TXTPASSWORD, IDC_COMBOHH, IDC_DTPICKER1}) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      PostMessageW(reveilo.Control(id), WM_KEYDOWN, key, 0);
      PostMessageW(reveilo.Control(id), WM_KEYUP, key, 0xC0000000);
    }
  }
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_HELP, 0), 0);
  EXPECT_EQ(reveilo.MessageBoxWindow(1500), nullptr);
  EXPECT_FALSE(reveilo.Exited(0));
  EXPECT_FALSE(FileExists(kSettings));
}
