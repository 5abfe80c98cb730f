/* Stands in for a DLL planted beside Reveilo.exe under a system DLL's name:
   if it is ever loaded, it leaves "planted_ran" in its own folder. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  wchar_t path[MAX_PATH + 16];
  DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
  (void)reserved;
  while (reason == DLL_PROCESS_ATTACH && n > 0 && path[n - 1] != L'\\') --n;
  if (reason == DLL_PROCESS_ATTACH && n > 0) {
    lstrcpyW(path + n, L"planted_ran");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
  }
  return TRUE;
}
