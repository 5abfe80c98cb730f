#include "platform/system_library_win.h"

std::wstring SystemFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return std::wstring(folder, length) + L"\\" + name;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  const std::wstring path = SystemFile(name);
  return path.empty() ? nullptr : LoadLibraryW(path.c_str());
}

void HardenDllSearch() {
  using SetDllDirectoryWFn = BOOL(WINAPI*)(LPCWSTR);
  const auto setDllDirectory = ModuleFunction<SetDllDirectoryWFn>(GetModuleHandleW(L"kernel32.dll"),
                                                                  "SetDllDirectoryW");
  if (setDllDirectory) setDllDirectory(L"");
}
