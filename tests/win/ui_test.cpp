// Reveilo.exe's window used as a person would, from another process, under Wine.
#include <gtest/gtest.h>
#include <initguid.h>
#include <taskschd.h>

#include <cwctype>

#include "job_store.h"
#include "platform/ansi_text.h"
#include "platform/local_time.h"
#include "res/resource.h"
#include "res/strings.h"
#include "settings/password.h"
#include "ui_driver.h"

namespace {
const std::wstring kSettings = ProgramPath(L"\\setting.ini");
const int kNextYear = LocalNow().year + 1;
const std::wstring kFutureDate = std::to_wstring(kNextYear) + L"/01/05";
const std::wstring kFutureWakeDate = L"1/5/" + std::to_wstring(kNextYear);

std::string PreparedSettings() {
  const std::string pass = ToAnsi(ConvertPassword(L"SET", L"pw&1").value());
  return "[UserInfo]\r\nUser=" + ToAnsi(L"\u82b1\u5b50") + "\r\nPass=" + pass +
         "\r\n[StartTime]\r\nHour=7\r\nMin=5\r\n";
}

class Ui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void SetUp() override {
    for (const wchar_t* name : {L"\\setting.ini", L"\\jt_calls.txt", L"\\AddTask.bat", L"\\Startup.bat"})
      DeleteFileW(ProgramPath(name).c_str());
    DeleteFileW((TasksFolder() + L"\\Resume.job").c_str());
    UseJt(Jt::Recorder);
  }
  // Runs Reveilo.exe with a command line and expects it to leave nothing
  // but a warning box with `text`, the window open and the settings as they were.
  void ExpectRefusedWithWindowOpen(ReveiloProcess& reveilo, const std::wstring& text,
                                   const std::string& settingsBefore, int button = IDOK) {
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    HWND box = reveilo.MessageBoxWindow();
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(MessageBoxText(box), text);
    PressMessageBoxButton(box, button);
    EXPECT_FALSE(reveilo.Exited(500)) << "the window must stay open";
    EXPECT_TRUE(IsWindowVisible(reveilo.MainWindow()));
    EXPECT_EQ(FileBytes(kSettings), settingsBefore);
    EXPECT_FALSE(FileExists(ProgramPath(L"\\jt_calls.txt"))) << "nothing may be scheduled";
    PostMessageW(reveilo.MainWindow(), WM_CLOSE, 0, 0);
    DWORD code = 0;
    EXPECT_TRUE(reveilo.Exited(10000, &code));
    EXPECT_EQ(code, 1u);
  }
};
}  // namespace

