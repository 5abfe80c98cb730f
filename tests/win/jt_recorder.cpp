// A stand-in for jt.exe: records the arguments of each call, one line a call,
// in "jt_calls.txt" (UTF-16) beside it, and exits with the status named by
// REVEILO_JT_EXIT (0 when unset).
#include "driver.h"
#include "tools/jt/jt_command.h"

int wmain() {
  WriteFileText16(ProgramPath(L"\\jt_calls.txt"), std::wstring(JtArgumentsOf(GetCommandLineW())) + L"\n", true);
  return _wtoi(EnvText(L"REVEILO_JT_EXIT").c_str());
}
