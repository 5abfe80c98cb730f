// jt.exe: the Task Scheduler command tool that "AddTask.bat" drives, over the
// Task Scheduler 1.0 interfaces. Exit status 0 only when every command of the
// line succeeded and every saved job reads back as asked; the others are
// JtStatus's (wake_job/jt_status.h), which Reveilo turns into the reason it shows.
#include <windows.h>
#include <initguid.h>
#include <mstask.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>

#include "platform/ansi_text_win.h"
#include "platform/com_ref_win.h"
#include "platform/hresult_text.h"
#include "res/strings.h"
#include "tools/jt/jt_command.h"
#include "wake_job/jt_status.h"
#include "wake_job/account_check_win.h"
#include "wake_job/held_job.h"
#include "wake_job/wake_time.h"

namespace {
void PrintLine(const std::wstring& text) {
  const std::wstring line = text + L"\r\n";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  } else {
    const std::string bytes = ToAnsi(line);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

std::wstring Hex(HRESULT hr) { return HresultText(hr); }

struct PendingJob {
  std::wstring user, password;
  bool haveAccount = false;
  std::vector<JtTrigger> triggers;
  std::wstring creator, applicationName, comment, parameters;
  std::optional<DWORD> maxRunTime;
  DWORD flags = 0;
};

void Merge(PendingJob& job, const JtCommand& command) {
  if (command.creator) job.creator = *command.creator;
  if (command.applicationName) job.applicationName = *command.applicationName;
  if (command.comment) job.comment = *command.comment;
  if (command.parameters) job.parameters = *command.parameters;
  if (command.maxRunTime) job.maxRunTime = *command.maxRunTime;
  auto setFlag = [&job](const std::optional<bool>& on, DWORD flag) {
    if (on) job.flags = *on ? (job.flags | flag) : (job.flags & ~flag);
  };
  setFlag(command.systemRequired, TASK_FLAG_SYSTEM_REQUIRED);
  setFlag(command.deleteWhenDone, TASK_FLAG_DELETE_WHEN_DONE);
}

HRESULT AddTrigger(ITask* task, const JtTrigger& t) {
  WORD index = 0;
  ComRef<ITaskTrigger> trigger;
  HRESULT hr = task->CreateTrigger(&index, trigger.Out());
  if (FAILED(hr)) return hr;
  TASK_TRIGGER data{};
  data.cbTriggerSize = sizeof data;
  data.wBeginYear = static_cast<WORD>(t.year);
  data.wBeginMonth = static_cast<WORD>(t.month);
  data.wBeginDay = static_cast<WORD>(t.day);
  data.wStartHour = static_cast<WORD>(t.hour);
  data.wStartMinute = static_cast<WORD>(t.minute);
  data.TriggerType = TASK_TIME_TRIGGER_ONCE;
  data.rgFlags = t.disabled ? TASK_TRIGGER_FLAG_DISABLED : 0;
  return trigger->SetTrigger(&data);
}

// Asked again while the scheduler's service holds the job file.
HRESULT WhenFree(const std::function<HRESULT()>& call) {
  return RetryWhileShared(call, [] { Sleep(100); });
}

HRESULT DeleteWhenFree(ITaskScheduler* scheduler, const std::wstring& name) {
  return WhenFree([&] { return scheduler->Delete(name.c_str()); });
}

HRESULT SaveJob(ITaskScheduler* scheduler, const PendingJob& job, const std::wstring& name) {
  // A job of the same name is replaced, as the batch means it to be. One that
  // cannot be deleted (another account's, for a user who is no administrator)
  // stops the save with the delete's own answer, not NewWorkItem's "file exists".
  const HRESULT deleted = DeleteWhenFree(scheduler, name);
  if (FAILED(deleted) && !MeansNoSuchJob(deleted)) return deleted;
  ComRef<ITask> task;
  HRESULT hr = scheduler->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask, reinterpret_cast<IUnknown**>(task.Out()));
  if (FAILED(hr)) return hr;
  if (!job.applicationName.empty() && FAILED(hr = task->SetApplicationName(job.applicationName.c_str())))
    return hr;
  if (FAILED(hr = task->SetCreator(job.creator.c_str()))) return hr;
  if (FAILED(hr = task->SetComment(job.comment.c_str()))) return hr;
  if (!job.parameters.empty() && FAILED(hr = task->SetParameters(job.parameters.c_str()))) return hr;
  if (job.maxRunTime && FAILED(hr = task->SetMaxRunTime(*job.maxRunTime))) return hr;
  // An account without a password is stored as Task Scheduler 1.0 documents
  // it: no password, and the job runs only in the user's own session. An
  // empty password would be stored, and XP's default policy refuses to log
  // on with it when the job fires.
  const bool noPassword = job.haveAccount && job.password.empty();
  if (FAILED(hr = task->SetFlags(job.flags | (noPassword ? TASK_FLAG_RUN_ONLY_IF_LOGGED_ON : 0)))) return hr;
  if (job.haveAccount &&
      FAILED(hr = task->SetAccountInformation(job.user.c_str(), noPassword ? nullptr : job.password.c_str()))) {
    return hr;
  }
  for (const JtTrigger& trigger : job.triggers) {
    if (FAILED(hr = AddTrigger(task.Get(), trigger))) return hr;
  }
  ComRef<IPersistFile> file;
  if (FAILED(hr = task->QueryInterface(IID_IPersistFile, file.OutVoid()))) return hr;
  return file->Save(nullptr, TRUE);
}

std::wstring TakeCoString(LPWSTR text) {
  std::wstring copy = text ? text : L"";
  CoTaskMemFree(text);
  return copy;
}

void PrintSavedJob(ITaskScheduler* scheduler, const std::wstring& name) {
  ComRef<ITask> task;
  if (name.empty() || FAILED(scheduler->Activate(name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.Out())))) {
    PrintLine(kJtNothingToPrint);
    return;
  }
  LPWSTR text = nullptr;
  PrintLine(kJtPrintJob + name);
  if (SUCCEEDED(task->GetCreator(&text))) PrintLine(kJtPrintCreator + TakeCoString(text));
  if (SUCCEEDED(task->GetApplicationName(&text))) PrintLine(kJtPrintApplication + TakeCoString(text));
  if (SUCCEEDED(task->GetComment(&text))) PrintLine(kJtPrintComment + TakeCoString(text));
  if (SUCCEEDED(task->GetAccountInformation(&text))) PrintLine(kJtPrintAccount + TakeCoString(text));
  DWORD flags = 0;
  if (SUCCEEDED(task->GetFlags(&flags))) {
    std::wstring names;
    if (flags & TASK_FLAG_SYSTEM_REQUIRED) names += L" SystemRequired";
    if (flags & TASK_FLAG_DELETE_WHEN_DONE) names += L" DeleteWhenDone";
    if (flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON) names += L" RunOnlyIfLoggedOn";
    PrintLine(kJtPrintFlags + names);
  }
  SYSTEMTIME next{};
  if (task->GetNextRunTime(&next) == S_OK) {
    PrintLine(kJtPrintNextRun + Padded(next.wYear, 4) + L"/" + Padded(next.wMonth, 2) + L"/" + Padded(next.wDay, 2) +
              L" " + Padded(next.wHour, 2) + L":" + Padded(next.wMinute, 2));
  } else {
    PrintLine(kJtPrintNoNextRun);
  }
  WORD count = 0;
  task->GetTriggerCount(&count);
  for (WORD i = 0; i < count; ++i) {
    ComRef<ITaskTrigger> trigger;
    TASK_TRIGGER data{};
    data.cbTriggerSize = sizeof data;
    if (FAILED(task->GetTrigger(i, trigger.Out())) || FAILED(trigger->GetTrigger(&data))) continue;
    std::wstring line = kJtPrintTrigger + Padded(data.wBeginYear, 4) + L"/" +
                        Padded(data.wBeginMonth, 2) + L"/" + Padded(data.wBeginDay, 2) + L" " +
                        Padded(data.wStartHour, 2) + L":" + Padded(data.wStartMinute, 2);
    if (data.TriggerType == TASK_TIME_TRIGGER_ONCE) line += kJtPrintOnce;
    if (data.rgFlags & TASK_TRIGGER_FLAG_DISABLED) line += kJtPrintDisabled;
    PrintLine(line);
  }
}

