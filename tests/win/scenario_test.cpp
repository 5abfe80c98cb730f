// Reveilo.exe end to end under Wine, started and driven as a person would.
// Each row is one run: setting.ini before, the command line or what is typed
// into the window, the message boxes expected and the answers given, and how
// the run must end; the runner then checks the exit status, setting.ini, the
// job the Task Scheduler holds, what reached jt.exe, and that nothing typed
// ran as a command. REVEILO_ROUTE (winxp or vista) picks the rows.
#include <gtest/gtest.h>

#include <optional>

#include "driver.h"
#include "platform/ansi_text.h"
#include "platform/local_time.h"
#include "res/resource.h"
#include "res/strings.h"
#include "settings/password.h"

namespace {
enum Route { kXp = 1, kVista = 2, kBoth = 3 };
enum class Ending { Exits, StaysOpen, CancelsCountdown };
enum class Prep { None, BlockBatch, ReadOnlySettings, NoComponent, JtRefuses };
struct Box {
  const wchar_t* text;
  int button;
};
struct Typed {  // typed into the window before Set; nullptr leaves a box as it is
  int year;
  const wchar_t *hour, *minute, *user, *password;
};
struct Row {
  const char* name;
  int routes;
  std::string settings;         // setting.ini before the run ("" for none)
  std::wstring arguments;
  std::optional<Typed> typed;
  std::vector<Box> boxes;       // in order, each answered
  Ending ending;
  bool batch = false;           // "AddTask.bat" written (refusals by jt.exe)
  Jt jt = Jt::Real;
  std::wstring jtCall = {};     // with the recorder: the start of its second call
  Prep prep = Prep::None;
  std::wstring userShown = {};  // txtUser after start-up, when not empty
  std::string settingsAfter = {};  // exact bytes after a Set, when not empty
};

const int kYear = LocalNow().year + 1;
const std::wstring kDate = std::to_wstring(kYear) + L"/01/05";
const std::wstring kWakeDate = L"StartDate=1/5/" + std::to_wstring(kYear);
const std::string kPlain = "[UserInfo]\r\nUser=taro\r\nPass=\r\n[StartTime]\r\nHour=07\r\nMin=05\r\n";
const std::string kStored = "[UserInfo]\r\nUser=" + ToAnsi(L"花子") + "\r\nPass=" +
                            ToAnsi(ConvertPassword(L"SET", L"pw&1").value()) + "\r\n[StartTime]\r\nHour=7\r\nMin=5\r\n";
const std::string kTypedStored = "[UserInfo]\r\nUser=" + ToAnsi(L"太郎") + "\r\nPass=" +
                                 ToAnsi(ConvertPassword(L"SET", L"pw").value()) + "\r\n[StartTime]\r\nHour=07\r\nMin=5\r\n";
const Box kBad{kMsgBadCommandLine, IDOK}, kFailed{kMsgScheduleFailed, IDOK}, kDone{kMsgDone, IDOK};
constexpr auto kOpen = Ending::StaysOpen;

std::vector<Row> Rows() {
  const std::wstring d = kDate;
  return {
      // Command lines that are not taken apart: restore mode, or the format warning.
      {"empty", kXp, kPlain, L"", {}, {}, kOpen, false, Jt::Real, L"", Prep::None, L"taro"},
      {"spaces_only", kXp, kPlain, L"      ", {}, {}, kOpen, false, Jt::Real, L"", Prep::None, L"taro"},
      {"one_token", kXp, kPlain, d, {}, {kBad}, kOpen, false, Jt::Real, L"", Prep::None, L"taro"},
      {"two_tokens", kXp, kPlain, d + L" 07:05", {}, {kBad}, kOpen},
      {"three_tokens", kXp, kPlain, d + L" 07:05 u", {}, {kBad}, kOpen},
      {"tabs_for_spaces", kXp, kPlain, d + L"\t07:05\tu\tp", {}, {kBad}, kOpen},
      {"quoted_date", kXp, kPlain, L"\"" + d + L"\" 07:05 u p", {}, {kBad}, kOpen},
      {"30_February", kXp, kPlain, L"2027/02/30 07:05 u p", {}, {kBad}, kOpen},
      {"month_13", kXp, kPlain, L"2027/13/01 07:05 u p", {}, {kBad}, kOpen},
      {"time_without_colon", kXp, kPlain, d + L" 0705 u p", {}, {kBad}, kOpen},
      {"10000_character_date", kXp, kPlain, std::wstring(10000, L'9') + L" 07:05 u p", {}, {kBad}, kOpen},
      {"Japanese_date", kXp, kPlain, L"令和九年 07:05 u p", {}, {kBad}, kOpen},
      // Taken apart, then refused by the Set command or by jt.exe.
      {"past_time", kBoth, kPlain, L"2001/01/05 07:05 u p", {}, {{kMsgPastTime, IDOK}}, kOpen},
      {"hour_24", kXp, kPlain, d + L" 24:00 u p", {}, {kFailed}, kOpen, true},
      {"minute_60", kXp, kPlain, d + L" 07:60 u p", {}, {kFailed}, kOpen, true},
      {"letters_for_the_hour", kXp, kPlain, d + L" ab:05 u p", {}, {kFailed}, kOpen, true},
      {"Japanese_hour", kXp, kPlain, d + L" 七:05 u p", {}, {kFailed}, kOpen, true},
      {"Japanese_password", kXp, kPlain, d + L" 07:05 u パス", {}, {{kMsgPasswordNotStorable, IDOK}}, kOpen},
      {"half_width_katakana_password", kXp, kPlain, d + L" 07:05 u ﾊﾟｽ", {}, {{kMsgPasswordNotStorable, IDOK}},
       kOpen},
      {"10000_character_user", kXp, kPlain, d + L" 07:05 " + std::wstring(10000, L'u') + L" p", {}, {kFailed}, kOpen},
      {"10000_character_password", kXp, kPlain, d + L" 07:05 u " + std::wstring(10000, L'p'), {}, {kFailed}, kOpen},
      {"folder_not_writable", kXp, kPlain, d + L" 07:05 u p", {}, {kFailed}, kOpen, false, Jt::Real, L"",
       Prep::BlockBatch},
      {"jt_exe_missing", kXp, kPlain, d + L" 07:05 u S3cr3t-9x", {}, {kFailed}, kOpen, true, Jt::Missing},
      {"jt_exe_refuses", kXp, kPlain, d + L" 07:05 u S3cr3t-9x", {}, {kFailed}, kOpen, true, Jt::Recorder,
       L"/sc u S3cr3t-9x /ctj ", Prep::JtRefuses},
      {"component_missing", kVista, kPlain, d + L" 07:05 u p", {}, {kFailed}, kOpen, false, Jt::Real, L"",
       Prep::NoComponent},
      // Hostile but valid: the Set goes through with the texts intact.
      {"Japanese_user", kXp, kPlain, d + L" 07:05 山田 p", {}, {}, Ending::Exits, true},
      {"cmd_metacharacters_in_the_user", kXp, kPlain, d + L" 07:05 a&b|c>d p", {}, {}, Ending::Exits, true,
       Jt::Recorder, L"/sc a&b|c>d p /ctj " + kWakeDate},
      {"cmd_metacharacters_in_the_password", kBoth, kPlain, d + L" 07:05 u p&q>r^s%PATH%(t)", {}, {}, Ending::Exits,
       true},
      {"quote_before_a_metacharacter", kXp, kPlain, d + L" 07:05 x\"y&z p|q", {}, {}, Ending::Exits, true,
       Jt::Recorder, L"/sc x\"y&z p|q /ctj "},
      {"blanks_around_and_a_quoted_user", kXp, "", L"  " + d + L" 7:05 \"taro\" pw  ", {}, {}, Ending::Exits, true,
       Jt::Recorder, L"/sc \"taro\" pw /ctj " + kWakeDate + L" StartTime=7:05 "},
      {"seconds_are_dropped", kXp, "", d + L" 07:05:30 taro pw", {}, {}, Ending::Exits, true, Jt::Recorder,
       L"/sc taro pw /ctj " + kWakeDate + L" StartTime=07:05 "},
      {"one_digit_minute", kXp, "", d + L" 07:5 taro pw", {}, {}, Ending::Exits, true, Jt::Recorder,
       L"/sc taro pw /ctj " + kWakeDate + L" StartTime=07:5 "},
      {"x_hibernates_and_Cancel_stops_it", kXp, "", d + L" 07:05 taro pw x", {}, {}, Ending::CancelsCountdown, true},
      {"password_ending_in_X_hibernates_and_keeps_it", kXp, "", d + L" 07:05 taro pwX", {}, {}, Ending::Exits, true,
       Jt::Recorder, L"/sc taro pwX /ctj "},
      // Through the window.
      {"set_through_the_window", kBoth, "", L"", Typed{kYear, L"07", L"5", L"太郎", L"pw"}, {kDone}, Ending::Exits,
       true, Jt::Real, L"", Prep::None, L"", kTypedStored},
      {"set_with_the_stored_account", kXp, kStored, L"", Typed{kYear, nullptr, nullptr, nullptr, nullptr}, {kDone},
       Ending::Exits, true, Jt::Recorder, L"/sc 花子 pw&1 /ctj " + kWakeDate + L" StartTime=7:5 ", Prep::None,
       L"花子", kStored},
      {"past_date_in_the_window", kBoth, kStored, L"", Typed{kYear - 2, nullptr, nullptr, nullptr, L"pw"},
       {{kMsgPastTime, IDOK}}, kOpen},
      {"unstorable_password_in_the_window", kXp, kStored, L"", Typed{kYear, nullptr, nullptr, nullptr, L"パス"},
       {{kMsgPasswordNotStorable, IDOK}}, kOpen},
      {"No_to_an_empty_password", kXp, kStored, L"", Typed{kYear, nullptr, nullptr, nullptr, L""},
       {{kMsgEmptyPassword, IDNO}}, kOpen},
      // setting.ini as nobody wrote it, or as nobody may write it.
      {"no_sections", kXp, "[Other]\r\nKey=1\r\n", L"", {}, {}, kOpen},
      {"5000_byte_user", kXp, "[UserInfo]\r\nUser=" + std::string(5000, 'a') + "\r\n", L"", {}, {}, kOpen, false,
       Jt::Real, L"", Prep::None, std::wstring(1023, L'a')},
      {"Pass_not_a_multiple_of_four", kXp,
       "[UserInfo]\r\nUser=taro\r\nPass=" + ToAnsi(ConvertPassword(L"SET", L"pw").value()) + "xy\r\n", L"", {}, {},
       kOpen, false, Jt::Real, L"", Prep::None, L"taro"},
      {"Pass_of_no_codes", kXp, "[UserInfo]\r\nUser=taro\r\nPass=\"\"\"\"    ~~~~\r\n", L"", {}, {}, kOpen, false,
       Jt::Real, L"", Prep::None, L"taro"},
      {"bytes_that_are_no_Shift_JIS", kXp, "[UserInfo]\r\nUser=\x81\x20\xff\xa0\x82\r\n[StartTime]\r\nHour=\x80\r\n",
       L"", {}, {}, kOpen},
      {"binary_garbage", kXp, std::string("\0\x01\x02[\xff]\r\n=\r\n[[[\r\n", 14), L"", {}, {}, kOpen},
      {"read_only_setting_ini", kXp, kPlain, d + L" 07:05 u p", {}, {}, Ending::Exits, true, Jt::Real, L"",
       Prep::ReadOnlySettings},
  };
}

std::vector<Row> RowsOfThisRoute() {
  const int route = EnvText(L"REVEILO_ROUTE") == L"vista" ? kVista : kXp;
  std::vector<Row> rows;
  for (Row& row : Rows())
    if (row.routes & route) rows.push_back(row);
  return rows;
}

const std::wstring kSettings = ProgramPath(L"\\setting.ini");
const std::wstring kComponent = ProgramPath(L"\\ReveiloTask.dll");

class Scenario : public ::testing::TestWithParam<Row> {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void SetUp() override {
    SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const wchar_t* name : {L"\\setting.ini", L"\\jt_calls.txt", L"\\AddTask.bat", L"\\Startup.bat", L"\\d",
                                L"\\r", L"\\q", L"\\z"})
      DeleteFileW(ProgramPath(name).c_str());
    RemoveDirectoryW(ProgramPath(L"\\AddTask.bat").c_str());
    DeleteFileW((TasksFolder() + L"\\Resume.job").c_str());
    SetEnvironmentVariableW(L"REVEILO_JT_EXIT", nullptr);
  }
  void TearDown() override {
    SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_NORMAL);
    MoveFileW((kComponent + L".away").c_str(), kComponent.c_str());
  }
};
}  // namespace

