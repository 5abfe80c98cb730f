#include <windows.h>

#include "platform/local_time_win.h"
#include "platform/system_library_win.h"
#include "power/power_win.h"
#include "power/wake_mode.h"
#include "settings/wake_log_win.h"

namespace {
class Win32WakeMode : public WakeModeSystem {
 public:
  bool ResumeAutomatic() override { return IsSystemResumeAutomatic() != FALSE; }
  bool HoldSystem(bool hold) override {
    return SetThreadExecutionState(ES_CONTINUOUS | (hold ? ES_SYSTEM_REQUIRED : 0)) != 0;
  }
  std::uint32_t Ticks() override { return GetTickCount(); }
  std::optional<std::uint32_t> LastInputTicks() override {
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return std::nullopt;
    return input.dwTime;
  }
  bool WatchesConsole() override {
    // GetLastInputInfo sees only this session's input: a person at the
    // console in another session (a switched user, or this one remote) would
    // not show. Both calls are documented from Vista on; XP has them too, and
    // where one is missing nothing is proven.
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto consoleSession = ModuleFunction<DWORD(WINAPI*)()>(kernel, "WTSGetActiveConsoleSessionId");
    const auto sessionOf = ModuleFunction<BOOL(WINAPI*)(DWORD, DWORD*)>(kernel, "ProcessIdToSessionId");
    DWORD own = 0;
    if (!consoleSession || !sessionOf || !sessionOf(GetCurrentProcessId(), &own)) return false;
    if (consoleSession() != own) return false;  // 0xFFFFFFFF while none is attached
    // And the input desktop is this window station's: not a job run out of sight.
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!desktop) return false;
    CloseDesktop(desktop);
    return true;
  }
  void Wait(std::uint32_t milliseconds) override { Sleep(milliseconds); }
  bool Hibernate() override { return EnterHibernation().has_value(); }
};
}  // namespace

int RunWakeModeProcess(const AfterWake& choice) {
  Win32WakeMode system;
  return RunWakeMode(system, SystemClock(), FileWakeLog(), choice);
}
