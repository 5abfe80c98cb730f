#include "main_window/form1_win.h"

#include <commctrl.h>
#include <imm.h>
#include <shellapi.h>

#include "main_window/clock_text.h"
#include "main_window/command_line.h"
#include "platform/ansi_text.h"
#include "platform/local_time.h"
#include "platform/os_version.h"
#include "platform/program_folder.h"
#include "platform/ui_font_win.h"
#include "power/power.h"
#include "res/resource.h"
#include "res/strings.h"
#include "settings/password.h"
#include "settings/settings.h"
#include "wake_job/schedule.h"

namespace {
constexpr wchar_t kForm1Class[] = L"ReveiloForm1";
constexpr int kClientWidthTwips = 2775;
constexpr int kClientHeightTwips = 3495;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

struct ControlLayout {
  int id;
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
  const wchar_t* text;
  int frame;  // the frame the position is relative to, or 0 for the window
  int left, top, width, height;
};

// In tab order: the creation order is the order Tab moves through.
const ControlLayout kControls[] = {
    {IDC_COMMAND1, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, kButtonSet, 0, 120, 2640, 2535, 375},
    {IDC_FRAME1, WC_BUTTONW, BS_GROUPBOX, 0, kFrameWakeTime, 0, 120, 120, 2535, 975},
    {IDC_DTPICKER1, DATETIMEPICK_CLASSW, WS_TABSTOP | WS_GROUP | DTS_SHORTDATEFORMAT, 0, L"", IDC_FRAME1, 240, 240,
     1815, 255},
    {IDC_COMBOHH, WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"",
     IDC_FRAME1, 240, 600, 615, 300},
    {IDC_COMBOMM, WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, L"",
     IDC_FRAME1, 1200, 600, 615, 300},
    {IDC_FRAME2, WC_BUTTONW, BS_GROUPBOX, 0, kFrameUser, 0, 120, 1200, 2535, 975},
    {IDC_LABEL1, WC_STATICW, SS_LEFT, 0, kLabelUserName, IDC_FRAME2, 120, 270, 975, 255},
    {IDC_LABEL2, WC_STATICW, SS_LEFT, 0, kLabelPassword, IDC_FRAME2, 150, 630, 975, 255},
    {IDC_TXTUSER, WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L"", IDC_FRAME2, 1080, 240,
     1335, 270},
    {IDC_TXTPASSWORD, WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE, L"",
     IDC_FRAME2, 1080, 600, 1335, 270},
    {IDC_CHKSUSPEND, WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, kCheckHibernateNow, 0, 240, 2280, 2175,
     255},
    {IDC_LABEL3, WC_STATICW, SS_LEFT, 0, kLabelHour, IDC_FRAME1, 900, 680, 255, 255},
    {IDC_LABEL4, WC_STATICW, SS_LEFT, 0, kLabelMinute, IDC_FRAME1, 1840, 680, 255, 255},
};

struct FrameOrigin {
  int id, left, top;
};
const FrameOrigin kFrames[] = {{IDC_FRAME1, 120, 120}, {IDC_FRAME2, 120, 1200}};

// The drop-down list below an editable combo box, beyond its edit field.
constexpr int kComboListTwips = 3000;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

std::wstring TwoDigits(int value) { return Padded(value, 2); }
}  // namespace

Form1::Form1() : twips_(ScreenDpi()) {}

Form1::~Form1() {
  if (font_) DeleteObject(font_);
}

bool Form1::Create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_REVEILO));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_REVEILO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kForm1Class;
  if (!RegisterClassExW(&wc)) return false;

  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, IDM_HELP, kMenuHelp);
  RECT rect{0, 0, twips_.ToPixels(kClientWidthTwips), twips_.ToPixels(kClientHeightTwips)};
  AdjustWindowRectEx(&rect, kFormStyle, TRUE, kFormExStyle);
  hwnd_ = CreateWindowExW(kFormExStyle, kForm1Class, kAppTitle, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          rect.right - rect.left, rect.bottom - rect.top, nullptr, menu, instance, this);
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
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
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
  font_ = CreateUiFont();
  CreateControls();
  SetTimer(hwnd_, IDT_TIMER1, 100, nullptr);
  return 0;
}

