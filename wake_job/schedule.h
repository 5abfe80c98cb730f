// ScheduleWakeJob: from the wake request's texts to a Task Scheduler job that
// wakes the machine. Not re-entrant: a second call while a batch still runs
// would rewrite the same files; the Set command never makes one.
#pragma once
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "wake_job/batch_text.h"
#include "wake_job/wake_record.h"

inline constexpr wchar_t kTaskComponentProgId[] = L"Orvane.clsAddTask";
inline constexpr wchar_t kTaskName[] = L"ResumeRV";
inline constexpr wchar_t kTaskAuthor[] = L"Reveilo";

// How a wake job is made: up to XP through jt.exe, which AddTask.bat drives
// (it needs the account and the batch), from Vista on through the task
// component. Chosen once per run, from the version class; everything that
// differs between the two asks this value.
enum class ScheduleRoute { Batch, Component };
// Only the exact class "VISTA" takes the component.
ScheduleRoute RouteForVersionClass(const std::wstring& versionClass);
// The route's password is handed to the scheduler (and so asked for and kept).
bool RouteUsesPassword(ScheduleRoute route);

// What the operation needs from the system; the Win32 version lives in
// wake_job/schedule_win.cpp, tests use a fake.
class WakeJobSystem {
 public:
  virtual ~WakeJobSystem() = default;
  virtual std::wstring ProgramFolder() = 0;
  // Creates or truncates the batch file and writes `text` in the console (OEM)
  // code page, the one cmd.exe reads a batch in; an existing hidden or system
  // file keeps those attributes. False when the file cannot be written or the
  // text has a character the code page cannot carry.
  virtual bool WriteBatchFile(const std::wstring& path, const std::wstring& text) = 0;
  // Starts "AddTask.bat" of `folder` minimised and waits for its end while
  // the thread's messages are processed; its exit status, or nullopt when it
  // could not be started.
  virtual std::optional<unsigned long> RunBatch(const std::wstring& folder) = 0;
  // Creates the component by its ProgID and calls "AddTask" late-bound with
  // the strings (start, program, name, author, and for the wake mode its
  // arguments and run limit in minutes); false on any failure, with the
  // component's own description of it in `reason`.
  virtual bool CallTaskComponent(const std::vector<std::wstring>& arguments, std::wstring& reason) = 0;
  // Whether a file (not a folder) of that path is there.
  virtual bool FileExists(const std::wstring& path) = 0;
  // Whether the file could be written: an existing one is opened for writing
  // and left as it is, a missing one is created and removed again.
  virtual bool CanWrite(const std::wstring& path) = 0;
  // Whether the text has an exact form in the batch's (OEM) code page.
  virtual bool FitsBatch(const std::wstring& text) = 0;
  // The path's short (8.3) form as the file system has it; the path itself
  // when the volume keeps no short names, empty when it does not exist.
  virtual std::wstring ShortPath(const std::wstring& path) = 0;
  // Whether Windows proves the password wrong for the account (see
  // wake_job/account_check.h): false whenever it cannot tell.
  virtual bool PasswordProvenWrong(const std::wstring& user, const std::wstring& password) = 0;
  // The route's scheduler as a tree of tasks, each with its first run up to
  // `asked`; nullptr when it cannot be reached.
  virtual std::unique_ptr<TaskTree> OpenTaskTree(ScheduleRoute route, const CivilDateTime& asked) = 0;
};

// What keeps a Set from going through, found out before anything is written
// or scheduled.
enum class Preflight {
  Usable,
  FolderNotWritable,  // Program Files, a read-only share, a folder the system guards
  FolderNameNotAnsi,  // the batch route's cmd.exe and jt.exe cannot be told where it is
  FolderOnNetwork,    // \\server\share: cmd.exe refuses it as the batch's folder
  AccountControlCharacter,  // Ctrl-Z and its kind end a batch line where cmd.exe reads them
  AccountNotInCodePage,     // the batch cannot carry the user name or password exactly
  ShippedFileMissing,       // jt.exe or ReveiloTask.dll: the zip was not unzipped whole
  UserNameEmpty,            // jt.exe needs an account to store
  UserNameQuote,            // a quote inside the user name (one pair around it is read past)
  AccountRefused,           // Windows proves the password wrong: the earlier job must stay
};
struct PreflightCheck {
  Preflight state;
  std::wstring detail;  // the folder as the user knows it, or the missing file's name
};
// The account matters only on the batch route, which hands it to jt.exe.
PreflightCheck CheckBeforeSet(WakeJobSystem& system, ScheduleRoute route, const std::wstring& user,
                              const std::wstring& password);

struct ScheduleResult {
  bool made = false;
  std::wstring reason;  // why not, in words for the user; empty when made
  ScheduleRoute route = ScheduleRoute::Batch;  // the route it went
};
// Made only when the scheduler, asked afterwards, holds the job as asked.
ScheduleResult ScheduleWakeJob(WakeJobSystem& system, ScheduleRoute route, const WakeJobInputs& inputs);

// The other tasks that will wake the machine before `asked`; a scan that did
// not run when the scheduler cannot be reached.
WakeScan EarlierWakers(WakeJobSystem& system, ScheduleRoute route, const CivilDateTime& asked);
// The route as the user knows it, for the record.
std::wstring RouteName(ScheduleRoute route);

// Wake jobs as the Set command sees them: the route, the check before
// anything is written, the job itself, and what else will wake the machine.
class WakeJobs {
 public:
  virtual ~WakeJobs() = default;
  virtual ScheduleRoute Route() = 0;
  virtual PreflightCheck CheckBeforeSet(const std::wstring& user, const std::wstring& password) = 0;
  virtual ScheduleResult Schedule(const WakeJobInputs& inputs) = 0;
  virtual WakeScan EarlierWakers(const CivilDateTime& asked) = 0;
};

// WakeJobs over a system, on the route chosen for this run.
class SystemWakeJobs : public WakeJobs {
 public:
  SystemWakeJobs(WakeJobSystem& system, ScheduleRoute route) : system_(system), route_(route) {}
  ScheduleRoute Route() override { return route_; }
  PreflightCheck CheckBeforeSet(const std::wstring& user, const std::wstring& password) override {
    return ::CheckBeforeSet(system_, route_, user, password);
  }
  ScheduleResult Schedule(const WakeJobInputs& inputs) override { return ScheduleWakeJob(system_, route_, inputs); }
  WakeScan EarlierWakers(const CivilDateTime& asked) override { return ::EarlierWakers(system_, route_, asked); }

 private:
  WakeJobSystem& system_;
  ScheduleRoute route_;
};
