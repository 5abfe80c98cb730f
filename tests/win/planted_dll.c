/* Stands in for a DLL planted beside Reveilo.exe under a system DLL's name:
   loaded, it ends the process with status 77. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)self, (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) ExitProcess(77);
  return TRUE;
}
