#include "wake_job/schedule.h"

#include "platform/os_version.h"
#include "platform/program_folder.h"
#include "wake_job/wake_time.h"

namespace {
// The folder as the batch names it: its short form when the long one has a
// character the ANSI batch cannot carry; nullopt when neither will do.
std::optional<std::wstring> BatchFolder(WakeJobSystem& system, const std::wstring& folder) {
  if (system.FitsAnsi(folder)) return folder;
  const std::wstring shortForm = system.ShortPath(folder);
  if (shortForm.empty() || !system.FitsAnsi(shortForm)) return std::nullopt;
  return shortForm;
}

bool ScheduleThroughComponent(WakeJobSystem& system, const WakeJobInputs& inputs,
                              const std::wstring& folder) {
  const auto start = BuildComponentStart(inputs.dateText, inputs.timeText);
  if (!start) return false;
  // The program the task runs is written first: once the task stands it
  // wakes the machine, so no later step may fail behind it.
  const std::wstring startup = ProgramFile(folder, kStartupBatchName);
  if (!system.WriteAnsiFile(startup, std::wstring())) return false;
  return system.CallTaskComponent({*start, startup, kTaskName, kTaskAuthor});
}

bool ScheduleThroughBatch(WakeJobSystem& system, const WakeJobInputs& given,
                          const std::wstring& folder) {
  // jt.exe must read the very time the past-time test read, or nothing.
  WakeJobInputs inputs = given;
  const auto time = ToolTimeText(given.timeText);
  const auto named = BatchFolder(system, folder);
  if (!time || !ParseMonthDayYear(given.dateText) || !named) return false;
  inputs.timeText = *time;
  const auto batch = BuildAddTaskBatch(inputs, *named);
  const auto scrubbed = BuildScrubbedAddTaskBatch(inputs, *named);
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

FolderCheck CheckProgramFolder(WakeJobSystem& system) {
  const bool vista = IsVistaClass(system.VersionClass());
  const std::wstring folder = system.ProgramFolder();
  if (folder.empty()) return {FolderState::NotWritable, folder};
  for (const wchar_t* name : {kSettingsFileName, kStartupBatchName, kAddTaskBatchName}) {
    if ((vista && name == kAddTaskBatchName) || system.CanWrite(ProgramFile(folder, name))) continue;
    return {FolderState::NotWritable, folder};
  }
  if (!vista && !BatchFolder(system, folder)) return {FolderState::NameNotAnsi, folder};
  return {FolderState::Usable, folder};
}

bool ScheduleWakeJob(WakeJobSystem& system, const WakeJobInputs& inputs) {
  const bool vista = IsVistaClass(system.VersionClass());
  const std::wstring folder = system.ProgramFolder();
  if (folder.empty()) return false;
  if (vista) return ScheduleThroughComponent(system, inputs, folder);
  return ScheduleThroughBatch(system, inputs, folder);
}
