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
  // Whether the file could be written: an existing one is opened for writing
  // and left as it is, a missing one is created and removed again.
  virtual bool CanWrite(const std::wstring& path) = 0;
  // Whether the text has an exact form in the ANSI code page.
  virtual bool FitsAnsi(const std::wstring& text) = 0;
  // The path's short (8.3) form as the file system has it; the path itself
  // when the volume keeps no short names, empty when it does not exist.
  virtual std::wstring ShortPath(const std::wstring& path) = 0;
};

// Whether a Set can write everything it must in the program folder, found
// out before anything is written or scheduled.
enum class FolderState {
  Usable,
  NotWritable,  // Program Files, a read-only share, a folder the system guards
  NameNotAnsi,  // the batch route's cmd.exe and jt.exe cannot be told where it is
};
struct FolderCheck {
  FolderState state;
  std::wstring folder;  // as the user knows it, for the message
};
FolderCheck CheckProgramFolder(WakeJobSystem& system);

// False when no wake job was made: a folder that fails the check above, a
// date or time that cannot be read, or a failure on the way.
bool ScheduleWakeJob(WakeJobSystem& system, const WakeJobInputs& inputs);

// The Win32 system (wake_job/schedule_win.cpp).
WakeJobSystem& Win32WakeJobSystem();
