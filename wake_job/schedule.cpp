#include "wake_job/schedule.h"

#include "platform/os_version.h"
#include "platform/program_folder.h"
#include "wake_job/wake_time.h"

namespace {
bool ScheduleThroughComponent(WakeJobSystem& system, const WakeJobInputs& inputs,
                              const std::wstring& folder) {
  const auto start = BuildComponentStart(inputs.dateText, inputs.timeText);
  if (!start) return false;
  const std::wstring startup = ProgramFile(folder, kStartupBatchName);
  if (!system.CallTaskComponent({*start, startup, kTaskName, kTaskAuthor})) return false;
  return system.WriteAnsiFile(startup, std::wstring());
}

bool ScheduleThroughBatch(WakeJobSystem& system, const WakeJobInputs& inputs,
                          const std::wstring& folder) {
  const auto batch = BuildAddTaskBatch(inputs, folder);
  const auto scrubbed = BuildScrubbedAddTaskBatch(inputs, folder);
  if (!batch || !scrubbed) return false;
  const std::wstring addTask = ProgramFile(folder, kAddTaskBatchName);
  if (!system.WriteAnsiFile(addTask, *batch)) {
    // A half-written file may still hold the password.
    (void)system.WriteAnsiFile(addTask, *scrubbed);
    return false;
  }
  bool ok = system.WriteAnsiFile(ProgramFile(folder, kStartupBatchName), std::wstring());
  if (ok) {
    const auto exitStatus = system.RunBatch(folder);
    // jt.exe exits non-zero when it refused the job, and cmd gives 9009 when
    // jt.exe cannot be found: both mean no wake job.
    ok = exitStatus.has_value() && *exitStatus == 0;
  }
  // The password has done its work; leave none on disk. A failed rewrite does
  // not undo a job that was made.
  (void)system.WriteAnsiFile(addTask, *scrubbed);
  return ok;
}
}  // namespace

bool ScheduleWakeJob(WakeJobSystem& system, const WakeJobInputs& inputs) {
  const bool vista = IsVistaClass(system.VersionClass());
  const std::wstring folder = system.ProgramFolder();
  if (folder.empty()) return false;
  if (vista) return ScheduleThroughComponent(system, inputs, folder);
  return ScheduleThroughBatch(system, inputs, folder);
}
