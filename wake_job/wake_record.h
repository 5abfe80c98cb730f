// The wake record, "wake.log" beside setting.ini: a line for each successful
// Set, naming every other task that can wake the machine before the asked
// minute, and after a hibernate-now a line saying how the machine came back.
// What goes into a line is decided here; the Windows halves only gather.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/civil_time.h"

// The lines kept: the newest last, the oldest dropped.
inline constexpr std::size_t kWakeLogLines = 200;

// A task as the scheduler lists it.
struct ListedTask {
  std::wstring path;  // "\Folder\Name" (Task Scheduler 2.0), or the job's name (1.0)
  bool enabled = false, wakes = false;
  std::optional<CivilDateTime> nextRun;  // its first run from now to the asked minute, if any
};

// The scheduler's tasks, folder by folder, from "\". Windows half:
// wake_job/task_tree_win.cpp; tests use a fake.
class TaskTree {
 public:
  virtual ~TaskTree() = default;
  // A folder's tasks, hidden ones included, each nullopt where the user may
  // not read it; nullopt when the folder itself cannot be read.
  virtual std::optional<std::vector<std::optional<ListedTask>>> Tasks(const std::wstring& folder) = 0;
  virtual std::vector<std::wstring> Folders(const std::wstring& folder) = 0;
};

struct EarlierWaker {
  std::wstring name;
  CivilDateTime due;
};
struct WakeScan {
  std::vector<EarlierWaker> wakers;  // by their due time
  int unreadable = 0;               // tasks and folders the user may not read
};
// Every enabled task that wakes the computer and is due before `asked`,
// other than ours (`ownPath`).
WakeScan ScanForEarlierWakers(TaskTree& tree, const CivilDateTime& asked, const std::wstring& ownPath);

// "yyyy/mm/dd hh:mm:ss" and "yyyy/mm/dd hh:mm", as the log writes them.
std::wstring LogTime(const CivilDateTime& t);
std::wstring LogMinute(const CivilDateTime& t);

// The line of a successful Set; `routeName` as the user knows the route.
std::wstring SetRecordLine(const CivilDateTime& now, const CivilDateTime& asked, const std::wstring& routeName,
                           const WakeScan& scan);

// The log's text with `line` added last, keeping the last kWakeLogLines lines,
// each ending in CR LF (a last line without one is ended first).
std::wstring AppendLogLine(const std::wstring& text, const std::wstring& line);

// What the machine did after the hibernation call, from the times around it
// and whether the system says the resume was automatic (asked before any
// input resets it).
struct ResumeReport {
  CivilDateTime requested, returned;
  bool automatic = false;
};
enum class ResumeVerdict {
  DidNotHibernate,  // the call came back within about 30 s
  OnTime,           // automatic, within the asked minute and two minutes after
  Early,            // automatic, before the asked minute
  Late,             // automatic, later than that
  ByPersonBefore,   // woken by a person before the asked minute: the job still stands
  NotByItself,      // woken by a person after it: the timer did not wake the machine
  ClockChanged,     // the clock went back meanwhile: nothing can be told
};
ResumeVerdict JudgeResume(const ResumeReport& report, const CivilDateTime& asked);

// The line after the resume. An early wake names the earlier waker that was
// due then, if any, and the wake source the System event log gives
// (`wakeSource`, empty when it gives none); `causes` is what keeps the timer
// from waking the machine that Reveilo knows of, empty for none.
std::wstring ResumeRecordLine(const ResumeReport& report, const CivilDateTime& asked, const WakeScan& scan,
                              const std::wstring& causes, const std::wstring& wakeSource = std::wstring());

// The wake source of a Power-Troubleshooter event (ID 1) as the event log
// renders it in XML: its WakeSourceText data; empty when it has none.
std::wstring EventWakeSource(const std::wstring& eventXml);

// Writes lines into the log. Windows half: settings/wake_log_win.cpp; tests use a fake.
class WakeLog {
 public:
  virtual ~WakeLog() = default;
  // Failing to write is never reported: the record changes no outcome.
  virtual void Append(const std::wstring& line) = 0;
};
