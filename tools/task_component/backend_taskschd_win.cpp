// The real backend: registers the wake task with Task Scheduler 2.0.
#include <windows.h>
#include <initguid.h>
#include <taskschd.h>

#include "platform/com_ref_win.h"
#include "platform/hresult_text.h"
#include "res/strings.h"
#include "tools/task_component/component.h"
#include "wake_job/task_xml.h"

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

std::wstring Failure(const wchar_t* what, HRESULT hr) { return std::wstring(what) + L" (" + HresultText(hr) + L")"; }
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
  return S_OK;
}
