#include <windows.h>
#include <commctrl.h>

#include "main_window/command_line.h"
#include "main_window/form1_win.h"
#include "platform/system_library_win.h"
#include "power/power_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  HardenDllSearch();
  // Started by its own job after the wake: no window, nothing on screen.
  const std::wstring arguments = TrimSpaces(ArgumentText(GetCommandLineW()));
  if (IsWakeModeLine(arguments)) {
    const auto choice = ReadWakeModeLine(arguments);
    return choice ? RunWakeModeProcess(*choice) : 1;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  Form1 form;
  if (!form.Create(instance)) return 1;
  form.Form_Load(GetCommandLineW());
  form.ShowAtStart(showCommand);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Shift+Tab and the dialog keys in both windows.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return form.ExitCode();
}
