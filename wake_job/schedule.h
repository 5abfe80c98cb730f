// ScheduleWakeJob: from the wake request's texts to a Task Scheduler job that
// wakes the machine. Not re-entrant: a second call while a batch still runs
// would rewrite the same files; the Set command never makes one.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "wake_job/batch_text.h"

inline constexpr wchar_t kTaskComponentProgId[] = L"Orvane.clsAddTask";
inline constexpr wchar_t kTaskName[] = L"ResumeRV";
inline constexpr wchar_t kTaskAuthor[] = L"Reveilo";

// What the operation needs from the system; the Win32 version lives in
// wake_job/schedule_win.cpp, tests use a fake.
class WakeJobSystem {
 public:
  virtual ~WakeJobSystem() = default;
  virtual std::wstring VersionClass() = 0;
  virtual std::wstring ProgramFolder() = 0;
  // Creates or truncates the file and writes `text` in the ANSI code page;
  // false when the file cannot be written or the text has a character the
  // code page cannot carry.
  virtual bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) = 0;
  // Starts "AddTask.bat" of `folder` minimised and waits for its end while
  // the thread's messages are processed; its exit status, or nullopt when it
  // could not be started.
  virtual std::optional<unsigned long> RunBatch(const std::wstring& folder) = 0;
  // Creates the component by its ProgID and calls "AddTask" late-bound with
  // the four strings; false on any failure.
  virtual bool CallTaskComponent(const std::array<std::wstring, 4>& arguments) = 0;
};

bool ScheduleWakeJob(WakeJobSystem& system, const WakeJobInputs& inputs);

// The Win32 system (wake_job/schedule_win.cpp).
WakeJobSystem& Win32WakeJobSystem();
