#include <windows.h>

#include "platform/message_pump.h"
#include "power/power.h"

bool EnterHibernation() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES request{};
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &request.Privileges[0].Luid)) {
    CloseHandle(token);
    return false;
  }
  request.PrivilegeCount = 1;
  request.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous{};
  DWORD returned = 0;
  static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one privilege record is 16 bytes");
  const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &request, sizeof previous, &previous, &returned);
  CloseHandle(token);
  if (!adjusted) return false;
  PumpPendingMessages();
  // Returns when the machine has resumed, or at once when the system refuses.
  SetSystemPowerState(FALSE, TRUE);
  return true;
}
