/* A program that Windows XP cannot load: GetTickCount64 came with Vista,
   FlsAlloc with Server 2003 (a client only with Vista). The import check
   must name both. */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main(void) { return (int)((GetTickCount64() + FlsAlloc(NULL)) & 1); }
