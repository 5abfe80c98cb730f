#include <windows.h>

#include "platform/system_library_win.h"
#include "power/power_win.h"
#include "wake_job/wake_record.h"

namespace {
// winevt.h declares these for Vista and later only; the values are its own.
using EVT_HANDLE = HANDLE;
constexpr DWORD EvtQueryChannelPath = 0x1, EvtQueryReverseDirection = 0x200, EvtRenderEventXml = 1;
constexpr DWORD kWakeEventPollMs = 500;
}  // namespace

std::wstring WakeSource(const CivilDateTime& sinceUtc) {
  // Loaded at run time: XP has no wevtapi.dll, and its import lists stay as they are.
  HMODULE wevtapi = LoadSystemLibrary(L"wevtapi.dll");
  using QueryFn = EVT_HANDLE(WINAPI*)(EVT_HANDLE, LPCWSTR, LPCWSTR, DWORD);
  using NextFn = BOOL(WINAPI*)(EVT_HANDLE, DWORD, EVT_HANDLE*, DWORD, DWORD, PDWORD);
  using RenderFn = BOOL(WINAPI*)(EVT_HANDLE, EVT_HANDLE, DWORD, DWORD, PVOID, PDWORD, PDWORD);
  using CloseFn = BOOL(WINAPI*)(EVT_HANDLE);
  const auto query = ModuleFunction<QueryFn>(wevtapi, "EvtQuery");
  const auto next = ModuleFunction<NextFn>(wevtapi, "EvtNext");
  const auto render = ModuleFunction<RenderFn>(wevtapi, "EvtRender");
  const auto close = ModuleFunction<CloseFn>(wevtapi, "EvtClose");
  std::optional<std::wstring> source;
  // Nothing documents when the resume's event is written: the newest one is
  // this resume's only when it was created after the hibernation was asked,
  // and it is waited for a few seconds.
  for (DWORD waited = 0; query && next && render && close; waited += kWakeEventPollMs) {
    EVT_HANDLE results = query(nullptr, L"System",
                               L"*[System[Provider[@Name='Microsoft-Windows-Power-Troubleshooter'] and EventID=1]]",
                               EvtQueryChannelPath | EvtQueryReverseDirection);
    if (!results) break;  // the user may not read the System log
    EVT_HANDLE event = nullptr;
    DWORD returned = 0, used = 0, properties = 0;
    if (next(results, 1, &event, 1000, 0, &returned) && returned == 1) {
      render(nullptr, event, EvtRenderEventXml, 0, nullptr, &used, &properties);
      std::wstring xml(used / sizeof(wchar_t) + 1, L'\0');
      if (render(nullptr, event, EvtRenderEventXml, static_cast<DWORD>(xml.size() * sizeof(wchar_t)), xml.data(),
                 &used, &properties))
        source = EventWakeSource(xml.c_str(), sinceUtc);
      close(event);
    }
    close(results);
    if (source || waited >= kWakeEventWaitMs) break;
    Sleep(kWakeEventPollMs);
  }
  if (wevtapi) FreeLibrary(wevtapi);
  return source.value_or(std::wstring());
}