TEST_F(Ui, WindowLayoutCaptionsListsAndTabOrder) {
  ReveiloProcess reveilo(L"");
  HWND main = reveilo.MainWindow();
  ASSERT_NE(main, nullptr);
  const struct {
    int id;
    const wchar_t* text;
  } captions[] = {
      {IDC_FRAME1, L"復帰時刻の設定"}, {IDC_LABEL3, L"時"},          {IDC_LABEL4, L"分"},
      {IDC_FRAME2, L"ユーザー情報"},   {IDC_LABEL1, L"ユーザー名"},  {IDC_LABEL2, L"パスワード"},
      {IDC_CHKSUSPEND, L"今すぐ休止状態にする"}, {IDC_COMMAND1, L"セットする"},
      {IDC_COMBOHH, L"12"},            {IDC_COMBOMM, L"00"},         {IDC_TXTPASSWORD, L""},
  };
  for (const auto& c : captions) EXPECT_EQ(reveilo.ControlText(c.id), c.text) << c.id;
  std::vector<std::wstring> hours, minutes;
  for (int i = 0; i < 60; ++i) {
    std::wstring two = (i < 10 ? L"0" : L"") + std::to_wstring(i);
    if (i < 24) hours.push_back(two);
    minutes.push_back(two);
  }
  EXPECT_EQ(reveilo.ComboItems(IDC_COMBOHH), hours);
  EXPECT_EQ(reveilo.ComboItems(IDC_COMBOMM), minutes);
  EXPECT_FALSE(reveilo.Checked(IDC_CHKSUSPEND));
  EXPECT_EQ(SendMessageW(reveilo.Control(IDC_TXTPASSWORD), EM_GETPASSWORDCHAR, 0, 0), L'*');

  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongW(reveilo.Control(IDC_COMMAND1), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // 2775 x 3495 twips at the screen's DPI (96 unless the bench set another).
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  wchar_t expectedDpi[8] = {};
  if (GetEnvironmentVariableW(L"REVEILO_EXPECT_DPI", expectedDpi, 8)) {
    EXPECT_EQ(dpi, _wtoi(expectedDpi));
  }
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, MulDiv(2775, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(3495, dpi, 1440));

  // The focus starts on Set, and Tab walks the inputs in order and back.
  ASSERT_TRUE(WaitUntil([&] { return reveilo.FocusedWindow() == reveilo.Control(IDC_COMMAND1); }, 5000));
  const int order[] = {IDC_COMMAND1, IDC_DTPICKER1, IDC_COMBOHH, IDC_COMBOMM, IDC_TXTUSER,
                       IDC_TXTPASSWORD, IDC_CHKSUSPEND, IDC_COMMAND1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(GetNextDlgTabItem(main, reveilo.Control(order[i]), FALSE), reveilo.Control(order[i + 1]))
        << "after control " << order[i];
  }
  EXPECT_EQ(GetNextDlgTabItem(main, reveilo.Control(IDC_COMMAND1), TRUE), reveilo.Control(IDC_CHKSUSPEND));

  // The clock: yyyy-mm-dd (one kanji) hh:mm:ss.
  ASSERT_TRUE(WaitUntil([&] { return !WindowText(reveilo.Control(IDC_STATUSBAR1)).empty(); }, 3000));
  const std::wstring clock = WindowText(reveilo.Control(IDC_STATUSBAR1));
  ASSERT_EQ(clock.size(), 23u) << "clock text";
  const std::wstring digits = L"0123456789";
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 15u, 16u, 18u, 19u, 21u, 22u})
    EXPECT_NE(digits.find(clock[i]), std::wstring::npos) << "position " << i;
  EXPECT_EQ(clock.substr(10, 2), L" (");
  EXPECT_NE(std::wstring(L"日月火水木金土").find(clock[12]), std::wstring::npos);
  EXPECT_EQ(clock.substr(13, 2), L") ");

  if (!ArtifactFolder().empty() && dpi == 96) {
    SetForegroundWindow(main);
    Sleep(300);
    EXPECT_TRUE(SaveWindowPng(main, ArtifactFolder() + L"\\main_window.png"));
  }
}

TEST_F(Ui, RestoreModeFirstStartAndFromStoredSettings) {
  {
    ReveiloProcess reveilo(L"   ");  // spaces only: no command line
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    const CivilDateTime today = LocalNow();
    const CivilDateTime shown = reveilo.PickerDate();
    EXPECT_EQ(std::vector<int>({shown.year, shown.month, shown.day}),
              std::vector<int>({today.year, today.month, today.day}));
    char name[256] = {};
    DWORD size = 255;
    GetUserNameA(name, &size);
    EXPECT_EQ(reveilo.ControlText(IDC_TXTUSER), FromAnsi(name));
    EXPECT_EQ(reveilo.ControlText(IDC_COMBOHH), L"12");
    EXPECT_EQ(reveilo.ControlText(IDC_COMBOMM), L"00");
    EXPECT_TRUE(reveilo.Enabled(IDC_TXTPASSWORD));
    EXPECT_FALSE(FileExists(kSettings)) << "reading must not create the file";
  }
  WriteFileBytes(kSettings, PreparedSettings());
  ReveiloProcess reveilo(L"");
  ASSERT_NE(reveilo.MainWindow(), nullptr);
  EXPECT_EQ(reveilo.ControlText(IDC_TXTUSER), L"\u82b1\u5b50");
  EXPECT_EQ(reveilo.ControlText(IDC_COMBOHH), L"7");  // shown as stored, not padded
  EXPECT_EQ(reveilo.ControlText(IDC_COMBOMM), L"5");
  // The restored password is proven by what reaches jt.exe, not by reading
  // the box (Windows would refuse to show it).
  reveilo.SetPickerDate({kNextYear, 1, 5});
  reveilo.Click(IDC_COMMAND1);
  HWND box = reveilo.MessageBoxWindow();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kMsgDone);
  PressMessageBoxButton(box, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(reveilo.Exited(10000, &code));
  EXPECT_EQ(code, 0u);
  const auto calls = JtCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].rfind(L"/sc \u82b1\u5b50 pw&1 /ctj StartDate=" + kFutureWakeDate + L" StartTime=7:5 ", 0), 0u)
      << std::string(calls[1].begin(), calls[1].end());
}

