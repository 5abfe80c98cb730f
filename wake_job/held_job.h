// What the Task Scheduler holds after a save, judged against what was asked:
// a Set is reported only when the scheduler itself says the job will run at
// the chosen minute and wake the computer. Both routes read the job back
// (jt.exe on XP, the task component on Vista and later) and judge it here.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/civil_time.h"

// What Task Scheduler 2.0's IRegisteredTask::GetRunTimes answered. Its
// documentation says neither whether the window it is given nor the runs it
// returns are local time or UTC, so both are read either way.
struct RunTimes {
  std::vector<CivilDateTime> runs;
  bool more = false;  // S_FALSE: it found more runs than it was asked for
};

struct HeldJob {
  // Each nullopt where the scheduler does not say (Wine's Task Scheduler 2.0
  // leaves some values unimplemented, a call may fail): not saying is never
  // taken as agreeing with something else, nor as a difference.
  std::optional<CivilDateTime> nextRun;  // year 0: the scheduler will never run it
  // The runs the scheduler computes in RunTimesWindow. Its cached next run
  // time is not asked: Vista and Server 2008 can leave it blank after a
  // restart (KB 2619548), and a blank would cut a healthy task.
  std::optional<RunTimes> runsNearAsked;
  std::optional<CivilDateTime> definedStart;  // the stored trigger's StartBoundary
  std::optional<bool> enabled, wakes;
  std::optional<std::wstring> program;
};

// The minute asked for, in local time, and the same instant in UTC where the
// zone's rules could give it: the scheduler may speak in either.
struct AskedMinute {
  AskedMinute(const CivilDateTime& local, std::optional<CivilDateTime> utc = std::nullopt)
      : local(local), utc(utc) {}
  CivilDateTime local;
  std::optional<CivilDateTime> utc;
};

// The window GetRunTimes is asked over: from a day before the asked minute to
// a day after it, so that it holds the minute whether the scheduler reads it
// as local time or as UTC (no zone lies more than 14 hours from UTC).
struct RunTimesWindow {
  CivilDateTime start, end;
  unsigned count;  // runs asked for: a one-time trigger has one
};
RunTimesWindow RunTimesWindowFor(const CivilDateTime& asked);

enum class HeldVerdict { AsAsked, NeverRuns, OtherTime, Disabled, NoWake, OtherProgram };

// `asked` to the minute; the program compared without regard to case, as
// Windows names files. A verdict other than AsAsked rests on an answer that
// says so under every reading of it.
HeldVerdict JudgeHeldJob(const AskedMinute& asked, const std::wstring& program, const HeldJob& held);

// The verdict in words for the user's second line: why, and whether Reveilo
// could remove the task again; empty for AsAsked.
std::wstring HeldVerdictReason(HeldVerdict verdict, bool removed = true);

// A task Task Scheduler 2.0 holds, as the read-back asks it. Windows half:
// the task component's backend; tests use a double of the scheduler.
class RegisteredTaskView {
 public:
  virtual ~RegisteredTaskView() = default;
  virtual std::optional<bool> Enabled() = 0;
  // GetRunTimes over the window; nullopt when the call fails.
  virtual std::optional<RunTimes> Runs(const RunTimesWindow& window) = 0;
  // The task's XML as the scheduler keeps it; nullopt when it cannot be read.
  virtual std::optional<std::wstring> Xml() = 0;
};
HeldJob AskRegisteredTask(RegisteredTaskView& task, const CivilDateTime& asked);

// Whether the task XML the scheduler keeps says the task wakes the computer.
bool XmlWakesToRun(const std::wstring& xml);
// The first StartBoundary in that XML ("yyyy-mm-ddThh:mm:ss", a fraction
// after it ignored); nullopt when there is none to read, or when a zone
// follows it.
std::optional<CivilDateTime> XmlStartBoundary(const std::wstring& xml);
