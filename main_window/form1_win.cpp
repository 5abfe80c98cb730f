#include "main_window/form1_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "main_window/clock_text.h"
#include "main_window/command_line.h"
#include "main_window/form1_layout_win.h"
#include "platform/com_ref_win.h"
#include "platform/local_time_win.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "platform/system_library_win.h"
#include "power/power_win.h"
#include "res/resource.h"
#include "res/strings.h"
#include "settings/password.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "settings/wake_log_win.h"
#include "wake_job/schedule.h"
#include "wake_job/schedule_win.h"

Form1::Form1() : twips_(ScreenDpi()) {}

Form1::~Form1() {
  if (font_) DeleteObject(font_);
  if (shell_) FreeLibrary(shell_);
  if (com_) CoUninitialize();
}

bool Form1::Create(HINSTANCE instance) {
  instance_ = instance;
  hwnd_ = CreateForm1Frame(instance, WindowProc, this, twips_);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return form->OnCreate();
    case WM_COMMAND:
      form->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == IDT_TIMER1) form->Timer1_Timer();
      return 0;
    case WM_CTLCOLORSTATIC:
      return StaticColors(wParam);
    case WM_CLOSE:
      form->OnClose();
      return 0;
    case WM_DESTROY:
      form->OnDestroy();
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT Form1::OnCreate() {
  font_ = CreateForm1Controls(hwnd_, instance_, twips_);
  SetTimer(hwnd_, IDT_TIMER1, 100, nullptr);
  return 0;
}

void Form1::Form_Load(std::wstring_view commandLine) {
  route_ = RouteOfThisWindows();
  if (!RouteUsesPassword(route_)) {
    EnableWindow(Control(IDC_LABEL2), FALSE);
    EnableWindow(Control(IDC_TXTPASSWORD), FALSE);
  }

  const std::wstring arguments = TrimSpaces(ArgumentText(commandLine));
  if (arguments.empty()) {
    RestoreSettings();
    return;
  }

  const auto tokens = SplitCommandLine(arguments);
  const auto date = tokens ? ParseLocaleDate(tokens->date) : std::nullopt;
  const auto time = tokens ? SplitTimeToken(tokens->time) : std::nullopt;
  // The picker keeps its own date when it refuses one (before 1752 among
  // them): a date it does not hold makes a line that cannot be used.
  if (!tokens || !date || !time || !SetPickerDate(*date)) {
    // Nothing of the line is used: the window opens as on a plain start.
    RestoreSettings();
    ShowAtStart(SW_SHOWNORMAL);
    MessageBoxW(hwnd_, kMsgBadCommandLine, kAppTitle, MB_OK | MB_ICONWARNING | MB_APPLMODAL);
    return;
  }

  CommandLineMode = true;
  // The words go to the Set as they are; the controls only show them.
  commandLineRequest_ = WakeRequest{*date, time->hour, time->minute, tokens->user, tokens->password, tokens->afterWake};
  PlaceAfterWake(tokens->afterWake);
  ShowAtStart(SW_SHOWNORMAL);
  SetControlText(IDC_COMBOHH, time->hour);
  SetControlText(IDC_COMBOMM, time->minute);
  SetControlText(IDC_TXTUSER, tokens->user);
  SetControlText(IDC_TXTPASSWORD, tokens->password);
  if (tokens->hibernate) SendDlgItemMessageW(hwnd_, IDC_CHKSUSPEND, BM_SETCHECK, BST_CHECKED, 0);
  Command1_Click();
}

void Form1::RestoreSettings() {
  SetPickerDate(LocalNow());
  const StoredSettings stored = ReadSettings(IniSettings(), [] {
    // The wide name: the ANSI one turns a name outside the code page into "?"
    // or a look-alike, which would be an account of someone else's.
    wchar_t name[257] = {};
    DWORD size = 257;
    return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();  // on failure the box stays empty
  });
  SetControlText(IDC_TXTUSER, stored.user);
  for (const auto& [id, value] : {std::pair{IDC_TXTPASSWORD, &stored.password}, {IDC_COMBOHH, &stored.hour},
                                  {IDC_COMBOMM, &stored.minute}})
    if (!value->empty()) SetControlText(id, *value);
  PlaceAfterWake(AfterWakeOf(stored));
}

