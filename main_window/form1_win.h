// Form1: the main window, its start-up and its event handlers.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <string>
#include <string_view>

#include "main_window/set_command.h"
#include "platform/twips.h"

class Form1 : public SetCommandHost {
 public:
  Form1();
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window and its controls, hidden. False when it cannot.
  bool Create(HINSTANCE instance);
  // Start-up: restores the last settings, or takes the command line apart
  // and runs the Set command with it.
  void Form_Load(std::wstring_view commandLine);
  // Shows the window as the ordinary start does, unless start-up ended the program.
  void ShowAtStart(int showCommand);
  HWND Window() const { return hwnd_; }
  // The process's exit status once the window has gone: 0 after a successful Set.
  int ExitCode() const { return exitCode_; }

  bool CommandLineMode = false;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCreate();
  void OnCommand(int id, int code);
  void OnClose();
  void OnDestroy();

  void Command1_Click();
  void Timer1_Timer();
  void MHelp_Click();
  void MAfterWake_Click(int id);
  void MViewLog_Click();
  // Shows `choice` in the after-wake menu and keeps it for the next Set.
  void PlaceAfterWake(const AfterWake& choice);
  INT_PTR OpenWithShell(const std::wstring& filePath);

  void RestoreSettings();
  void EndProgram(int exitCode);
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ControlText(int id) const;
  void SetControlText(int id, const std::wstring& text);
  // False when the picker would not take the date.
  bool SetPickerDate(const CivilDateTime& date);

  // SetCommandHost
  CivilDateTime PickerDate();
  WakeRequest Request() override;
  bool HibernateTicked() override;
  bool InCommandLineMode() override { return CommandLineMode; }
  bool CloseRequested() override { return closeRequested_; }
  bool Show(const ShownMessage& message) override;

  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HMODULE shell_ = nullptr;  // loaded at the first Help, kept while the window lives
  bool com_ = false;
  Twips twips_;
  ScheduleRoute route_ = ScheduleRoute::Batch;  // chosen once, at load
  SetCommand setCommand_;
  bool closeRequested_ = false;
  // The command line's request, taken by the first Set; later ones read the
  // controls, which the user may have changed after a refusal.
  std::optional<WakeRequest> commandLineRequest_;
  AfterWake afterWake_;  // as the menu shows it
  bool ended_ = false;
  int exitCode_ = 1;
  std::wstring clockText_;
  CivilDateTime clockShown_{};
  std::wstring weekday_;
};
