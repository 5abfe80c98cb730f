// For scripts/run.sh: starts Reveilo.exe of its own folder with the given
// arguments and, as a person would, reads out every message box it shows and
// presses the box's default button; when Reveilo then stays open (a refused
// line leaves the window for the user), closes its window. Prints what was
// shown and ends with Reveilo's exit status. Not shipped.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/find_window.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"

namespace {
void Print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}
}  // namespace

int wmain() {
  std::wstring commandLine = L"Reveilo.exe";
  const wchar_t* raw = GetCommandLineW();
  // Everything after this program's own name goes to Reveilo.exe as it is.
  const wchar_t* rest = raw + (raw[0] == L'"' ? std::wcschr(raw + 1, L'"') - raw + 1 : std::wcscspn(raw, L" \t"));
  commandLine += rest;
  const std::wstring program = ProgramFile(ProgramFolder(), L"\\Reveilo.exe");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION reveilo{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &reveilo)) {
    Print(L"Reveilo.exe could not be started\n");
    return 125;
  }
  DWORD quiet = 0;  // milliseconds with no box and the window still open
  while (WaitForSingleObject(reveilo.hProcess, 100) == WAIT_TIMEOUT) {
    if (HWND box = FindVisible(reveilo.dwProcessId, L"#32770")) {
      wchar_t text[4096] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 4096);
      const bool question = GetDlgItem(box, IDYES) != nullptr;
      Print(std::wstring(L"== Reveilo showed:\n") + text + (question ? L"\n== answered: Yes\n" : L"\n== answered: OK\n"));
      PostMessageW(box, WM_COMMAND, question ? IDYES : IDOK, 0);
      Sleep(300);
      quiet = 0;
    } else if (FindVisible(reveilo.dwProcessId, L"ReveiloSuspend")) {
      quiet = 0;  // the countdown runs
    } else if ((quiet += 100) >= 3000) {
      // Nothing more is asked and Reveilo waits for its user: close it as the user would.
      if (HWND main = FindVisible(reveilo.dwProcessId, L"ReveiloForm1")) PostMessageW(main, WM_CLOSE, 0, 0);
      quiet = 0;
    }
  }
  DWORD status = 125;
  GetExitCodeProcess(reveilo.hProcess, &status);
  CloseHandle(reveilo.hThread);
  CloseHandle(reveilo.hProcess);
  return static_cast<int>(status);
}