TEST_F(Ui, CommandLinesThatSetAJob) {
  struct Case {
    std::wstring arguments;
    std::wstring expectedAccountAndTime;  // the start of jt.exe's arguments
  };
  const Case cases[] = {
      {L"  " + kFutureDate + L" 07:05 taro pw  ", L"/sc taro pw /ctj StartDate=" + kFutureWakeDate + L" StartTime=07:05 "},
      {kFutureDate + L" 7:05 \"taro\" pw", L"/sc \"taro\" pw /ctj StartDate=" + kFutureWakeDate + L" StartTime=7:05 "},
      {kFutureDate + L" 07:05:30 taro pw", L"/sc taro pw /ctj StartDate=" + kFutureWakeDate + L" StartTime=07:05 "},
      {kFutureDate + L" 07:5 taro pw", L"/sc taro pw /ctj StartDate=" + kFutureWakeDate + L" StartTime=07:5 "},
  };
  for (const Case& c : cases) {
    DeleteFileW(ProgramPath(L"\\jt_calls.txt").c_str());
    DeleteFileW(kSettings.c_str());
    ReveiloProcess reveilo(c.arguments);
    DWORD code = 99;
    ASSERT_TRUE(reveilo.Exited(20000, &code)) << "command-line mode ends by itself, with no message";
    EXPECT_EQ(code, 0u);
    const auto calls = JtCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].rfind(c.expectedAccountAndTime, 0), 0u) << std::string(calls[1].begin(), calls[1].end());
    EXPECT_FALSE(FileBytes(kSettings).empty());
  }
}

TEST_F(Ui, HibernateNowFromTheCommandLine) {
  {
    // Five tokens ending in x: the countdown shows; Cancel stops it and the window stays.
    ReveiloProcess reveilo(kFutureDate + L" 07:05 taro pw x");
    HWND dialog = reveilo.FindWindowOfClass(L"ReveiloSuspend", 15000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(reveilo.Checked(IDC_CHKSUSPEND));
    if (!ArtifactFolder().empty()) SaveWindowPng(dialog, ArtifactFolder() + L"\\countdown.png");
    PostMessageW(GetDlgItem(dialog, IDC_SUSPEND_COMMAND1), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
    EXPECT_FALSE(reveilo.Exited(500));
    EXPECT_TRUE(FileExists(kSettings)) << "job and settings come before the countdown";
    PostMessageW(reveilo.MainWindow(), WM_CLOSE, 0, 0);
    DWORD code = 0;
    ASSERT_TRUE(reveilo.Exited(10000, &code));
    EXPECT_EQ(code, 1u);
  }
  // Four tokens whose password ends in X: ticked, the X kept; left alone it hibernates and exits 0.
  DeleteFileW(ProgramPath(L"\\jt_calls.txt").c_str());
  ReveiloProcess reveilo(kFutureDate + L" 07:05 taro pwX");
  ASSERT_NE(reveilo.FindWindowOfClass(L"ReveiloSuspend", 15000), nullptr);
  DWORD code = 99;
  ASSERT_TRUE(reveilo.Exited(20000, &code));
  EXPECT_EQ(code, 0u);
  const auto calls = JtCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].rfind(L"/sc taro pwX /ctj ", 0), 0u);
}

