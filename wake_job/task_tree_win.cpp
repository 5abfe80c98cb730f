#include <windows.h>
#include <initguid.h>
#include <mstask.h>
#include <taskschd.h>

#include "platform/com_ref_win.h"
#include "platform/local_time_win.h"
#include "tools/jt/jt_command.h"
#include "wake_job/task_tree_win.h"

namespace {
std::wstring TakeBstr(BSTR text) {
  std::wstring copy(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return copy;
}

// Task Scheduler 1.0: one folder of jobs, listed by file name ("Backup.job")
// and opened by work item name ("Backup").
class JobFolder : public TaskTree {
 public:
  JobFolder(std::unique_ptr<ComApartment> apartment, ITaskScheduler* scheduler)
      : apartment_(std::move(apartment)) {
    *scheduler_.Out() = scheduler;
  }
  std::optional<std::vector<std::optional<ListedTask>>> Tasks(const std::wstring&) override {
    ComRef<IEnumWorkItems> items;
    if (FAILED(scheduler_->Enum(items.Out()))) return std::nullopt;
    std::vector<std::optional<ListedTask>> tasks;
    for (HRESULT hr = S_OK; hr == S_OK;) {
      LPWSTR* names = nullptr;
      ULONG fetched = 0;
      hr = items->Next(16, &names, &fetched);
      for (ULONG i = 0; names && i < fetched; ++i) {
        tasks.push_back(Job(WorkItemName(names[i])));
        CoTaskMemFree(names[i]);
      }
      CoTaskMemFree(names);
    }
    return tasks;
  }
  std::vector<std::wstring> Folders(const std::wstring&) override { return {}; }

 private:
  std::optional<ListedTask> Job(const std::wstring& name) {
    ComRef<ITask> task;
    DWORD flags = 0;
    if (FAILED(scheduler_->Activate(name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.Out()))) ||
        FAILED(task->GetFlags(&flags)))
      return std::nullopt;
    ListedTask listed{name, !(flags & TASK_FLAG_DISABLED), (flags & TASK_FLAG_SYSTEM_REQUIRED) != 0, std::nullopt};
    SYSTEMTIME next{};
    if (task->GetNextRunTime(&next) == S_OK) listed.nextRun = FromSystemTime(next);
    return listed;
  }

  std::unique_ptr<ComApartment> apartment_;  // outlives the interfaces below
  ComRef<ITaskScheduler> scheduler_;
};

// Task Scheduler 2.0: folders from "\", hidden tasks included; a task's first
// run is asked only from now to the asked minute, and only of one that wakes.
class TaskFolders : public TaskTree {
 public:
  TaskFolders(std::unique_ptr<ComApartment> apartment, ITaskService* service, const CivilDateTime& asked)
      : apartment_(std::move(apartment)), now_(ToSystemTime(LocalNow())), asked_(ToSystemTime(asked)) {
    *service_.Out() = service;
  }
  std::optional<std::vector<std::optional<ListedTask>>> Tasks(const std::wstring& path) override {
    ComRef<ITaskFolder> folder;
    ComRef<IRegisteredTaskCollection> list;
    LONG count = 0;
    if (!Open(path, folder) || FAILED(folder->GetTasks(TASK_ENUM_HIDDEN, list.Out())) ||
        FAILED(list->get_Count(&count)))
      return std::nullopt;
    std::vector<std::optional<ListedTask>> tasks;
    for (LONG i = 1; i <= count; ++i) tasks.push_back(Task(list.Get(), i));
    return tasks;
  }
  std::vector<std::wstring> Folders(const std::wstring& path) override {
    ComRef<ITaskFolder> folder;
    ComRef<ITaskFolderCollection> list;
    LONG count = 0;
    std::vector<std::wstring> paths;
    if (!Open(path, folder) || FAILED(folder->GetFolders(0, list.Out())) || FAILED(list->get_Count(&count)))
      return paths;
    for (LONG i = 1; i <= count; ++i) {
      ComRef<ITaskFolder> sub;
      BSTR subPath = nullptr;
      if (SUCCEEDED(list->get_Item(Index(i), sub.Out())) && SUCCEEDED(sub->get_Path(&subPath)))
        paths.push_back(TakeBstr(subPath));
    }
    return paths;
  }

 private:
  static VARIANT Index(LONG i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    return index;
  }
  bool Open(const std::wstring& path, ComRef<ITaskFolder>& folder) {
    BSTR name = SysAllocString(path.c_str());
    const HRESULT hr = service_->GetFolder(name, folder.Out());
    SysFreeString(name);
    return SUCCEEDED(hr);
  }
  std::optional<ListedTask> Task(IRegisteredTaskCollection* list, LONG i) {
    ComRef<IRegisteredTask> task;
    ComRef<ITaskDefinition> definition;
    ComRef<ITaskSettings> settings;
    BSTR path = nullptr;
    VARIANT_BOOL enabled = VARIANT_FALSE, wakes = VARIANT_FALSE;
    if (FAILED(list->get_Item(Index(i), task.Out())) || FAILED(task->get_Path(&path)) ||
        FAILED(task->get_Enabled(&enabled)) || FAILED(task->get_Definition(definition.Out())) ||
        FAILED(definition->get_Settings(settings.Out())) || FAILED(settings->get_WakeToRun(&wakes))) {
      SysFreeString(path);
      return std::nullopt;
    }
    ListedTask listed{TakeBstr(path), enabled != VARIANT_FALSE, wakes != VARIANT_FALSE, std::nullopt};
    DWORD runs = 1;
    LPSYSTEMTIME first = nullptr;
    if (listed.enabled && listed.wakes && SUCCEEDED(task->GetRunTimes(&now_, &asked_, &runs, &first)) && runs > 0 &&
        first)
      listed.nextRun = FromSystemTime(*first);
    CoTaskMemFree(first);
    return listed;
  }

  std::unique_ptr<ComApartment> apartment_;  // outlives the interfaces below
  ComRef<ITaskService> service_;
  SYSTEMTIME now_, asked_;
};
}  // namespace

std::unique_ptr<TaskTree> OpenSchedulerTree(ScheduleRoute route, const CivilDateTime& asked) {
  auto apartment = std::make_unique<ComApartment>();
  if (!apartment->Usable()) return nullptr;
  if (route == ScheduleRoute::Batch) {
    ITaskScheduler* scheduler = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                reinterpret_cast<void**>(&scheduler))))
      return nullptr;
    return std::make_unique<JobFolder>(std::move(apartment), scheduler);
  }
  ITaskService* service = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                              reinterpret_cast<void**>(&service))))
    return nullptr;
  VARIANT empty;
  VariantInit(&empty);
  if (FAILED(service->Connect(empty, empty, empty, empty))) {
    service->Release();
    return nullptr;
  }
  return std::make_unique<TaskFolders>(std::move(apartment), service, asked);
}
