// frmSuspend: the countdown dialog, and the countdown's Win32 side.
#include <windows.h>
#include <commctrl.h>

#include "platform/message_pump.h"
#include "platform/twips.h"
#include "platform/ui_font_win.h"
#include "power/countdown.h"
#include "power/power.h"
#include "res/resource.h"
#include "res/strings.h"

namespace {
constexpr wchar_t kSuspendClass[] = L"ReveiloSuspend";
constexpr wchar_t kOwnerClass[] = L"ReveiloSuspendOwner";

// The dialog's inputs and outputs, kept in GWLP_USERDATA.
struct SuspendDialog {
  bool SuspendCancelled = false;
  HWND window = nullptr;
  HWND owner = nullptr;  // hidden: keeps the dialog off the taskbar
  HWND anchor = nullptr;   // the main window: the dialog opens on its monitor
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
      // The scheme's own text colour: under High Contrast the face is dark.
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      // Closing is no cancel: the countdown goes on without a dialog.
      DestroyWindow(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, kSuspendClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SuspendProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_REVEILO));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSuspendClass;
    RegisterClassExW(&wc);
    WNDCLASSEXW owner{};
    owner.cbSize = sizeof owner;
    owner.lpfnWndProc = DefWindowProcW;
    owner.hInstance = instance;
    owner.lpszClassName = kOwnerClass;
    RegisterClassExW(&owner);
  }
}

bool CreateSuspendDialog(SuspendDialog& dialog) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterClasses(instance);
  HDC screen = GetDC(nullptr);
  const Twips twips(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT rect{0, 0, twips.ToPixels(3345), twips.ToPixels(1425)};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
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
  dialog.window = CreateWindowExW(exStyle, kSuspendClass, kAppTitle, style, x, y, width, height, dialog.owner,
                                  nullptr, instance, &dialog);
  if (!dialog.window) return false;

  dialog.uiFont = CreateUiFont();
  dialog.labelFont = CreateFontW(-MulDiv(1125, twips.Dpi(), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, kSuspendFontFace);
  auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD childStyle, int id, int l, int t, int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | childStyle, twips.ToPixels(l), twips.ToPixels(t),
                           twips.ToPixels(w), twips.ToPixels(h), dialog.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  HWND label = child(WC_STATICW, kSuspendLabel, SS_LEFT, IDC_SUSPEND_LABEL1, 240, 120, 2175, 375);
  dialog.progress = child(PROGRESS_CLASSW, L"", 0, IDC_SUSPEND_PROGRESSBAR1, 240, 480, 2895, 255);
  HWND cancel = child(WC_BUTTONW, kSuspendCancel, WS_TABSTOP | BS_PUSHBUTTON, IDC_SUSPEND_COMMAND1, 1080, 840, 1215, 375);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.labelFont), FALSE);
  SendMessageW(cancel, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.uiFont), FALSE);
  SendMessageW(dialog.progress, PBM_SETRANGE32, 0, 100);
  SendMessageW(dialog.progress, PBM_SETPOS, 0, 0);

  ShowWindow(dialog.window, SW_SHOWNORMAL);
  SetForegroundWindow(dialog.window);
  SetFocus(cancel);
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
