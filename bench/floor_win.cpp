// The floor Reveilo.exe is held to: the same window, built by the same code
// with the same manifest, fonts and controls, and a status-bar clock that
// changes once a second, but no program behind it: no settings read, no
// Windows version asked, no locale weekday, no Set command. What Reveilo.exe
// costs beyond this is its own.
#include <windows.h>
#include <commctrl.h>

#include "main_window/form1_layout_win.h"
#include "res/resource.h"

namespace {
WORD g_shownSecond = 60;

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateForm1Controls(hwnd, GetModuleHandleW(nullptr), Twips(ScreenDpi()));
      SetTimer(hwnd, IDT_TIMER1, 100, nullptr);
      return 0;
    case WM_TIMER: {
      SYSTEMTIME now;
      GetLocalTime(&now);
      if (now.wSecond == g_shownSecond) return 0;
      g_shownSecond = now.wSecond;
      wchar_t text[32];
      wsprintfW(text, L"%04u-%02u-%02u (\u65e5) %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
      SendDlgItemMessageW(hwnd, IDC_STATUSBAR1, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return StaticColors(wParam);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
}  // namespace

// With any argument the floor closes as soon as its window is up: a
// command-line Set's process, window and exit with no work in between.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND hwnd = CreateForm1Frame(instance, FloorProc, nullptr, Twips(ScreenDpi()));
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  SetFocus(GetDlgItem(hwnd, IDC_COMMAND1));
  if (arguments && *arguments) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
