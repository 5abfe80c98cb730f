// What the Task Scheduler holds after a save, judged against what was asked:
// a Set is reported only when the scheduler itself says the job will run at
// the chosen minute and wake the computer. Both routes read the job back
// (jt.exe on XP, the task component on Vista and later) and judge it here.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/civil_time.h"

struct HeldJob {
  // Each nullopt where the scheduler does not say (Wine's Task Scheduler 2.0
  // leaves some values unimplemented, a call may fail): not saying is never
  // taken as agreeing with something else, nor as a difference.
  std::optional<CivilDateTime> nextRun;  // year 0: the scheduler will never run it
  // The runs the scheduler computes within the asked minute (Task Scheduler
  // 2.0's GetRunTimes): none means it will not run then. Its cached next run
  // time is not asked: Vista and Server 2008 can leave it blank after a
  // restart (KB 2619548), and a blank would cut a healthy task.
  std::optional<std::vector<CivilDateTime>> runsInAskedMinute;
  std::optional<CivilDateTime> definedStart;  // the stored trigger's StartBoundary
  std::optional<bool> enabled, wakes;
  std::optional<std::wstring> program;
};

enum class HeldVerdict { AsAsked, NeverRuns, OtherTime, Disabled, NoWake, OtherProgram };

// `asked` to the minute; the program compared without regard to case, as Windows names files.
HeldVerdict JudgeHeldJob(const CivilDateTime& asked, const std::wstring& program, const HeldJob& held);

// The verdict in words for the user's second line; empty for AsAsked.
std::wstring HeldVerdictReason(HeldVerdict verdict);

// Whether the task XML the scheduler keeps says the task wakes the computer.
bool XmlWakesToRun(const std::wstring& xml);
// The first StartBoundary in that XML ("yyyy-mm-ddThh:mm:ss", a zone or
// fraction after it ignored); nullopt when there is none to read.
std::optional<CivilDateTime> XmlStartBoundary(const std::wstring& xml);
