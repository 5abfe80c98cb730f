// What the Windows tests under the Wine bench share: the program folder's
// files, and Reveilo.exe driven from another process as a person would drive
// it (windows found by title and class, controls by ID, buttons pressed by
// posting, because a sent click would block behind a modal box).
#pragma once
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "res/resource.h"

inline std::wstring ProgramPath(const wchar_t* name) { return ProgramFile(ProgramFolder(), name); }
// Raw bytes, so that tests compare code page and line ends exactly.
inline std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void WriteFileBytes(const std::wstring& path, const std::string& bytes, bool append = false) {
  std::ofstream(path.c_str(), std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
}
// UTF-16 without a mark, as the recorders write and the tests read it.
inline void WriteFileText16(const std::wstring& path, const std::wstring& text, bool append = false) {
  WriteFileBytes(path, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)), append);
}
inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline std::wstring FileText16(const std::wstring& path) {
  const std::string bytes = FileBytes(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}
inline std::wstring EnvText(const wchar_t* name) {
  wchar_t text[MAX_PATH] = {};
  GetEnvironmentVariableW(name, text, MAX_PATH);
  return text;
}
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount();; Sleep(20)) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
  }
}
// Sent with a time limit, so that a hung Reveilo fails the test instead of holding it.
inline LRESULT SendWithin(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}
inline std::wstring WindowText(HWND hwnd) {
  wchar_t text[4096] = {};
  SendWithin(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  return text;
}
inline std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

// The Task Scheduler's folder: of .job files under the Windows folder, of tasks under System.
inline std::wstring TasksFolder(UINT(WINAPI* folder)(LPWSTR, UINT)) {
  wchar_t path[MAX_PATH] = {};
  folder(path, MAX_PATH);
  return std::wstring(path) + L"\\Tasks\\";
}

// Task Scheduler 2.0's task as the store keeps it: UTF-16 with a mark, or ASCII markup.
inline std::wstring StoredTaskText(const wchar_t* name) {
  const std::wstring path = TasksFolder(GetSystemDirectoryW) + name;
  const std::string bytes = FileBytes(path);
  return bytes.rfind("\xff\xfe", 0) == 0 ? FileText16(path) : std::wstring(bytes.begin(), bytes.end());
}

// Reveilo.exe (or another program of the folder) started from the program
// folder with an argument text, and ended when the test is over if a failed
// test left it running.
class ReveiloProcess {
 public:
  explicit ReveiloProcess(const std::wstring& arguments, const wchar_t* program = L"\\Reveilo.exe") {
    const std::wstring exe = ProgramPath(program);
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Under load Wine now and then refuses a start for a moment: a few tries, not one.
    for (int tries = 0; tries < 20 && !CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                      ProgramFolder().c_str(), &startup, &process_); ++tries) {
      process_ = {};
      Sleep(100);
    }
  }
  ~ReveiloProcess() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  ReveiloProcess(const ReveiloProcess&) = delete;  // it owns the process's handles
  ReveiloProcess& operator=(const ReveiloProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  // A visible top-level window of this process titled "Reveilo", of this class.
  HWND Window(const wchar_t* className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
      while ((found = FindWindowExW(nullptr, found, className, L"Reveilo"))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(found, &pid);
        if (pid == process_.dwProcessId && IsWindowVisible(found)) return true;
      }
      return false;
    }, timeoutMs);
    return found;
  }
  HWND MainWindow() { return main_ ? main_ : (main_ = Window(L"ReveiloForm1", 15000)); }
  HWND MessageBoxWindow(DWORD timeoutMs) { return Window(L"#32770", timeoutMs); }
  bool Exited(DWORD timeoutMs, DWORD* exitCode = nullptr) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
      // A box nobody expected is the usual reason a run does not end: name it.
      // Read without a message: a box just shown after a long blocking call
      // answers none for a while.
      if (wchar_t text[4096]{}; HWND box = timeoutMs > 1000 ? MessageBoxWindow(0) : nullptr)
        GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 4096), std::fwprintf(stderr, L"message box: %ls\n", text);
      return false;
    }
    return !exitCode || GetExitCodeProcess(process_.hProcess, exitCode);
  }

  HWND Control(int id) { return GetDlgItem(MainWindow(), id); }
  std::wstring Text(int id) { return WindowText(Control(id)); }
  void SetText(int id, const std::wstring& text) { SendWithin(Control(id), WM_SETTEXT, 0, LPARAM(text.c_str())); }
  bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Click(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }
  // DTM_GETSYSTEMTIME (st ignored) or DTM_SETSYSTEMTIME on the date picker. The
  // SYSTEMTIME must live in Reveilo's process: the picker's pointer does not cross.
  SYSTEMTIME Picker(UINT message, SYSTEMTIME st = {}) {
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 process_.dwProcessId);
    void* remote = VirtualAllocEx(process, nullptr, sizeof st, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &st, sizeof st, nullptr);
    SendMessageW(Control(IDC_DTPICKER1), message, 0 /* GDT_VALID */, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &st, sizeof st, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return st;
  }
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
  }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};
