// The wake record, "wake.log" beside setting.ini: a line for each successful
// Set, naming every other task that can wake the machine before the asked
// minute, and after a hibernate-now a line saying how the machine came back.
// What goes into a line, and what the file becomes, is decided here; the
// Windows halves only gather and write.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/civil_time.h"

// The lines kept: the newest last, the oldest dropped.
inline constexpr std::size_t kWakeLogLines = 200;
// The most of the log ever read: its end, which holds the lines kept. A log
// of any size costs no more memory than this.
inline constexpr std::size_t kWakeLogReadBytes = 256 * 1024;
// The earlier wakers a Set line names; the rest are counted.
inline constexpr std::size_t kWakersNamed = 20;
// Folders below this depth are not walked (counted as unread).
inline constexpr int kTaskTreeDepth = 64;

// A task as its folder lists it.
struct ListedTask {
  std::wstring path;  // "\Folder\Name" (Task Scheduler 2.0), or the job's name (1.0)
  bool enabled = false;
};
// One opening of a folder: its tasks (each nullopt where the user may not
// read it) and its subfolders' paths; either list nullopt when the folder
// would not give it.
struct TaskFolderListing {
  std::optional<std::vector<std::optional<ListedTask>>> tasks;
  std::optional<std::vector<std::wstring>> folders;
};
// A task's first run from now up to the asked minute, as the scheduler
// answers: `read` false when it would not answer.
struct FirstRun {
  bool read = false;
  std::optional<CivilDateTime> at;
};

// The scheduler's tasks, folder by folder, from "\". Each question is a call
// to the Task Scheduler service, so the scan asks each at most once, and the
// cheap ones first. Windows half: wake_job/task_tree_win.cpp; tests and the
// bench use a fake.
class TaskTree {
 public:
  virtual ~TaskTree() = default;
  // Opens a folder and lists it; nullopt when it cannot be opened. The two
  // questions below are about the tasks of the folder opened last, by their
  // place in its list.
  virtual std::optional<TaskFolderListing> Open(const std::wstring& folder) = 0;
  // Whether the task may wake the computer; nullopt when it cannot be read.
  virtual std::optional<bool> Wakes(std::size_t task) = 0;
  virtual FirstRun FirstRunBefore(std::size_t task) = 0;
};

struct EarlierWaker {
  std::wstring name;
  CivilDateTime due;
};
struct WakeScan {
  bool ran = false;                  // the scheduler was reached and listed its root
  std::vector<EarlierWaker> wakers;  // by their due time
  int unreadTasks = 0, unreadFolders = 0;  // what the user may not read
};
// Every enabled task that wakes the computer and is due before `asked`,
// other than ours (`ownPath`).
WakeScan ScanForEarlierWakers(TaskTree& tree, const CivilDateTime& asked, const std::wstring& ownPath);

// "yyyy/mm/dd hh:mm:ss" and "yyyy/mm/dd hh:mm", as the log writes them.
std::wstring LogTime(const CivilDateTime& t);
std::wstring LogMinute(const CivilDateTime& t);

// A text from outside the program (a task's name, the event log's wake
// source) as a log field: XML character references decoded, and every
// control or line-breaking character a blank, so no outside text can end a
// line or start a forged one.
std::wstring LogField(std::wstring_view text);

// The line of a successful Set; `routeName` as the user knows the route.
std::wstring SetRecordLine(const CivilDateTime& now, const CivilDateTime& asked, const std::wstring& routeName,
                           const WakeScan& scan);

// The log file's new bytes: the lines of `tail` (the end of the old file;
// its first line dropped when `cut`, since the read began inside it) each
// ended with CR LF, then `line`, keeping the last kWakeLogLines. A stray CR
// or LF in either becomes a blank; a UTF-8 byte-order mark at the file's
// start is dropped.
std::string AppendLogBytes(std::string_view tail, bool cut, std::string_view line);

// What the machine did after the hibernation call, from the UTC times around
// it (a daylight-saving night is no clock change) and whether the system says
// the resume was automatic (asked before any input resets it).
struct ResumeReport {
  CivilDateTime requestedUtc, returnedUtc;
  CivilDateTime returnedLocal;  // for the line
  bool automatic = false;
};
enum class ResumeVerdict {
  CameBackSoon,    // the call came back within 30 s: suspended and resumed at once
  OnTime,          // automatic, within the asked minute and two minutes after
  Early,           // automatic, before the asked minute
  Late,            // automatic, later than that
  ByPersonBefore,  // woken by a person before the asked minute: the job still stands
  PersonAtTime,    // not automatic within the asked minute and three after: someone was there
  NotByItself,     // woken by a person later: the timer did not wake the machine
  ClockChanged,    // the clock went back meanwhile: nothing can be told
};
ResumeVerdict JudgeResume(const ResumeReport& report, const CivilDateTime& askedUtc);
// Whether the line names the event log's wake source: the verdicts where the
// timer may or may not have been what woke the machine.
bool VerdictWantsWakeSource(ResumeVerdict verdict);

// The line after the resume. An early wake names the earlier waker that was
// due then, if any; `wakeSource` is the event log's for this resume (empty
// when it gives none); `causes` is what keeps the timer from waking the
// machine that Reveilo knows of, empty for none.
std::wstring ResumeRecordLine(const ResumeReport& report, const CivilDateTime& askedUtc, const WakeScan& scan,
                              const std::wstring& causes, const std::wstring& wakeSource = std::wstring());
// The line when the system refused to hibernate.
std::wstring HibernationRefusedLine(const CivilDateTime& now);

// The wake source of a Power-Troubleshooter event (ID 1) as the event log
// renders it in XML: its WakeSourceText (empty when it has none); nullopt
// when the event was not created at or after `sinceUtc` (another resume's).
std::optional<std::wstring> EventWakeSource(const std::wstring& eventXml, const CivilDateTime& sinceUtc);

// Writes lines into the log. Windows half: settings/wake_log_win.cpp; tests use a fake.
class WakeLog {
 public:
  virtual ~WakeLog() = default;
  // Failing to write is never reported: the record changes no outcome. A
  // failure leaves the log as it was.
  virtual void Append(const std::wstring& line) = 0;
};