TEST_P(Scenario, EndsAsTheUserMustSee) {
  const Row& row = GetParam();
  const bool vista = EnvText(L"REVEILO_ROUTE") == L"vista";
  UseJt(row.jt);
  if (!row.settings.empty()) WriteFileBytes(kSettings, row.settings);
  if (row.prep == Prep::BlockBatch) {
    ASSERT_TRUE(CreateDirectoryW(ProgramPath(L"\\AddTask.bat").c_str(), nullptr));
  }
  if (row.prep == Prep::ReadOnlySettings) {
    ASSERT_TRUE(SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_READONLY));
  }
  if (row.prep == Prep::JtRefuses) SetEnvironmentVariableW(L"REVEILO_JT_EXIT", L"1");
  if (row.prep == Prep::NoComponent) {
    ASSERT_TRUE(MoveFileW(kComponent.c_str(), (kComponent + L".away").c_str()));
  }
  const std::string before = FileBytes(kSettings);

  ReveiloProcess reveilo(row.arguments);
  ASSERT_TRUE(reveilo.Started());
  if (!row.userShown.empty()) { EXPECT_EQ(reveilo.ControlText(IDC_TXTUSER), row.userShown); }
  if (row.typed) {
    const Typed& t = *row.typed;
    EXPECT_EQ(reveilo.Enabled(IDC_TXTPASSWORD), !vista) << "the password box is for the batch route only";
    reveilo.SetPickerDate({t.year, 1, 5});
    const std::pair<int, const wchar_t*> texts[] = {
        {IDC_COMBOHH, t.hour}, {IDC_COMBOMM, t.minute}, {IDC_TXTUSER, t.user}, {IDC_TXTPASSWORD, t.password}};
    for (const auto& [id, text] : texts)
      if (text) reveilo.SetControlText(id, text);
    reveilo.Click(IDC_COMMAND1);
  }
  for (const Box& box : row.boxes) {
    HWND window = reveilo.MessageBoxWindow(30000);
    ASSERT_NE(window, nullptr) << "expected: " << ToAnsi(box.text);
    EXPECT_EQ(MessageBoxText(window), box.text);
    PressMessageBoxButton(window, box.button);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 5000));
  }
  if (row.ending == Ending::CancelsCountdown) {
    HWND dialog = reveilo.FindWindowOfClass(L"ReveiloSuspend", 15000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(reveilo.Checked(IDC_CHKSUSPEND));
    SaveScreenshot(dialog, L"countdown");
    PostMessageW(GetDlgItem(dialog, IDC_SUSPEND_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  }
  DWORD code = 99;
  if (row.ending == Ending::Exits) {
    ASSERT_TRUE(reveilo.Exited(30000, &code)) << "a successful Set ends the program";
    EXPECT_EQ(code, 0u);
  } else {
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    EXPECT_EQ(reveilo.MessageBoxWindow(300), nullptr) << "no other message";
    EXPECT_FALSE(reveilo.Exited(300)) << "the window must stay open";
    PostMessageW(reveilo.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(reveilo.Exited(10000, &code));
    EXPECT_EQ(code, 1u);
  }

  // setting.ini changes exactly when a job was made, and a read-only one does not undo it.
  const bool made = row.ending != Ending::StaysOpen;
  const std::string after = FileBytes(kSettings);
  if (!made) {
    EXPECT_EQ(after, before) << "setting.ini changed without a successful Set";
  } else if (row.prep == Prep::ReadOnlySettings) {
    // Wine writes a read-only profile file all the same; Windows would not.
  } else if (!row.settingsAfter.empty()) {
    EXPECT_EQ(after, row.settingsAfter);
  } else {
    EXPECT_NE(after, before) << "a successful Set stores the settings";
  }
  if (vista && made) {
    const std::wstring task = StoredTaskText(L"ResumeRV");
    EXPECT_NE(task.find(L"<Author>Reveilo</Author>"), std::wstring::npos) << "no wake task";
    EXPECT_NE(task.find(L"<WakeToRun>true</WakeToRun>"), std::wstring::npos);
  }
  if (!vista && row.jt == Jt::Real) {
    LoadedJob job;
    ASSERT_EQ(LoadJob(L"Resume", job), made);
    if (made) {
      EXPECT_EQ(job.triggers, 1);
      EXPECT_EQ(job.trigger.TriggerType, TASK_TIME_TRIGGER_ONCE);
      EXPECT_EQ(std::vector<int>({job.trigger.wBeginYear, job.trigger.wBeginMonth, job.trigger.wBeginDay,
                                  job.trigger.wStartHour, job.trigger.wStartMinute}),
                std::vector<int>({kYear, 1, 5, 7, 5}));
      std::wstring startup = ProgramPath(L"\\Startup.bat");  // a drive root's doubled separator is stored single
      if (startup.find(L":\\\\") == 1) startup.erase(2, 1);
      EXPECT_EQ(job.application, startup);
      EXPECT_EQ(job.flags & (TASK_FLAG_SYSTEM_REQUIRED | TASK_FLAG_DELETE_WHEN_DONE),
                DWORD{TASK_FLAG_SYSTEM_REQUIRED | TASK_FLAG_DELETE_WHEN_DONE});
    }
  }
  if (row.jt == Jt::Recorder) {
    const auto calls = JtCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], L"/sd Resume.job");
    EXPECT_EQ(calls[1].rfind(row.jtCall, 0), 0u) << ToAnsi(calls[1]);
  }
  const DWORD batch = GetFileAttributesW(ProgramPath(L"\\AddTask.bat").c_str());
  EXPECT_EQ(batch != INVALID_FILE_ATTRIBUTES && !(batch & FILE_ATTRIBUTE_DIRECTORY), row.batch && !vista);
  if (row.batch) { EXPECT_EQ(FileBytes(ProgramPath(L"\\AddTask.bat")).find("S3cr3t"), std::string::npos); }
  if (made) { EXPECT_EQ(FileBytes(ProgramPath(L"\\Startup.bat")), ""); }
  for (const wchar_t* stray : {L"\\d", L"\\r", L"\\q", L"\\z"})
    EXPECT_FALSE(FileExists(ProgramPath(stray))) << "something typed ran as a command";
}

INSTANTIATE_TEST_SUITE_P(Rows, Scenario, ::testing::ValuesIn(RowsOfThisRoute()),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// The window as it opens on a first start: captions, lists, geometry, focus
// and tab order, the clock, and what restore mode puts in place.
TEST(Window, FirstStart) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  DeleteFileW(kSettings.c_str());
  ReveiloProcess reveilo(L"");
  HWND main = reveilo.MainWindow();
  ASSERT_NE(main, nullptr);
  const std::pair<int, const wchar_t*> captions[] = {
      {IDC_FRAME1, L"復帰時刻の設定"}, {IDC_LABEL3, L"時"}, {IDC_LABEL4, L"分"}, {IDC_FRAME2, L"ユーザー情報"},
      {IDC_LABEL1, L"ユーザー名"}, {IDC_LABEL2, L"パスワード"}, {IDC_CHKSUSPEND, L"今すぐ休止状態にする"},
      {IDC_COMMAND1, L"セットする"}, {IDC_COMBOHH, L"12"}, {IDC_COMBOMM, L"00"}, {IDC_TXTPASSWORD, L""}};
  for (const auto& [id, text] : captions) EXPECT_EQ(reveilo.ControlText(id), text) << id;
  std::vector<std::wstring> hours, minutes;
  for (int i = 0; i < 60; ++i) {
    minutes.push_back((i < 10 ? L"0" : L"") + std::to_wstring(i));
    if (i < 24) hours.push_back(minutes.back());
  }
  EXPECT_EQ(reveilo.ComboItems(IDC_COMBOHH), hours);
  EXPECT_EQ(reveilo.ComboItems(IDC_COMBOMM), minutes);
  EXPECT_FALSE(reveilo.Checked(IDC_CHKSUSPEND));
  EXPECT_EQ(SendMessageW(reveilo.Control(IDC_TXTPASSWORD), EM_GETPASSWORDCHAR, 0, 0), L'*');
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU), WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongW(reveilo.Control(IDC_COMMAND1), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // Restore mode with no setting.ini: today, the Windows user, 12:00, and no file made.
  const CivilDateTime today = LocalNow(), shown = reveilo.PickerDate();
  EXPECT_EQ(std::vector<int>({shown.year, shown.month, shown.day}), std::vector<int>({today.year, today.month, today.day}));
  char name[256] = {};
  DWORD size = 255;
  GetUserNameA(name, &size);
  EXPECT_EQ(reveilo.ControlText(IDC_TXTUSER), FromAnsi(name));
  EXPECT_FALSE(FileExists(kSettings)) << "reading must not create the file";

  // 2775 x 3495 twips at the screen's DPI (the bench may set another than 96).
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (!EnvText(L"REVEILO_EXPECT_DPI").empty()) { EXPECT_EQ(dpi, _wtoi(EnvText(L"REVEILO_EXPECT_DPI").c_str())); }
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(std::make_pair(client.right, client.bottom),
            std::make_pair(LONG{MulDiv(2775, dpi, 1440)}, LONG{MulDiv(3495, dpi, 1440)}));

  // The focus starts on Set, and Tab walks the inputs in order and back.
  ASSERT_TRUE(WaitUntil([&] { return reveilo.FocusedWindow() == reveilo.Control(IDC_COMMAND1); }, 5000));
  const int order[] = {IDC_COMMAND1, IDC_DTPICKER1, IDC_COMBOHH, IDC_COMBOMM, IDC_TXTUSER,
                       IDC_TXTPASSWORD, IDC_CHKSUSPEND, IDC_COMMAND1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_EQ(GetNextDlgTabItem(main, reveilo.Control(order[i]), FALSE), reveilo.Control(order[i + 1])) << order[i];

  // The clock: yyyy-mm-dd (weekday) hh:mm:ss.
  ASSERT_TRUE(WaitUntil([&] { return !WindowText(reveilo.Control(IDC_STATUSBAR1)).empty(); }, 3000));
  const std::wstring clock = WindowText(reveilo.Control(IDC_STATUSBAR1));
  ASSERT_EQ(clock.size(), 23u);
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 15u, 16u, 18u, 19u, 21u, 22u})
    EXPECT_TRUE(clock[i] >= L'0' && clock[i] <= L'9') << "position " << i;
  EXPECT_EQ(clock.substr(10, 2) + clock.substr(13, 2), L" () ");
  EXPECT_NE(std::wstring(L"日月火水木金土").find(clock[12]), std::wstring::npos);
  if (dpi == 96) {
    SetForegroundWindow(main);
    Sleep(300);
    SaveScreenshot(main, L"main_window");
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
