// frmSuspend: the countdown dialog, and the countdown's Win32 side.
#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "platform/message_pump_win.h"
#include "platform/twips.h"
#include "platform/ui_font_win.h"
#include "platform/window_layout_win.h"
#include "power/countdown.h"
#include "power/power_win.h"
#include "res/resource.h"
#include "res/strings.h"

namespace {
constexpr wchar_t kSuspendClass[] = L"ReveiloSuspend";
constexpr wchar_t kOwnerClass[] = L"ReveiloSuspendOwner";
constexpr int kClientWidthTwips = 3345, kClientHeightTwips = 1425;
constexpr int kLabelFontCentipoints = 1125;  // the label's own 11.25-point face
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// In tab order, as Form1's controls are.
const ControlLayout kControls[] = {
    {IDC_SUSPEND_LABEL1, WC_STATICW, SS_LEFT, 0, kSuspendLabel, 0, 240, 120, 2175, 375},
    {IDC_SUSPEND_PROGRESSBAR1, PROGRESS_CLASSW, 0, 0, L"", 0, 240, 480, 2895, 255},
    {IDC_SUSPEND_COMMAND1, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0, kSuspendCancel, 0, 1080, 840, 1215, 375, 6},
};

// The dialog's inputs and outputs, kept in GWLP_USERDATA.
struct SuspendDialog {
  bool SuspendCancelled = false;
  HWND window = nullptr;
  HWND owner = nullptr;  // hidden: keeps the dialog off the taskbar
  HWND anchor = nullptr;  // the main window: the dialog opens on its monitor
  HWND progress = nullptr;
  HFONT labelFont = nullptr;
  HFONT uiFont = nullptr;
};

SuspendDialog* DataOf(HWND hwnd) {
  return reinterpret_cast<SuspendDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Command1_Click(SuspendDialog& dialog) { dialog.SuspendCancelled = true; }

LRESULT CALLBACK SuspendProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* dialog = static_cast<SuspendDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
      break;
    }
    case WM_COMMAND:
      // Only the button cancels; Esc (IDCANCEL) is not bound to it.
      if (LOWORD(wParam) == IDC_SUSPEND_COMMAND1 && HIWORD(wParam) == BN_CLICKED) {
        if (SuspendDialog* dialog = DataOf(hwnd)) Command1_Click(*dialog);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      return StaticColors(wParam);
    case WM_CLOSE:
      // Closing is no cancel: the countdown goes on without a dialog.
      DestroyWindow(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The hidden owner keeps the dialog off the taskbar.
bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW owner{};
  owner.cbSize = sizeof owner;
  if (!GetClassInfoExW(instance, kOwnerClass, &owner)) {
    owner = WNDCLASSEXW{};
    owner.cbSize = sizeof owner;
    owner.lpfnWndProc = DefWindowProcW;
    owner.hInstance = instance;
    owner.lpszClassName = kOwnerClass;
    if (!RegisterClassExW(&owner)) return false;
  }
  return RegisterFormClass(instance, kSuspendClass, SuspendProc);
}

bool CreateSuspendDialog(SuspendDialog& dialog) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClasses(instance)) return false;
  const Twips twips(ScreenDpi());
  RECT rect{0, 0, twips.ToPixels(kClientWidthTwips), twips.ToPixels(kClientHeightTwips)};
  AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  // Centred on the work area of the monitor the main window is on.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(dialog.anchor, MONITOR_DEFAULTTOPRIMARY), &monitor))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  const RECT& area = monitor.rcWork;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;

  dialog.owner = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  dialog.window = CreateWindowExW(kExStyle, kSuspendClass, kAppTitle, kStyle, x, y, width, height, dialog.owner,
                                  nullptr, instance, &dialog);
  if (!dialog.window) return false;

  dialog.uiFont = CreateUiFont();
  CreateControls(dialog.window, instance, twips, {kControls, std::size(kControls)}, dialog.uiFont);
  dialog.labelFont = CreateFontW(-MulDiv(kLabelFontCentipoints, twips.Dpi(), 7200), 0, 0, 0, FW_NORMAL, FALSE,
                                 FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kSuspendFontFace);
  SendDlgItemMessageW(dialog.window, IDC_SUSPEND_LABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.labelFont),
                      FALSE);
  dialog.progress = GetDlgItem(dialog.window, IDC_SUSPEND_PROGRESSBAR1);
  SendMessageW(dialog.progress, PBM_SETRANGE32, 0, kCountdownPasses);
  SendMessageW(dialog.progress, PBM_SETPOS, 0, 0);

  ShowWindow(dialog.window, SW_SHOWNORMAL);
  SetForegroundWindow(dialog.window);
  SetFocus(GetDlgItem(dialog.window, IDC_SUSPEND_COMMAND1));
  UpdateWindow(dialog.window);
  return true;
}

void DestroySuspendDialog(SuspendDialog& dialog) {
  // The user may have closed the dialog already; the fonts are ours either way.
  if (dialog.window && IsWindow(dialog.window)) DestroyWindow(dialog.window);
  if (dialog.owner) DestroyWindow(dialog.owner);
  if (dialog.labelFont) DeleteObject(dialog.labelFont);
  if (dialog.uiFont) DeleteObject(dialog.uiFont);
  const HWND anchor = dialog.anchor;
  dialog = SuspendDialog{dialog.SuspendCancelled};
  dialog.anchor = anchor;
}

class Win32CountdownUi : public CountdownUi {
 public:
  Win32CountdownUi(HWND anchor, const bool* closeRequested) : closeRequested_(closeRequested) {
    dialog_.anchor = anchor;
    QueryPerformanceFrequency(&frequency_);
  }
  ~Win32CountdownUi() override { DestroySuspendDialog(dialog_); }
  Win32CountdownUi(const Win32CountdownUi&) = delete;
  Win32CountdownUi& operator=(const Win32CountdownUi&) = delete;

  void Show() override {
    dialog_.SuspendCancelled = false;
    CreateSuspendDialog(dialog_);
  }
  void SetProgress(int position) override {
    if (dialog_.progress && IsWindow(dialog_.progress)) SendMessageW(dialog_.progress, PBM_SETPOS, position, 0);
  }
  void ProcessMessages() override { PumpPendingMessages(); }
  bool SuspendCancelled() override {
    return dialog_.SuspendCancelled || (closeRequested_ && *closeRequested_);
  }
  std::int64_t NowMs() override {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000 / frequency_.QuadPart;
  }
  void WaitUntil(std::int64_t deadline) override {
    // Repaint while waiting, but leave input queued for the pass's own check.
    for (std::int64_t left; (left = deadline - NowMs()) > 0;) {
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_PAINT) == WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&msg);
      }
    }
  }
  void Close() override { DestroySuspendDialog(dialog_); }

 private:
  const bool* closeRequested_;
  SuspendDialog dialog_;
  LARGE_INTEGER frequency_{};
};
}  // namespace

bool RunSuspendCountdown(HWND anchor, const bool* closeRequested) {
  Win32CountdownUi ui(anchor, closeRequested);
  return RunCountdown(ui);
}