void Form1::CreateControls() {
  HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR1)), instance_, nullptr);
  int parts[1] = {twips_.ToPixels(2500)};
  SendMessageW(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));

  for (const ControlLayout& layout : kControls) {
    int left = layout.left, top = layout.top;
    for (const FrameOrigin& frame : kFrames) {
      if (frame.id == layout.frame) {
        left += frame.left;
        top += frame.top;
      }
    }
    int height = twips_.ToPixels(layout.height);
    if (layout.id == IDC_COMBOHH || layout.id == IDC_COMBOMM) height += twips_.ToPixels(kComboListTwips);
    HWND control = CreateWindowExW(layout.exStyle, layout.windowClass, layout.text, WS_CHILD | WS_VISIBLE | layout.style,
                                   twips_.ToPixels(left), twips_.ToPixels(top), twips_.ToPixels(layout.width), height,
                                   hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance_, nullptr);
    if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  if (font_) SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  for (int hour = 0; hour < 24; ++hour)
    SendDlgItemMessageW(hwnd_, IDC_COMBOHH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TwoDigits(hour).c_str()));
  for (int minute = 0; minute < 60; ++minute)
    SendDlgItemMessageW(hwnd_, IDC_COMBOMM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TwoDigits(minute).c_str()));
  SetControlText(IDC_COMBOHH, L"12");
  SetControlText(IDC_COMBOMM, L"00");

  // Common controls 6 would show a bullet; the password shows as '*', and is
  // typed straight from the keyboard, never composed by the input method.
  SendDlgItemMessageW(hwnd_, IDC_TXTPASSWORD, EM_SETPASSWORDCHAR, L'*', 0);
  ImmAssociateContext(Control(IDC_TXTPASSWORD), nullptr);

  SYSTEMTIME range[2] = {};
  range[0].wYear = 1601;
  range[0].wMonth = 1;
  range[0].wDay = 1;
  range[1].wYear = 9999;
  range[1].wMonth = 12;
  range[1].wDay = 31;
  SendDlgItemMessageW(hwnd_, IDC_DTPICKER1, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

void Form1::Form_Load(std::wstring_view commandLine) {
  if (IsVistaClass(GetOSVersion())) {
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
  if (!tokens || !date || !time) {
    // Nothing of the line is used: the window opens as on a plain start.
    RestoreSettings();
    ShowAtStart(SW_SHOWNORMAL);
    MessageBoxW(hwnd_, kMsgBadCommandLine, kAppTitle, MB_OK | MB_ICONWARNING | MB_APPLMODAL);
    return;
  }

  CommandLineMode = true;
  ShowAtStart(SW_SHOWNORMAL);
  SetPickerDate(*date);
  SetControlText(IDC_COMBOHH, time->hour);
  SetControlText(IDC_COMBOMM, time->minute);
  SetControlText(IDC_TXTUSER, tokens->user);
  SetControlText(IDC_TXTPASSWORD, tokens->password);
  if (tokens->hibernate) SendDlgItemMessageW(hwnd_, IDC_CHKSUSPEND, BM_SETCHECK, BST_CHECKED, 0);
  Command1_Click();
}

void Form1::RestoreSettings() {
  SetPickerDate(LocalNow());
  const std::wstring user = ReadSetting(kSectionUserInfo, kKeyUser);
  if (!user.empty()) {
    SetControlText(IDC_TXTUSER, user);
  } else {
    char name[256] = {};
    DWORD size = 255;
    GetUserNameA(name, &size);  // on failure the box stays empty
    SetControlText(IDC_TXTUSER, FromAnsi(name));
  }
  const std::wstring pass = ReadSetting(kSectionUserInfo, kKeyPass);
  if (!pass.empty()) SetControlText(IDC_TXTPASSWORD, ConvertPassword(L"RESET", pass).value_or(L""));
  const std::wstring hour = ReadSetting(kSectionStartTime, kKeyHour);
  if (!hour.empty()) SetControlText(IDC_COMBOHH, hour);
  const std::wstring minute = ReadSetting(kSectionStartTime, kKeyMin);
  if (!minute.empty()) SetControlText(IDC_COMBOMM, minute);
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
  const auto outcome = setCommand_.Click(*this);
  if (!outcome) return;  // a run is already under way
  if (*outcome == SetOutcome::Exit) {
    EndProgram(0);
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

void Form1::MHelp_Click() {
  // A missing manual is not reported.
  (void)OpenWithShell(ProgramFile(ProgramFolder(), kManualFileName));
}

INT_PTR Form1::OpenWithShell(const std::wstring& filePath) {
  const std::wstring root = ProgramFolder().substr(0, 3);
  const std::string file = ToAnsi(filePath), folder = ToAnsi(root);
  // The shell is loaded only when the manual is asked for: linking it would
  // cost every start the loading of shell32 and what it pulls in.
  using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  HMODULE shell = LoadLibraryW(L"shell32.dll");
  const auto shellExecute = shell ? reinterpret_cast<ShellExecuteAFn>(
                                        reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")))
                                  : nullptr;
  // SE_ERR_DLLNOTFOUND is what the shell itself would answer without its DLL.
  const INT_PTR result =
      shellExecute ? reinterpret_cast<INT_PTR>(shellExecute(GetDesktopWindow(), "Open", file.c_str(), "",
                                                            folder.c_str(), SW_SHOWNORMAL))
                   : SE_ERR_DLLNOTFOUND;
  if (shell) FreeLibrary(shell);
  return result;
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

void Form1::SetPickerDate(const CivilDateTime& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  SendDlgItemMessageW(hwnd_, IDC_DTPICKER1, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

CivilDateTime Form1::PickerDate() {
  SYSTEMTIME st{};
  SendDlgItemMessageW(hwnd_, IDC_DTPICKER1, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return {st.wYear, st.wMonth, st.wDay, 0, 0, 0};
}

std::wstring Form1::HourText() { return ControlText(IDC_COMBOHH); }
std::wstring Form1::MinuteText() { return ControlText(IDC_COMBOMM); }
std::wstring Form1::UserText() { return ControlText(IDC_TXTUSER); }
std::wstring Form1::PasswordText() { return ControlText(IDC_TXTPASSWORD); }
bool Form1::PasswordBoxEnabled() { return IsWindowEnabled(Control(IDC_TXTPASSWORD)) != FALSE; }
bool Form1::HibernateTicked() {
  return SendDlgItemMessageW(hwnd_, IDC_CHKSUSPEND, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
CivilDateTime Form1::Now() { return LocalNow(); }
Readiness Form1::WakeTimers() { return QueryWakeTimers(); }
Readiness Form1::Hibernation() { return QueryHibernation(); }

bool Form1::ShowMessage(SetMessage message) {
  const wchar_t* text = kMsgDone;
  UINT style = MB_OK | MB_ICONINFORMATION;
  switch (message) {
    case SetMessage::PastTime: text = kMsgPastTime, style = MB_OK | MB_ICONWARNING; break;
    case SetMessage::EmptyPassword:
      text = kMsgEmptyPassword, style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
      break;
    case SetMessage::ScheduleFailed: text = kMsgScheduleFailed, style = MB_OK | MB_ICONWARNING; break;
    case SetMessage::PasswordNotStorable: text = kMsgPasswordNotStorable, style = MB_OK | MB_ICONWARNING; break;
    case SetMessage::WakeTimersOff:
      text = kMsgWakeTimersOff, style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
      break;
    case SetMessage::HibernationOff:
      text = kMsgHibernationOff, style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
      break;
    case SetMessage::Done: break;
  }
  return MessageBoxW(hwnd_, text, kAppTitle, style | MB_APPLMODAL) != IDNO;
}

bool Form1::ScheduleWakeJob(const std::wstring& date, const std::wstring& time, const std::wstring& user,
                            const std::wstring& password) {
  return ::ScheduleWakeJob(Win32WakeJobSystem(), {date, time, user, password});
}

bool Form1::WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  return ::WriteSetting(section, key, value);
}

bool Form1::RunSuspendCountdown() { return ::RunSuspendCountdown(&closeRequested_); }
bool Form1::EnterHibernation() { return ::EnterHibernation(); }