// The job the scheduler now holds under `name`, as its next run, flags and
// program say it; nothing is taken on trust from what was saved.
HeldJob ReadBack(ITaskScheduler* scheduler, const std::wstring& name) {
  HeldJob held;
  ComRef<ITask> task;
  const HRESULT activated =
      WhenFree([&] { return scheduler->Activate(name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.Out())); });
  if (FAILED(activated)) {
    // Not there at all: it will never run. Any other failure says nothing.
    if (MeansNoSuchJob(activated)) held.nextRun = CivilDateTime{};
    return held;
  }
  SYSTEMTIME next{};
  const HRESULT hr = task->GetNextRunTime(&next);
  if (hr == S_OK) held.nextRun = CivilDateTime{next.wYear, next.wMonth, next.wDay, next.wHour, next.wMinute, 0};
  else if (SUCCEEDED(hr)) held.nextRun = CivilDateTime{};  // SCHED_S_TASK_NO_MORE_RUNS and its kind
  DWORD flags = 0;
  if (SUCCEEDED(task->GetFlags(&flags))) {
    held.enabled = !(flags & TASK_FLAG_DISABLED);
    held.wakes = (flags & TASK_FLAG_SYSTEM_REQUIRED) && (flags & TASK_FLAG_DELETE_WHEN_DONE);
  }
  LPWSTR program = nullptr;
  if (SUCCEEDED(task->GetApplicationName(&program))) held.program = TakeCoString(program);
  return held;
}