void Form1::PlaceAfterWake(const AfterWake& choice) {
  afterWake_ = choice;
  HMENU menu = GetSubMenu(GetMenu(hwnd_), 0);
  int checked = IDM_AWAKE_NONE;
  for (std::size_t i = 0; i < std::size(kAwakeMenuMinutes); ++i)
    if (choice.minutes == kAwakeMenuMinutes[i]) checked = IDM_AWAKE_FIRST_LENGTH + static_cast<int>(i);
  // A length only a switch or setting.ini can give gets an item of its own, last in the group.
  DeleteMenu(menu, IDM_AWAKE_OTHER, MF_BYCOMMAND);
  const int lastLength = IDM_AWAKE_FIRST_LENGTH + static_cast<int>(std::size(kAwakeMenuMinutes)) - 1;
  if (choice.On() && checked == IDM_AWAKE_NONE) {
    const std::wstring text = AwakeLengthText(choice.minutes) + kMenuKeepAwake;
    InsertMenuW(menu, static_cast<UINT>(std::size(kAwakeMenuMinutes)) + 1, MF_BYPOSITION | MF_STRING, IDM_AWAKE_OTHER,
                text.c_str());
    checked = IDM_AWAKE_OTHER;
  }
  CheckMenuRadioItem(menu, IDM_AWAKE_NONE, checked == IDM_AWAKE_OTHER ? IDM_AWAKE_OTHER : lastLength, checked,
                     MF_BYCOMMAND);
  CheckMenuItem(menu, IDM_REHIBERNATE, MF_BYCOMMAND | (choice.rehibernate ? MF_CHECKED : MF_UNCHECKED));
  // Without a length there is no "meanwhile" to go back after.
  EnableMenuItem(menu, IDM_REHIBERNATE, MF_BYCOMMAND | (choice.On() ? MF_ENABLED : MF_GRAYED));
}

void Form1::ShowAtStart(int showCommand) {
  if (ended_ || IsWindowVisible(hwnd_)) return;
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetFocus(Control(IDC_COMMAND1));
  Timer1_Timer();
}

void Form1::OnCommand(int id, int code) {
  // IDOK and IDCANCEL (Enter and Esc in a control) are deliberately not handled.
  if (id == IDC_COMMAND1 && code == BN_CLICKED) Command1_Click();
  if (id == IDM_HELP) MHelp_Click();
  if ((id >= IDM_AWAKE_NONE && id <= IDM_AWAKE_OTHER) || id == IDM_REHIBERNATE) MAfterWake_Click(id);
  if (id == IDM_VIEWLOG) MViewLog_Click();
}

void Form1::OnClose() {
  // While a Set runs, closing waits for it: a countdown counts it as Cancel,
  // a batch wait lets the job and the settings finish first.
  if (setCommand_.Running()) {
    closeRequested_ = true;
    return;
  }
  EndProgram(1);
}

void Form1::OnDestroy() {
  KillTimer(hwnd_, IDT_TIMER1);
  PostQuitMessage(exitCode_);
}

void Form1::EndProgram(int exitCode) {
  if (ended_) return;
  ended_ = true;
  exitCode_ = exitCode;
  DestroyWindow(hwnd_);
}

void Form1::Command1_Click() {
  // One COM for the whole Set: the component's call and the scan after it
  // share it instead of each starting COM anew.
  ComApartment apartment;
  SystemWakeJobs jobs(Win32WakeJobSystem(), route_);
  Win32Power power(hwnd_, &closeRequested_);
  const auto outcome = setCommand_.Click(*this, {SystemClock(), jobs, IniSettings(), power, FileWakeLog()});
  if (!outcome) return;  // a run is already under way
  if (*outcome == SetOutcome::Exit) {
    EndProgram(0);
  } else if (*outcome == SetOutcome::NotHibernated) {
    EndProgram(2);
  } else if (closeRequested_) {
    EndProgram(1);
  }
}

