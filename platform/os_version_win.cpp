#include <windows.h>

#include "platform/os_version.h"
#include "platform/os_version_win.h"

std::wstring GetOSVersion() {
  // Looked up at run time so that a system without the call yields "Failed"
  // rather than refusing to start.
  using GetVersionExAFn = BOOL(WINAPI*)(OSVERSIONINFOA*);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto query = kernel ? reinterpret_cast<GetVersionExAFn>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "GetVersionExA")))
                      : nullptr;
  if (!query) return kVersionClassFailed;

  OSVERSIONINFOA info{};
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");
  info.dwOSVersionInfoSize = sizeof info;
  // A failed query leaves the record zeroed, which classifies as the empty class.
  query(&info);
  return ClassifyWindowsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