// What the saved job must read back as: the earliest enabled trigger's minute,
// the program asked for, and the wake when it was asked; nullopt when the job
// has no trigger to judge.
std::optional<CivilDateTime> AskedRun(const PendingJob& job) {
  std::optional<CivilDateTime> asked;
  for (const JtTrigger& t : job.triggers) {
    const CivilDateTime at{t.year, t.month, t.day, t.hour, t.minute, 0};
    if (!t.disabled && (!asked || std::tie(at.year, at.month, at.day, at.hour, at.minute) <
                                      std::tie(asked->year, asked->month, asked->day, asked->hour, asked->minute)))
      asked = at;
  }
  return asked;
}

int Run(const JtParse& parse) {
  ComRef<ITaskScheduler> scheduler;
  HRESULT hr = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITaskScheduler, scheduler.OutVoid());
  if (FAILED(hr)) {
    PrintLine(kJtNoScheduler + std::wstring(L" ") + Hex(hr));
    return JtExitCode(JtStatus::NoScheduler);
  }
  PendingJob job;
  std::wstring savedName;
  int status = 0;
  for (const JtCommand& command : parse.commands) {
    switch (command.kind) {
      case JtCommand::Kind::DeleteJob:
        hr = DeleteWhenFree(scheduler.Get(), command.name);
        if (SUCCEEDED(hr)) {
          PrintLine(kJtDeleted + command.name);
        } else if (MeansNoSuchJob(hr)) {
          PrintLine(kJtNoSuchJob + command.name);  // nothing to replace: not a failure
        } else {
          PrintLine(kJtDeleteFailed + command.name + L" " + Hex(hr));
          status = JtExitCode(JtStatus::SaveFailed);
        }
        break;
      case JtCommand::Kind::SetAccount:
        job.user = command.user;
        job.password = command.password;
        job.haveAccount = true;
        break;
      case JtCommand::Kind::CreateTrigger:
        job.triggers.push_back(command.trigger);
        break;
      case JtCommand::Kind::SetJob:
        Merge(job, command);
        break;
      case JtCommand::Kind::SaveJob:
        // XP keeps one password per account for all its jobs and does not
        // check it at Save: a wrong one would break the user's other jobs.
        if (job.haveAccount && !job.password.empty() && PasswordProvenWrong(job.user, job.password)) {
          hr = HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE);
          PrintLine(kJtSaveFailed + command.name + L" " + Hex(hr) + L" " + HresultMeaning(hr));
          status = JtExitCode(JtStatus::Account);
        } else if (SaveOrRemove([&] { return SUCCEEDED(hr = SaveJob(scheduler.Get(), job, command.name)); },
                                [&] { DeleteWhenFree(scheduler.Get(), command.name); })) {
          savedName = command.name;
          PrintLine(kJtSaved + command.name);
          const auto asked = AskedRun(job);
          HeldJob held = ReadBack(scheduler.Get(), command.name);
          // Only what this line asked for is judged.
          const DWORD wake = TASK_FLAG_SYSTEM_REQUIRED | TASK_FLAG_DELETE_WHEN_DONE;
          if ((job.flags & wake) != wake) held.wakes.reset();
          if (job.applicationName.empty()) held.program.reset();
          const HeldVerdict verdict = asked ? JudgeHeldJob(*asked, job.applicationName, held) : HeldVerdict::AsAsked;
          if (verdict != HeldVerdict::AsAsked) {
            // Say what the scheduler holds instead, then leave no job behind,
            // and say so only when the scheduler confirms the delete.
            PrintSavedJob(scheduler.Get(), command.name);
            hr = DeleteWhenFree(scheduler.Get(), command.name);
            const bool removed = SUCCEEDED(hr) || MeansNoSuchJob(hr);
            if (!removed) PrintLine(kJtDeleteFailed + command.name + L" " + Hex(hr));
            PrintLine(HeldVerdictReason(verdict, removed));
            savedName.clear();
            status = JtExitCode(JtStatusFor(verdict, removed));
          }
        } else {
          PrintLine(kJtSaveFailed + command.name + L" " + Hex(hr) + L" " + HresultMeaning(hr));
          status = JtExitCode(SaveFailureStatus(hr));
        }
        break;
      case JtCommand::Kind::PrintJob:
        PrintSavedJob(scheduler.Get(), command.name.empty() ? savedName : command.name);
        break;
    }
  }
  return status;
}
}  // namespace

int wmain() {
  const JtParse parse = ParseJtArguments(JtArgumentsOf(GetCommandLineW()));
  if (!parse.error.empty() || parse.commands.empty()) {
    PrintLine(parse.error.empty() ? std::wstring(kJtUsage) : parse.error);
    return JtExitCode(JtStatus::LineRefused);
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    PrintLine(kJtNoScheduler);
    return JtExitCode(JtStatus::NoScheduler);
  }
  const int status = Run(parse);
  CoUninitialize();
  return status;
}
