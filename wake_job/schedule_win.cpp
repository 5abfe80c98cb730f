#include <windows.h>
#include <oleauto.h>

#include "platform/ansi_text_win.h"
#include "platform/com_ref_win.h"
#include "platform/hresult_text.h"
#include "platform/message_pump_win.h"
#include "platform/os_version.h"
#include "platform/os_version_win.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "platform/system_library_win.h"
#include "wake_job/account_check_win.h"
#include "wake_job/schedule.h"
#include "wake_job/schedule_win.h"
#include "wake_job/task_tree_win.h"

namespace {
class HandleCloser {
 public:
  explicit HandleCloser(HANDLE h) : h_(h) {}
  ~HandleCloser() {
    if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE h_;
};

class Win32System : public WakeJobSystem {
 public:
  std::wstring ProgramFolder() override { return ::ProgramFolder(); }
  std::unique_ptr<TaskTree> OpenTaskTree(ScheduleRoute route, const CivilDateTime& asked) override {
    return OpenSchedulerTree(route, asked);
  }

  bool WriteBatchFile(const std::wstring& path, const std::wstring& text) override {
    const auto bytes = ToOemExact(text);
    if (!bytes) return false;
    static_assert(FILE_ATTRIBUTE_HIDDEN == 0x2 && FILE_ATTRIBUTE_SYSTEM == 0x4 && FILE_ATTRIBUTE_NORMAL == 0x80);
    const DWORD attributes = AttributesForRewrite(GetFileAttributesW(path.c_str()));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    HandleCloser closer(file);
    DWORD written = 0;
    if (bytes->empty()) return true;
    return WriteFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr) &&
           written == bytes->size();
  }

  std::optional<unsigned long> RunBatch(const std::wstring& folder) override {
    // cmd.exe named in full and the batch by its bare name in the program
    // folder as the current directory: no user text on cmd's own command
    // line, and no search that a "C:\Program.exe" could hijack. /d keeps
    // AutoRun commands out of the batch; /v:off keeps a machine's
    // DelayedExpansion policy from eating the "!" of a password; /q keeps
    // echo off, so the minimised console never shows the line that holds it.
    const std::wstring cmd = SystemFile(L"cmd.exe");
    if (cmd.empty()) return std::nullopt;
    std::wstring commandLine = L"cmd.exe /d /q /v:off /c " + std::wstring(kAddTaskBatchName + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(cmd.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                        nullptr, folder.c_str(), &startup, &process)) {
      return std::nullopt;
    }
    HandleCloser thread(process.hThread);
    HandleCloser handle(process.hProcess);
    PumpPendingMessages();
    for (;;) {
      const DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT);
      if (woke == WAIT_OBJECT_0) break;
      if (woke == WAIT_OBJECT_0 + 1) {
        PumpPendingMessages();
        continue;
      }
      return std::nullopt;  // WAIT_FAILED: the handle is unusable
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.hProcess, &exitCode)) return std::nullopt;
    return exitCode;
  }

  bool CallTaskComponent(const std::vector<std::wstring>& arguments, std::wstring& reason) override {
    const auto failed = [&reason](HRESULT hr) {
      reason = WithErrorCode(kReasonComponent, hr);
      const std::wstring meaning = HresultMeaning(hr);
      if (!meaning.empty()) reason += L"\n" + meaning;
      return false;
    };
    ComApartment apartment;
    if (!apartment.Usable()) return failed(E_UNEXPECTED);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(kTaskComponentProgId, &clsid);
    if (FAILED(hr)) return failed(hr);
    ComRef<IDispatch> component;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(component.Out()));
    if (FAILED(hr)) return failed(hr);
    LPOLESTR name = const_cast<LPOLESTR>(L"AddTask");
    DISPID dispid = DISPID_UNKNOWN;
    if (FAILED(hr = component->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid))) return failed(hr);
    // IDispatch takes positional arguments last to first.
    std::vector<VARIANTARG> args(arguments.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
      VariantInit(&args[i]);
      args[i].vt = VT_BSTR;
      args[i].bstrVal = SysAllocString(arguments[args.size() - 1 - i].c_str());
    }
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT badArgument = 0;
    hr = component->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &exception,
                           &badArgument);
    for (VARIANTARG& arg : args) VariantClear(&arg);
    VariantClear(&result);
    // The component says what failed and why; that is what the user reads.
    const bool described = hr == DISP_E_EXCEPTION && exception.bstrDescription;
    if (described) reason = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(hr) && !described) return failed(hr);
    return SUCCEEDED(hr);
  }

  bool FileExists(const std::wstring& path) override {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool CanWrite(const std::wstring& path) override {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
      file = CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }

  bool FitsBatch(const std::wstring& text) override { return ToOemExact(text).has_value(); }

  bool PasswordProvenWrong(const std::wstring& user, const std::wstring& password) override {
    return ::PasswordProvenWrong(user, password);
  }

  std::wstring ShortPath(const std::wstring& path) override {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::wstring();
    std::wstring shortForm(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortForm.data(), size);
    if (length == 0 || length >= size) return std::wstring();
    shortForm.resize(length);
    return shortForm;
  }
};
}  // namespace

WakeJobSystem& Win32WakeJobSystem() {
  static Win32System system;
  return system;
}

ScheduleRoute RouteOfThisWindows() { return RouteForVersionClass(GetOSVersion()); }
