// The Task Scheduler 1.0 store and the jt.exe stand-ins, for tests under Wine.
#pragma once
#include <mstask.h>
#include <taskschd.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "tools/jt/jt_command.h"

enum class Jt { Real, Recorder, Missing };

inline void UseJt(Jt which) {
  const std::wstring jt = ProgramPath(L"\\jt.exe");
  const std::wstring real = ProgramPath(L"\\jt_real.exe");
  if (!FileExists(real)) {
    ASSERT_TRUE(CopyFileW(jt.c_str(), real.c_str(), TRUE));
  }
  DeleteFileW(jt.c_str());
  if (which == Jt::Real) {
    ASSERT_TRUE(CopyFileW(real.c_str(), jt.c_str(), FALSE));
  } else if (which == Jt::Recorder) {
    ASSERT_TRUE(CopyFileW(ProgramPath(L"\\jt_recorder.exe").c_str(), jt.c_str(), FALSE));
  }
}

inline std::wstring TasksFolder() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\Tasks";
}

inline int JobFileCount() {
  int count = 0;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((TasksFolder() + L"\\*.job").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileW(find, &found));
  FindClose(find);
  return count;
}

// The calls jt.exe received, without the program name.
inline std::vector<std::wstring> JtCalls() {
  std::vector<std::wstring> calls;
  const std::wstring text = FileText16(ProgramPath(L"\\jt_calls.txt"));
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    calls.emplace_back(JtArgumentsOf(text.substr(start, end - start)));
  }
  return calls;
}

struct LoadedJob {
  WORD triggers = 0;
  TASK_TRIGGER trigger{};
  std::wstring application, comment, creator;
  DWORD flags = 0;
};

inline std::wstring TakeCoString(LPWSTR text) {
  std::wstring copy = text ? text : L"";
  CoTaskMemFree(text);
  return copy;
}

inline bool LoadJob(const wchar_t* name, LoadedJob& job) {
  ITaskScheduler* scheduler = nullptr;
  if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(&scheduler))))
    return false;
  ITask* task = nullptr;
  const bool found = SUCCEEDED(scheduler->Activate(name, IID_ITask, reinterpret_cast<IUnknown**>(&task)));
  if (found) {
    LPWSTR text = nullptr;
    task->GetTriggerCount(&job.triggers);
    ITaskTrigger* trigger = nullptr;
    if (job.triggers > 0 && SUCCEEDED(task->GetTrigger(0, &trigger))) {
      job.trigger.cbTriggerSize = sizeof job.trigger;
      trigger->GetTrigger(&job.trigger);
      trigger->Release();
    }
    if (SUCCEEDED(task->GetApplicationName(&text))) job.application = TakeCoString(text);
    if (SUCCEEDED(task->GetComment(&text))) job.comment = TakeCoString(text);
    if (SUCCEEDED(task->GetCreator(&text))) job.creator = TakeCoString(text);
    task->GetFlags(&job.flags);
    task->Release();
  }
  scheduler->Release();
  return found;
}


// What Wine's Task Scheduler 2.0 keeps of a registered task: its
// registration info and settings (it drops time triggers and exec actions).
struct WakeTask {
  bool found = false;
  std::wstring author;
  bool wakeToRun = false;
};

inline WakeTask LoadWakeTask(const wchar_t* name) {
  WakeTask result;
  ITaskService* service = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                              reinterpret_cast<void**>(&service))))
    return result;
  VARIANT empty;
  VariantInit(&empty);
  ITaskFolder* folder = nullptr;
  IRegisteredTask* task = nullptr;
  ITaskDefinition* definition = nullptr;
  BSTR root = SysAllocString(L"\\");
  BSTR taskName = SysAllocString(name);
  if (SUCCEEDED(service->Connect(empty, empty, empty, empty)) && SUCCEEDED(service->GetFolder(root, &folder)) &&
      SUCCEEDED(folder->GetTask(taskName, &task)) && SUCCEEDED(task->get_Definition(&definition))) {
    result.found = true;
    IRegistrationInfo* info = nullptr;
    BSTR author = nullptr;
    if (SUCCEEDED(definition->get_RegistrationInfo(&info)) && SUCCEEDED(info->get_Author(&author))) {
      result.author = author ? author : L"";
    }
    SysFreeString(author);
    if (info) info->Release();
    ITaskSettings* settings = nullptr;
    VARIANT_BOOL wake = VARIANT_FALSE;
    if (SUCCEEDED(definition->get_Settings(&settings)) && SUCCEEDED(settings->get_WakeToRun(&wake))) {
      result.wakeToRun = wake == VARIANT_TRUE;
    }
    if (settings) settings->Release();
  }
  SysFreeString(taskName);
  SysFreeString(root);
  if (definition) definition->Release();
  if (task) task->Release();
  if (folder) folder->Release();
  service->Release();
  return result;
}
