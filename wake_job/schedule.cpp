#include "wake_job/schedule.h"

#include <cstdlib>

#include "platform/os_version.h"
#include "platform/program_folder.h"
#include "res/strings.h"
#include "wake_job/jt_status.h"
#include "wake_job/wake_time.h"

namespace {
// The folder as the batch names it: its short form when the long one has a
// character the batch's code page cannot carry; nullopt when neither will do.
std::optional<std::wstring> BatchFolder(WakeJobSystem& system, const std::wstring& folder) {
  if (system.FitsBatch(folder)) return folder;
  const std::wstring shortForm = system.ShortPath(folder);
  if (shortForm.empty() || !system.FitsBatch(shortForm)) return std::nullopt;
  return shortForm;
}

// cmd.exe refuses a \\server\share path as a batch's current folder.
bool IsNetworkPath(const std::wstring& folder) { return folder.rfind(L"\\\\", 0) == 0; }

// cmd.exe ends a batch line at CR, LF or NUL and ends the whole file at
// Ctrl-Z; no other control character has any use in an account.
bool HasControlCharacter(const std::wstring& text) {
  for (wchar_t c : text)
    if (c < 0x20 && c != L'\t') return true;
  return false;
}

ScheduleResult Failed(std::wstring reason) { return {false, std::move(reason)}; }

ScheduleResult ScheduleThroughComponent(WakeJobSystem& system, const WakeJobInputs& inputs,
                                        const std::wstring& folder) {
  // The program the task runs is written first: once the task stands it
  // wakes the machine, so no later step may fail behind it.
  const std::wstring startup = ProgramFile(folder, kStartupBatchName);
  if (!system.WriteBatchFile(startup, std::wstring())) return Failed(kReasonBatchNotWritten);
  std::vector<std::wstring> arguments{ComponentStartText(inputs.at), startup, kTaskName, kTaskAuthor};
  if (const AfterWake& after = inputs.afterWake; after.On())
    arguments = {arguments[0], ProgramFile(folder, kProgramFileName), kTaskName, kTaskAuthor, WakeModeArguments(after),
                 Decimal(RunLimitMinutes(after))};
  std::wstring reason;
  if (!system.CallTaskComponent(arguments, reason)) return Failed(reason);
  return {true, L""};
}

ScheduleResult ScheduleThroughBatch(WakeJobSystem& system, const WakeJobInputs& inputs,
                                    const std::wstring& folder) {
  const auto named = BatchFolder(system, folder);
  if (!named || IsNetworkPath(folder)) return Failed(kReasonBatchNotWritten);
  const auto batch = BuildAddTaskBatch(inputs, *named);
  const auto scrubbed = BuildScrubbedAddTaskBatch(inputs, *named);
  if (!batch || !scrubbed) return Failed(kReasonBatchNotWritten);
  const std::wstring addTask = ProgramFile(folder, kAddTaskBatchName);
  if (!system.WriteBatchFile(addTask, *batch)) {
    // A half-written file may still hold the password.
    (void)system.WriteBatchFile(addTask, *scrubbed);
    return Failed(kReasonBatchNotWritten);
  }
  ScheduleResult result{true, L""};
  if (!system.WriteBatchFile(ProgramFile(folder, kStartupBatchName), std::wstring())) {
    result = Failed(kReasonBatchNotWritten);
  } else if (const auto exitStatus = system.RunBatch(folder); !exitStatus) {
    result = Failed(kReasonBatchNotStarted);
  } else if (*exitStatus != static_cast<unsigned long>(JtStatus::Ok)) {
    // jt.exe saved nothing, or removed what the scheduler then did not hold
    // as asked; cmd gives 9009 when jt.exe cannot be found.
    result = Failed(JtStatusReason(*exitStatus));
  }
  // The password has done its work; leave none on disk. A failed rewrite does
  // not undo a job that was made.
  (void)system.WriteBatchFile(addTask, *scrubbed);
  return result;
}
}  // namespace

