// A stand-in for jt.exe: records the raw command line it was given, one line
// per call in "jt_calls.txt" (UTF-16) beside it, and exits with the status
// named by REVEILO_JT_EXIT (0 when unset).
#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/program_folder.h"

int wmain() {
  const std::wstring path = ProgramFile(ProgramFolder(), L"\\jt_calls.txt");
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  const std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  wchar_t status[16] = {};
  if (GetEnvironmentVariableW(L"REVEILO_JT_EXIT", status, 16) > 0) return _wtoi(status);
  return 0;
}
