#include <windows.h>

#include "platform/local_time_win.h"
#include "platform/message_pump_win.h"
#include "power/power_win.h"

std::optional<ResumeReport> EnterHibernation() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return std::nullopt;
  TOKEN_PRIVILEGES request{};
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &request.Privileges[0].Luid)) {
    CloseHandle(token);
    return std::nullopt;
  }
  request.PrivilegeCount = 1;
  request.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous{};
  DWORD returned = 0;
  static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one privilege record is 16 bytes");
  // Success with ERROR_NOT_ALL_ASSIGNED means the account does not hold the
  // privilege: nothing was enabled, and the request below would be refused.
  const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &request, sizeof previous, &previous, &returned);
  const bool enabled = adjusted && GetLastError() != ERROR_NOT_ALL_ASSIGNED;
  CloseHandle(token);
  if (!enabled) return std::nullopt;
  PumpPendingMessages();
  // Returns non-zero once the machine has resumed, zero at once when the
  // system refuses (hibernation switched off, a driver that vetoes). Whether
  // the resume was automatic is asked at once: input resets it.
  // Non-zero however soon it comes back: the machine did suspend. The
  // verdict is drawn in UTC, which a daylight-saving night does not move.
  const CivilDateTime requested = UtcNow();
  if (!SetSystemPowerState(FALSE, TRUE)) return std::nullopt;
  const bool automatic = IsSystemResumeAutomatic() != FALSE;
  return ResumeReport{requested, UtcNow(), LocalNow(), automatic};
}
