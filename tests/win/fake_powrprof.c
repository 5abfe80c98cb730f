/* A laptop's power plan, installed as the system's powrprof.dll for a row: a
   battery is present, and the plan's "allow wake timers" values on mains and
   on battery are REVEILO_FAKE_WAKE_TIMERS ("ac,dc"). Hibernation and the
   clock's wake are fine. */
#include <windows.h>
#include <powrprof.h>

static DWORD ReadValue(int dc, LPDWORD value) {
  wchar_t text[16] = L"1,1";
  GetEnvironmentVariableW(L"REVEILO_FAKE_WAKE_TIMERS", text, 16);
  *value = (DWORD)(text[dc ? 2 : 0] - L'0');
  return ERROR_SUCCESS;
}

DWORD WINAPI PowerGetActiveScheme(HKEY root, GUID** scheme) {
  *scheme = root ? NULL : (GUID*)LocalAlloc(LPTR, sizeof(GUID));
  return *scheme ? ERROR_SUCCESS : ERROR_OUTOFMEMORY;
}

/* The scheme, subgroup and setting asked for are the only ones there are. */
DWORD WINAPI PowerReadACValueIndex(HKEY root, const GUID* s, const GUID* g, const GUID* k, LPDWORD value) {
  return root || !s || !g || !k ? ERROR_INVALID_PARAMETER : ReadValue(0, value);
}

DWORD WINAPI PowerReadDCValueIndex(HKEY root, const GUID* s, const GUID* g, const GUID* k, LPDWORD value) {
  return root || !s || !g || !k ? ERROR_INVALID_PARAMETER : ReadValue(1, value);
}

BOOLEAN WINAPI GetPwrCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities) {
  ZeroMemory(capabilities, sizeof *capabilities);
  capabilities->SystemBatteriesPresent = capabilities->SystemS4 = capabilities->HiberFilePresent = TRUE;
  capabilities->RtcWake = PowerSystemHibernate;
  return TRUE;
}
