// Drives Reveilo.exe's real window from another process, as a person would:
// finds windows by title and class, reads and sets controls by ID, presses
// buttons by posting (a sent click would block behind a modal box).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "wake_job/wake_time.h"

class ReveiloProcess {
 public:
  // Starts Reveilo.exe from the program folder with the argument text given
  // unchanged after the program's name.
  explicit ReveiloProcess(const std::wstring& arguments);
  ~ReveiloProcess();
  ReveiloProcess(const ReveiloProcess&) = delete;
  ReveiloProcess& operator=(const ReveiloProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  DWORD Id() const { return process_.dwProcessId; }
  // The main window once it is visible, or nullptr after the timeout.
  HWND MainWindow(DWORD timeoutMs = 15000);
  // A visible top-level window of this process with the title "Reveilo" and this class.
  HWND FindWindowOfClass(const wchar_t* className, DWORD timeoutMs);
  HWND MessageBoxWindow(DWORD timeoutMs = 15000) { return FindWindowOfClass(L"#32770", timeoutMs); }
  bool Exited(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Ends the process if it is still there (a failed test must not leave it behind).
  void Kill();

  std::wstring ControlText(int id);
  void SetControlText(int id, const std::wstring& text);
  std::vector<std::wstring> ComboItems(int id);
  CivilDateTime PickerDate();
  void SetPickerDate(const CivilDateTime& date);
  bool Checked(int id);
  void SetChecked(int id, bool checked);
  bool Enabled(int id);
  void Click(int id);  // posts BM_CLICK
  HWND Control(int id);
  HWND FocusedWindow();

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

std::wstring WindowText(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
// The text of a message box (its static control 65535).
std::wstring MessageBoxText(HWND box);
// Presses a message box's button (IDOK, IDYES, IDNO) by posting its command.
void PressMessageBoxButton(HWND box, int id);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Saves the window's pixels as a PNG through the Windows Imaging Component.
bool SaveWindowPng(HWND hwnd, const std::wstring& path);
// The folder for artifacts such as screenshots (REVEILO_ARTIFACT_DIR), or "".
std::wstring ArtifactFolder();