namespace {
// Everything the two routes do differently, in one switch: a new route does
// not compile warning-free until each of these is said for it.
struct RouteTraits {
  const wchar_t* shippedFile;  // needed beside Reveilo.exe
  bool batch;                  // AddTask.bat carries the account to jt.exe
  std::wstring ownTask;        // how the scheduler lists ours
  const wchar_t* label;        // the route as the user knows it
};
RouteTraits TraitsOf(ScheduleRoute route) {
  switch (route) {
    case ScheduleRoute::Batch: return {kJtFileName, true, kXpJobName, kLogRouteXp};
    case ScheduleRoute::Component: return {kComponentFileName, false, L"\\" + std::wstring(kTaskName), kLogRouteVista};
  }
  std::abort();  // not a route: only a corrupted value gets here
}
}  // namespace

bool RouteUsesPassword(ScheduleRoute route) { return TraitsOf(route).batch; }

ScheduleRoute RouteForVersionClass(const std::wstring& versionClass) {
  return IsVistaClass(versionClass) ? ScheduleRoute::Component : ScheduleRoute::Batch;
}

PreflightCheck CheckBeforeSet(WakeJobSystem& system, ScheduleRoute route, const std::wstring& user,
                              const std::wstring& password) {
  const RouteTraits traits = TraitsOf(route);
  const bool vista = !traits.batch;
  const std::wstring folder = system.ProgramFolder();
  if (folder.empty()) return {Preflight::FolderNotWritable, folder};
  // Explorer runs a program straight from a zip without the files beside it.
  const wchar_t* needed = traits.shippedFile;
  if (!system.FileExists(ProgramFile(folder, needed))) return {Preflight::ShippedFileMissing, needed + 1};
  // setting.ini is left out: the job does not depend on it, and a failed
  // write of it is silent.
  for (const wchar_t* name : {kStartupBatchName, kAddTaskBatchName}) {
    if ((vista && name == kAddTaskBatchName) || system.CanWrite(ProgramFile(folder, name))) continue;
    return {Preflight::FolderNotWritable, folder};
  }
  if (vista) return {Preflight::Usable, folder};
  if (IsNetworkPath(folder)) return {Preflight::FolderOnNetwork, folder};
  if (!BatchFolder(system, folder)) return {Preflight::FolderNameNotAnsi, folder};
  if (user.empty()) return {Preflight::UserNameEmpty, L""};
  if (HasControlCharacter(user) || HasControlCharacter(password)) return {Preflight::AccountControlCharacter, L""};
  if (!IsBareOrWhollyQuoted(user)) return {Preflight::UserNameQuote, L""};
  if (!system.FitsBatch(user) || !system.FitsBatch(password)) return {Preflight::AccountNotInCodePage, L""};
  // jt.exe would refuse the same password, but only after the batch's first
  // line has deleted the earlier job; an empty one is stored without a check.
  const bool quoted = user.front() == L'"';
  const std::wstring name = quoted ? user.substr(1, user.size() - 2) : user;
  if (!password.empty() && system.PasswordProvenWrong(name, password)) return {Preflight::AccountRefused, L""};
  return {Preflight::Usable, folder};
}

ScheduleResult ScheduleWakeJob(WakeJobSystem& system, ScheduleRoute route, const WakeJobInputs& inputs) {
  const std::wstring folder = system.ProgramFolder();
  ScheduleResult result = Failed(kReasonBatchNotWritten);
  // The job would wake the machine and then start nothing.
  if (inputs.afterWake.On() && !folder.empty() && !system.FileExists(ProgramFile(folder, kProgramFileName))) {
    result = Failed(kReasonProgramMissing);
  } else if (!folder.empty()) {
    switch (route) {
      case ScheduleRoute::Batch: result = ScheduleThroughBatch(system, inputs, folder); break;
      case ScheduleRoute::Component: result = ScheduleThroughComponent(system, inputs, folder); break;
    }
  }
  result.route = route;
  return result;
}

WakeScan EarlierWakers(WakeJobSystem& system, ScheduleRoute route, const CivilDateTime& asked) {
  const auto tree = system.OpenTaskTree(route, asked);
  if (!tree) return {};
  return ScanForEarlierWakers(*tree, asked, TraitsOf(route).ownTask);
}

std::wstring RouteName(ScheduleRoute route) { return TraitsOf(route).label; }
