// What the Windows tests under the Wine bench share: the program folder's
// files, the stand-ins for jt.exe, the Task Scheduler's stores, and Reveilo.exe
// driven from another process as a person would drive it (windows found by
// title and class, controls by ID, buttons pressed by posting, because a sent
// click would block behind a modal box).
#pragma once
#include <windows.h>
#include <mstask.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "wake_job/wake_time.h"

inline std::wstring ProgramPath(const wchar_t* name) { return ProgramFile(ProgramFolder(), name); }
// Raw bytes, so that tests compare code page and line ends exactly.
std::string FileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
std::wstring FileText16(const std::wstring& path);
std::wstring EnvText(const wchar_t* name);

// Which program answers as jt.exe in the program folder.
enum class Jt { Real, Recorder, Missing };
void UseJt(Jt which);
// The calls the recorder received, without the program name.
std::vector<std::wstring> JtCalls();

std::wstring TasksFolder();  // Task Scheduler 1.0's .job files
struct LoadedJob {
  WORD triggers = 0;
  TASK_TRIGGER trigger{};
  std::wstring application, creator;
  DWORD flags = 0;
};
bool LoadJob(const wchar_t* name, LoadedJob& job);
// The text of a Task Scheduler 2.0 task as the store keeps it, "" when none.
std::wstring StoredTaskText(const wchar_t* name);

class ReveiloProcess {
 public:
  // Starts Reveilo.exe from the program folder with this argument text.
  explicit ReveiloProcess(const std::wstring& arguments);
  ~ReveiloProcess();  // ends the process if a failed test left it running
  ReveiloProcess(const ReveiloProcess&) = delete;
  ReveiloProcess& operator=(const ReveiloProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  HWND MainWindow(DWORD timeoutMs = 15000);
  // A visible top-level window of this process titled "Reveilo" of this class.
  HWND FindWindowOfClass(const wchar_t* className, DWORD timeoutMs);
  HWND MessageBoxWindow(DWORD timeoutMs = 15000) { return FindWindowOfClass(L"#32770", timeoutMs); }
  bool Exited(DWORD timeoutMs, DWORD* exitCode = nullptr);

  HWND Control(int id) { return GetDlgItem(MainWindow(), id); }
  std::wstring ControlText(int id);
  void SetControlText(int id, const std::wstring& text);
  std::vector<std::wstring> ComboItems(int id);
  CivilDateTime PickerDate();
  void SetPickerDate(const CivilDateTime& date);
  bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
  void Click(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }
  HWND FocusedWindow();

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

std::wstring WindowText(HWND hwnd);
std::wstring MessageBoxText(HWND box);        // its static control 65535
void PressMessageBoxButton(HWND box, int id);  // IDOK, IDYES, IDNO
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// A screenshot of the window as NAME.bmp in REVEILO_ARTIFACT_DIR, when that is set.
void SaveScreenshot(HWND hwnd, const wchar_t* name);