void Form1::Timer1_Timer() {
  // Ten ticks a second, one change: a tick within the shown second does
  // nothing, and the locale is asked for the weekday once a day, so the
  // clock costs next to nothing while the window waits.
  const CivilDateTime now = LocalNow();
  if (!clockText_.empty() && now.second == clockShown_.second && now.minute == clockShown_.minute &&
      now.hour == clockShown_.hour && now.day == clockShown_.day) {
    return;
  }
  if (weekday_.empty() || now.day != clockShown_.day || now.month != clockShown_.month ||
      now.year != clockShown_.year) {
    weekday_ = LocaleWeekdayName(now);
  }
  clockShown_ = now;
  const std::wstring text = FormatClockText(now, weekday_);
  if (text == clockText_) return;
  clockText_ = text;
  SendDlgItemMessageW(hwnd_, IDC_STATUSBAR1, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Form1::MAfterWake_Click(int id) {
  AfterWake choice = afterWake_;
  if (id == IDM_REHIBERNATE) {
    choice.rehibernate = !choice.rehibernate;
  } else if (id == IDM_AWAKE_NONE) {
    choice.minutes = 0;
  } else if (id != IDM_AWAKE_OTHER) {
    choice.minutes = kAwakeMenuMinutes[id - IDM_AWAKE_FIRST_LENGTH];
  }
  PlaceAfterWake(choice);
}

void Form1::MViewLog_Click() {
  const std::wstring log = ProgramFile(ProgramFolder(), kWakeLogFileName);
  if (GetFileAttributesW(log.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MessageBoxW(hwnd_, kMsgNoLogYet, kAppTitle, MB_OK | MB_ICONINFORMATION | MB_APPLMODAL);
    return;
  }
  (void)OpenWithShell(log);
}

void Form1::MHelp_Click() {
  // A missing manual is not reported.
  (void)OpenWithShell(ProgramFile(ProgramFolder(), kManualFileName));
}

INT_PTR Form1::OpenWithShell(const std::wstring& filePath) {
  // The program folder itself, a real folder on a share as on a drive.
  const std::wstring folder = ProgramFolder();
  // The shell is loaded only when the manual is asked for, and then kept:
  // linking it would cost every start the loading of shell32, and the
  // viewer's shell extensions may still use it after the call. ShellExecute
  // wants COM, apartment-threaded, on the calling thread.
  if (!shell_) {
    shell_ = LoadSystemLibrary(L"shell32.dll");
    com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  using ShellExecuteWFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  const auto shellExecute = ModuleFunction<ShellExecuteWFn>(shell_, "ShellExecuteW");
  // SE_ERR_DLLNOTFOUND is what the shell itself would answer without its DLL.
  if (!shellExecute) return SE_ERR_DLLNOTFOUND;
  return reinterpret_cast<INT_PTR>(
      shellExecute(GetDesktopWindow(), L"Open", filePath.c_str(), L"", folder.c_str(), SW_SHOWNORMAL));
}

std::wstring Form1::ControlText(int id) const {
  HWND control = Control(id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void Form1::SetControlText(int id, const std::wstring& text) { SetWindowTextW(Control(id), text.c_str()); }

bool Form1::SetPickerDate(const CivilDateTime& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  SendDlgItemMessageW(hwnd_, IDC_DTPICKER1, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  const CivilDateTime held = PickerDate();
  return held.year == date.year && held.month == date.month && held.day == date.day;
}

CivilDateTime Form1::PickerDate() {
  SYSTEMTIME st{};
  SendDlgItemMessageW(hwnd_, IDC_DTPICKER1, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return {st.wYear, st.wMonth, st.wDay, 0, 0, 0};
}

WakeRequest Form1::Request() {
  if (auto given = std::move(commandLineRequest_)) {
    commandLineRequest_.reset();
    return *given;
  }
  return {PickerDate(),           ControlText(IDC_COMBOHH),     ControlText(IDC_COMBOMM),
          ControlText(IDC_TXTUSER), ControlText(IDC_TXTPASSWORD), afterWake_};
}
bool Form1::HibernateTicked() {
  return SendDlgItemMessageW(hwnd_, IDC_CHKSUSPEND, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The portable table gives MessageBox's own style bits.
static_assert(static_cast<UINT>(MessageKind::Information) == (MB_OK | MB_ICONINFORMATION) &&
              static_cast<UINT>(MessageKind::Warning) == (MB_OK | MB_ICONWARNING) &&
              static_cast<UINT>(MessageKind::Question) == (MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));

bool Form1::Show(const ShownMessage& message) {
  const UINT style = static_cast<UINT>(message.kind) | MB_APPLMODAL;
  return MessageBoxW(hwnd_, message.text.c_str(), kAppTitle, style) != IDNO;
}
