// The real backend: registers the wake task with Task Scheduler 2.0.
#include <windows.h>
#include <initguid.h>
#include <taskschd.h>

#include "platform/com_ref_win.h"
#include "platform/hresult_text.h"
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
// not give (Wine leaves GetRunTimes unimplemented, a call may fail) stays
// unsaid. The runs are asked for the asked minute, in local time, and judged
// by the count and times returned: S_FALSE only says there were more.
HeldJob AskRegisteredTask(IRegisteredTask* task, const CivilDateTime& asked) {
  HeldJob held;
  VARIANT_BOOL enabled = VARIANT_FALSE;
  if (SUCCEEDED(task->get_Enabled(&enabled))) held.enabled = enabled != VARIANT_FALSE;
  SYSTEMTIME start{}, end{};
  start.wYear = static_cast<WORD>(asked.year), start.wMonth = static_cast<WORD>(asked.month);
  start.wDay = static_cast<WORD>(asked.day), start.wHour = static_cast<WORD>(asked.hour);
  start.wMinute = static_cast<WORD>(asked.minute);
  end = start;
  end.wSecond = 59, end.wMilliseconds = 999;
  DWORD count = 4;
  LPSYSTEMTIME runs = nullptr;
  if (SUCCEEDED(task->GetRunTimes(&start, &end, &count, &runs))) {
    std::vector<CivilDateTime> times;
    for (DWORD i = 0; runs && i < count; ++i)
      times.push_back({runs[i].wYear, runs[i].wMonth, runs[i].wDay, runs[i].wHour, runs[i].wMinute, runs[i].wSecond});
    held.runsInAskedMinute = times;
  }
  CoTaskMemFree(runs);
  BSTR xml = nullptr;
  if (SUCCEEDED(task->get_Xml(&xml)) && xml) {
    const std::wstring text(xml, SysStringLen(xml));
    held.wakes = XmlWakesToRun(text);
    held.definedStart = XmlStartBoundary(text);
  }
  SysFreeString(xml);
  return held;
}
}  // namespace

HRESULT AddTaskBackend(const std::array<std::wstring, 4>& arguments, std::wstring& error) {
  const auto xml = BuildTaskXml(arguments[0], arguments[1], arguments[3]);
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
  const HeldVerdict verdict =
      task.Get() ? JudgeHeldJob(asked, arguments[1], AskRegisteredTask(task.Get(), asked)) : HeldVerdict::AsAsked;
  if (verdict != HeldVerdict::AsAsked) {
    folder->DeleteTask(name.get(), 0);
    error = HeldVerdictReason(verdict);
    return SCHED_E_TASK_NOT_READY;
  }
  return S_OK;
}
