#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <atomic>

#include "tools/task_component/component_win.h"
#include "wake_job/schedule.h"

namespace {
HMODULE g_module = nullptr;
std::atomic<long> g_locks{0};  // live objects and server locks: DllCanUnloadNow

class AddTask : public IDispatch {
 public:
  AddTask() { ++g_locks; }
  virtual ~AddTask() { --g_locks; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (CompareStringOrdinalCaseless(names[0], L"AddTask")) {
      ids[0] = kDispidAddTask;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override {
    if (id != kDispidAddTask) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (!params) return E_INVALIDARG;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    // Four, or six for a task that runs Reveilo's wake mode (its arguments
    // and the run limit in minutes).
    const UINT count = params->cArgs;
    if (count != 4 && count != kAddTaskArguments) return DISP_E_BADPARAMCOUNT;
    std::array<std::wstring, kAddTaskArguments> arguments;
    for (UINT i = 0; i < count; ++i) {
      // rgvarg holds the arguments last to first; a script may pass them by reference.
      VARIANT text;
      VariantInit(&text);
      if (FAILED(VariantChangeType(&text, &params->rgvarg[count - 1 - i], 0, VT_BSTR))) {
        if (badArgument) *badArgument = count - 1 - i;
        return DISP_E_TYPEMISMATCH;
      }
      arguments[i].assign(text.bstrVal ? text.bstrVal : L"", SysStringLen(text.bstrVal));
      VariantClear(&text);
    }
    std::wstring error;
    const HRESULT hr = AddTaskBackend(arguments, error);
    if (result) VariantInit(result);
    if (SUCCEEDED(hr)) return S_OK;
    if (exception) {
      *exception = EXCEPINFO{};
      exception->scode = hr;
      exception->bstrSource = SysAllocString(kTaskComponentProgId);
      exception->bstrDescription = SysAllocString(error.c_str());
    }
    return DISP_E_EXCEPTION;
  }

 private:
  static bool CompareStringOrdinalCaseless(const wchar_t* a, const wchar_t* b) {
    return a && lstrcmpiW(a, b) == 0;
  }
  std::atomic<long> refs_{1};
};

class Factory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    AddTask* object = new (std::nothrow) AddTask();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++g_locks : --g_locks;
    return S_OK;
  }
};
Factory g_factory;

bool SetKeyValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return rc == ERROR_SUCCESS;
}
}  // namespace

extern "C" {
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, kAddTaskClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return g_locks == 0 ? S_OK : S_FALSE; }

// For callers other than Reveilo.exe, whose manifest declares the class.
HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
  const std::wstring clsidKey = std::wstring(L"CLSID\\") + kAddTaskClsidText;
  const bool ok = SetKeyValue(clsidKey, nullptr, kTaskComponentProgId) &&
                  SetKeyValue(clsidKey + L"\\InprocServer32", nullptr, path) &&
                  SetKeyValue(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                  SetKeyValue(clsidKey + L"\\ProgID", nullptr, kTaskComponentProgId) &&
                  SetKeyValue(std::wstring(kTaskComponentProgId) + L"\\CLSID", nullptr, kAddTaskClsidText);
  return ok ? S_OK : SELFREG_E_CLASS;
}

// Removes exactly the keys registration wrote, deepest first: XP has no
// RegDeleteTreeW, and its RegDeleteKeyW removes only keys without subkeys.
HRESULT WINAPI DllUnregisterServer() {
  const std::wstring clsidKey = std::wstring(L"CLSID\\") + kAddTaskClsidText;
  const std::wstring progId = kTaskComponentProgId;
  for (const std::wstring& key : {clsidKey + L"\\InprocServer32", clsidKey + L"\\ProgID", clsidKey,
                                  progId + L"\\CLSID", progId}) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
  }
  return S_OK;
}
}
