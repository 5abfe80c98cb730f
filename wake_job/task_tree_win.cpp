#include <windows.h>
#include <initguid.h>
#include <mstask.h>
#include <taskschd.h>

#include <map>
#include <vector>

#include "platform/com_ref_win.h"
#include "platform/local_time_win.h"
#include "wake_job/batch_text.h"
#include "wake_job/task_tree_win.h"

namespace {
std::wstring TakeBstr(BSTR text) {
  std::wstring copy(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return copy;
}

// Task Scheduler 1.0: one folder of jobs, listed by file name ("Backup.job")
// and opened by work item name ("Backup"); the listing loads each job, which
// answers both questions.
class JobFolder : public TaskTree {
 public:
  JobFolder(std::unique_ptr<ComApartment> apartment, ITaskScheduler* scheduler)
      : apartment_(std::move(apartment)) {
    *scheduler_.Out() = scheduler;
  }
  std::optional<TaskFolderListing> Open(const std::wstring&) override {
    ComRef<IEnumWorkItems> items;
    if (FAILED(scheduler_->Enum(items.Out()))) return std::nullopt;
    TaskFolderListing listing{std::vector<std::optional<ListedTask>>(), std::vector<std::wstring>()};
    jobs_.clear();
    for (HRESULT hr = S_OK; hr == S_OK;) {
      LPWSTR* names = nullptr;
      ULONG fetched = 0;
      hr = items->Next(16, &names, &fetched);
      for (ULONG i = 0; names && i < fetched; ++i) {
        listing.tasks->push_back(Job(WorkItemName(names[i])));
        CoTaskMemFree(names[i]);
      }
      CoTaskMemFree(names);
    }
    return listing;
  }
  std::optional<bool> Wakes(std::size_t i) override {
    if (i >= jobs_.size() || !jobs_[i].task) return std::nullopt;
    return (jobs_[i].flags & TASK_FLAG_SYSTEM_REQUIRED) != 0;
  }
  // GetNextRunTime's successes other than S_OK are "no run to come".
  FirstRun FirstRunBefore(std::size_t i) override {
    SYSTEMTIME next{};
    const HRESULT hr = i < jobs_.size() && jobs_[i].task ? jobs_[i].task->GetNextRunTime(&next) : E_FAIL;
    if (FAILED(hr)) return FirstRun{};
    return FirstRun{true, hr == S_OK ? std::optional<CivilDateTime>(FromSystemTime(next)) : std::nullopt};
  }

 private:
  struct LoadedJob {
    ComRef<ITask> task;
    DWORD flags = 0;
  };
  std::optional<ListedTask> Job(const std::wstring& name) {
    jobs_.emplace_back();
    LoadedJob& job = jobs_.back();
    if (FAILED(scheduler_->Activate(name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(job.task.Out()))) ||
        FAILED(job.task->GetFlags(&job.flags))) {
      job.task.Reset();
      return std::nullopt;
    }
    return ListedTask{name, !(job.flags & TASK_FLAG_DISABLED)};
  }

  std::unique_ptr<ComApartment> apartment_;  // outlives the interfaces below
  ComRef<ITaskScheduler> scheduler_;
  std::vector<LoadedJob> jobs_;
};

// Task Scheduler 2.0: folders from "\", hidden tasks included. Every call
// below crosses to the service, so each folder is opened once (a subfolder is
// kept from its parent's list), and a task's definition and run times are
// fetched only when the scan asks.
class TaskFolders : public TaskTree {
 public:
  TaskFolders(std::unique_ptr<ComApartment> apartment, ITaskService* service, const CivilDateTime& asked)
      : apartment_(std::move(apartment)), now_(ToSystemTime(LocalNow())), asked_(ToSystemTime(asked)) {
    *service_.Out() = service;
  }
  std::optional<TaskFolderListing> Open(const std::wstring& path) override {
    ComRef<ITaskFolder> folder;
    const auto kept = listed_.find(path);
    if (kept != listed_.end()) {
      folder = std::move(kept->second);
      listed_.erase(kept);
    } else if (!OpenByPath(path, folder)) {
      return std::nullopt;
    }
    tasks_.clear();
    return TaskFolderListing{Tasks(folder.Get()), Folders(folder.Get())};
  }
  std::optional<bool> Wakes(std::size_t i) override {
    ComRef<ITaskDefinition> definition;
    ComRef<ITaskSettings> settings;
    VARIANT_BOOL wakes = VARIANT_FALSE;
    if (i >= tasks_.size() || !tasks_[i] || FAILED(tasks_[i]->get_Definition(definition.Out())) ||
        FAILED(definition->get_Settings(settings.Out())) || FAILED(settings->get_WakeToRun(&wakes)))
      return std::nullopt;
    return wakes != VARIANT_FALSE;
  }
  FirstRun FirstRunBefore(std::size_t i) override {
    DWORD runs = 1;
    LPSYSTEMTIME first = nullptr;
    if (i >= tasks_.size() || !tasks_[i] || FAILED(tasks_[i]->GetRunTimes(&now_, &asked_, &runs, &first))) {
      CoTaskMemFree(first);
      return FirstRun{};
    }
    FirstRun run{true, runs > 0 && first ? std::optional<CivilDateTime>(FromSystemTime(*first)) : std::nullopt};
    CoTaskMemFree(first);
    return run;
  }

 private:
  static VARIANT Index(LONG i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    return index;
  }
  bool OpenByPath(const std::wstring& path, ComRef<ITaskFolder>& folder) {
    BSTR name = SysAllocString(path.c_str());
    const HRESULT hr = service_->GetFolder(name, folder.Out());
    SysFreeString(name);
    return SUCCEEDED(hr);
  }
  std::optional<std::vector<std::optional<ListedTask>>> Tasks(ITaskFolder* folder) {
    ComRef<IRegisteredTaskCollection> list;
    LONG count = 0;
    if (FAILED(folder->GetTasks(TASK_ENUM_HIDDEN, list.Out())) || FAILED(list->get_Count(&count))) return std::nullopt;
    std::vector<std::optional<ListedTask>> tasks;
    for (LONG i = 1; i <= count; ++i) {
      tasks_.emplace_back();
      BSTR path = nullptr;
      VARIANT_BOOL enabled = VARIANT_FALSE;
      if (FAILED(list->get_Item(Index(i), tasks_.back().Out())) || FAILED(tasks_.back()->get_Path(&path)) ||
          FAILED(tasks_.back()->get_Enabled(&enabled))) {
        SysFreeString(path);
        tasks_.back().Reset();
        tasks.push_back(std::nullopt);
      } else {
        tasks.push_back(ListedTask{TakeBstr(path), enabled != VARIANT_FALSE});
      }
    }
    return tasks;
  }
  std::optional<std::vector<std::wstring>> Folders(ITaskFolder* folder) {
    ComRef<ITaskFolderCollection> list;
    LONG count = 0;
    if (FAILED(folder->GetFolders(0, list.Out())) || FAILED(list->get_Count(&count))) return std::nullopt;
    std::vector<std::wstring> paths;
    for (LONG i = 1; i <= count; ++i) {
      ComRef<ITaskFolder> sub;
      BSTR subPath = nullptr;
      if (SUCCEEDED(list->get_Item(Index(i), sub.Out())) && SUCCEEDED(sub->get_Path(&subPath))) {
        paths.push_back(TakeBstr(subPath));
        listed_[paths.back()] = std::move(sub);
      }
    }
    return paths;
  }

  std::unique_ptr<ComApartment> apartment_;  // outlives the interfaces below
  ComRef<ITaskService> service_;
  SYSTEMTIME now_, asked_;
  std::vector<ComRef<IRegisteredTask>> tasks_;             // the open folder's, by place
  std::map<std::wstring, ComRef<ITaskFolder>> listed_;  // listed, not yet opened
};
}  // namespace

namespace {
std::unique_ptr<TaskTree> OpenJobFolder(std::unique_ptr<ComApartment> apartment) {
  ITaskScheduler* scheduler = nullptr;
  if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(&scheduler))))
    return nullptr;
  return std::make_unique<JobFolder>(std::move(apartment), scheduler);
}

std::unique_ptr<TaskTree> OpenTaskFolders(std::unique_ptr<ComApartment> apartment, const CivilDateTime& asked) {
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
}  // namespace

std::unique_ptr<TaskTree> OpenSchedulerTree(ScheduleRoute route, const CivilDateTime& asked) {
  auto apartment = std::make_unique<ComApartment>();
  if (!apartment->Usable()) return nullptr;
  switch (route) {
    case ScheduleRoute::Batch: return OpenJobFolder(std::move(apartment));
    case ScheduleRoute::Component: return OpenTaskFolders(std::move(apartment), asked);
  }
  return nullptr;  // not a route
}
