// The real backend: registers the wake task with Task Scheduler 2.0.
#include <windows.h>
#include <initguid.h>
#include <taskschd.h>

#include "platform/com_ref_win.h"
#include "platform/hresult_text.h"
#include "platform/local_time_win.h"
#include "res/strings.h"
#include "tools/task_component/component_win.h"
#include "wake_job/held_job.h"
#include "wake_job/task_xml.h"
#include "wake_job/wake_time.h"

namespace {
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }

 private:
  BSTR b_;
};

std::wstring Failure(const wchar_t* what, HRESULT hr) {
  const std::wstring meaning = HresultMeaning(hr);
  return WithErrorCode(what, hr) + (meaning.empty() ? L"" : L"\n" + meaning);
}

// What the scheduler itself says of the task it now holds; a value it does
// not give (Wine leaves GetRunTimes unimplemented, a call may fail) stays unsaid.
class RegisteredTask : public RegisteredTaskView {
 public:
  explicit RegisteredTask(IRegisteredTask* task) : task_(task) {}
  std::optional<bool> Enabled() override {
    VARIANT_BOOL enabled = VARIANT_FALSE;
    if (FAILED(task_->get_Enabled(&enabled))) return std::nullopt;
    return enabled != VARIANT_FALSE;
  }
  std::optional<RunTimes> Runs(const RunTimesWindow& window) override {
    SYSTEMTIME start = ToSystemTime(window.start), end = ToSystemTime(window.end);
    DWORD count = window.count;
    LPSYSTEMTIME runs = nullptr;
    const HRESULT hr = task_->GetRunTimes(&start, &end, &count, &runs);
    std::optional<RunTimes> answer;
    if (SUCCEEDED(hr)) {
      answer = RunTimes{{}, hr == S_FALSE};
      for (DWORD i = 0; runs && i < count && i < window.count; ++i) answer->runs.push_back(FromSystemTime(runs[i]));
    }
    CoTaskMemFree(runs);
    return answer;
  }
  std::optional<std::wstring> Xml() override {
    BSTR xml = nullptr;
    std::optional<std::wstring> text;
    if (SUCCEEDED(task_->get_Xml(&xml)) && xml) text = std::wstring(xml, SysStringLen(xml));
    SysFreeString(xml);
    return text;
  }

 private:
  IRegisteredTask* task_;
};
}  // namespace

HRESULT AddTaskBackend(const std::array<std::wstring, kAddTaskArguments>& arguments, std::wstring& error) {
  const auto limit = ReadRunLimit(arguments[5]);
  if (!limit) {
    error = kTaskBadLimit + arguments[5];
    return E_INVALIDARG;
  }
  const auto xml = BuildTaskXml(arguments[0], {arguments[1], arguments[4]}, arguments[3], *limit);
  if (!xml) {
    error = kTaskBadStart + arguments[0];
    return E_INVALIDARG;
  }
  if (arguments[2].empty()) {
    error = kTaskNoName;
    return E_INVALIDARG;
  }
  ComRef<ITaskService> service;
  HRESULT hr = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                reinterpret_cast<void**>(service.Out()));
  if (FAILED(hr)) return error = Failure(kTaskNoScheduler, hr), hr;
  VARIANT empty;
  VariantInit(&empty);
  if (FAILED(hr = service->Connect(empty, empty, empty, empty)))
    return error = Failure(kTaskNoConnection, hr), hr;
  ComRef<ITaskFolder> folder;
  Bstr root(L"\\");
  if (FAILED(hr = service->GetFolder(root.get(), folder.Out())))
    return error = Failure(kTaskNoFolder, hr), hr;
  ComRef<IRegisteredTask> task;
  Bstr name(arguments[2]);
  Bstr definition(*xml);
  hr = folder->RegisterTask(name.get(), definition.get(), TASK_CREATE_OR_UPDATE, empty, empty,
                            TASK_LOGON_INTERACTIVE_TOKEN, empty, task.Out());
  if (FAILED(hr)) return error = Failure(kTaskRefused, hr), hr;
  // Reported made only when the scheduler holds it as asked; otherwise no
  // task stays behind to wake the machine at another time.
  const CivilDateTime asked = *ParseComponentStart(arguments[0]);
  HeldVerdict verdict = HeldVerdict::AsAsked;
  if (task.Get()) {
    RegisteredTask view(task.Get());
    verdict = JudgeHeldJob({asked, UtcOfLocal(asked)}, arguments[1], AskRegisteredTask(view, asked));
  }
  if (verdict != HeldVerdict::AsAsked) {
    // "Removed" only when the scheduler says so; a task already gone is.
    hr = folder->DeleteTask(name.get(), 0);
    const bool removed = SUCCEEDED(hr) || hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    error = HeldVerdictReason(verdict, removed);
    if (!removed && !HresultMeaning(hr).empty()) error += L"\n" + HresultMeaning(hr);
    return SCHED_E_TASK_NOT_READY;
  }
  return S_OK;
}
