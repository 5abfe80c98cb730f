#include "platform/system_library_win.h"

#include <string>

HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryW(path.c_str());
}

void HardenDllSearch() {
  using SetDllDirectoryWFn = BOOL(WINAPI*)(LPCWSTR);
  const auto setDllDirectory = ModuleFunction<SetDllDirectoryWFn>(GetModuleHandleW(L"kernel32.dll"),
                                                                  "SetDllDirectoryW");
  if (setDllDirectory) setDllDirectory(L"");
}
