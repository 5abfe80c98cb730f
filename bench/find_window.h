// A visible top-level window of another process, by its class (any class
// when nullptr): what the bench and run.sh's driver look for in Reveilo.
#pragma once
#include <windows.h>

namespace find_window_detail {
struct FindData {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

inline BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (pid == data->pid && IsWindowVisible(hwnd) && (!data->className || lstrcmpW(name, data->className) == 0)) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace find_window_detail

inline HWND FindVisible(DWORD pid, const wchar_t* className) {
  find_window_detail::FindData data{pid, className, nullptr};
  EnumWindows(find_window_detail::FindProc, reinterpret_cast<LPARAM>(&data));
  return data.found;
}