TEST_F(Ui, RefusalsThroughTheWindowLeaveEverythingAsItWas) {
  WriteFileBytes(kSettings, PreparedSettings());
  const std::string before = FileBytes(kSettings);
  const struct {
    int year;
    const wchar_t* password;
    const wchar_t* message;
    int button;
  } refusals[] = {
      {LocalNow().year - 1, L"pw", kMsgPastTime, IDOK},
      {kNextYear, L"\u30d1\u30b9", kMsgPasswordNotStorable, IDOK},
      {kNextYear, L"", kMsgEmptyPassword, IDNO},
  };
  for (const auto& r : refusals) {
    ReveiloProcess reveilo(L"");
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    reveilo.SetPickerDate({r.year, 1, 5});
    reveilo.SetControlText(IDC_TXTPASSWORD, r.password);
    reveilo.Click(IDC_COMMAND1);
    ExpectRefusedWithWindowOpen(reveilo, r.message, before, r.button);
  }
}

TEST_F(Ui, SetThroughTheWindowMakesTheJobAndStoresTheSettings) {
  UseJt(Jt::Real);
  wchar_t route[16] = {};
  GetEnvironmentVariableW(L"REVEILO_ROUTE", route, 16);
  const bool vista = std::wstring(route) == L"vista";
  ReveiloProcess reveilo(L"");
  ASSERT_NE(reveilo.MainWindow(), nullptr);
  EXPECT_EQ(reveilo.Enabled(IDC_TXTPASSWORD), !vista);
  EXPECT_EQ(reveilo.Enabled(IDC_LABEL2), !vista);
  reveilo.SetPickerDate({kNextYear, 1, 5});
  reveilo.SetControlText(IDC_COMBOHH, L"07");
  reveilo.SetControlText(IDC_COMBOMM, L"5");
  reveilo.SetControlText(IDC_TXTUSER, L"\u592a\u90ce");
  reveilo.SetControlText(IDC_TXTPASSWORD, L"pw");
  reveilo.Click(IDC_COMMAND1);
  HWND box = reveilo.MessageBoxWindow(30000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kMsgDone);
  PressMessageBoxButton(box, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(reveilo.Exited(10000, &code));
  EXPECT_EQ(code, 0u);

  const std::string expected = "[UserInfo]\r\nUser=" + ToAnsi(L"\u592a\u90ce") + "\r\nPass=" +
                               ToAnsi(ConvertPassword(L"SET", L"pw").value()) +
                               "\r\n[StartTime]\r\nHour=07\r\nMin=5\r\n";
  EXPECT_EQ(FileBytes(kSettings), expected);
  if (vista) {
    const WakeTask task = LoadWakeTask(L"ResumeRV");
    ASSERT_TRUE(task.found);
    EXPECT_EQ(task.author, L"Reveilo");
    EXPECT_TRUE(task.wakeToRun);
  } else {
    LoadedJob job;
    ASSERT_TRUE(LoadJob(L"Resume", job));
    EXPECT_EQ(std::vector<int>({job.trigger.wBeginYear, job.trigger.wBeginMonth, job.trigger.wBeginDay,
                                job.trigger.wStartHour, job.trigger.wStartMinute}),
              std::vector<int>({kNextYear, 1, 5, 7, 5}));
    EXPECT_TRUE(job.flags & TASK_FLAG_SYSTEM_REQUIRED);
  }
}

TEST_F(Ui, EnterEscAndTheHelpMenuNeverPressSet) {
  DeleteFileW(ProgramPath(L"\\manual.txt").c_str());
  ReveiloProcess reveilo(L"");
  ASSERT_NE(reveilo.MainWindow(), nullptr);
  reveilo.SetPickerDate({kNextYear, 1, 5});
  for (int id : {IDC_TXTUSER, IDC_TXTPASSWORD, IDC_COMBOHH, IDC_DTPICKER1}) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      PostMessageW(reveilo.Control(id), WM_KEYDOWN, key, 0);
      PostMessageW(reveilo.Control(id), WM_KEYUP, key, 0xC0000000);
    }
  }
  // The manual is missing: choosing the menu item shows nothing.
  PostMessageW(reveilo.MainWindow(), WM_COMMAND, MAKEWPARAM(IDM_HELP, 0), 0);
  EXPECT_EQ(reveilo.MessageBoxWindow(1500), nullptr);
  EXPECT_FALSE(reveilo.Exited(0));
  EXPECT_FALSE(FileExists(ProgramPath(L"\\jt_calls.txt")));
  EXPECT_FALSE(FileExists(kSettings));
}
