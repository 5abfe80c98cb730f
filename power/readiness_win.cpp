#include <windows.h>
#include <powrprof.h>

#include "platform/system_library_win.h"
#include "power/readiness.h"
#include "power/readiness_win.h"

namespace {
// The sleep subgroup and its "allow wake timers" setting.
constexpr GUID kSleepSubgroup = {0x238C9FA8, 0x0AAD, 0x41ED, {0x83, 0xF4, 0x97, 0xBE, 0x24, 0x2C, 0x8F, 0x20}};
constexpr GUID kAllowWakeTimers = {0xBD3B718A, 0x0680, 0x4D9D, {0x8A, 0xB2, 0xE1, 0xD2, 0xB4, 0xAC, 0x80, 0x6D}};

using GetActiveSchemeFn = DWORD(WINAPI*)(HKEY, GUID**);
using ReadValueIndexFn = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
using GetCapabilitiesFn = BOOLEAN(WINAPI*)(PSYSTEM_POWER_CAPABILITIES);

class PowrProf {
 public:
  PowrProf() : module_(LoadSystemLibrary(L"powrprof.dll")) {}
  ~PowrProf() {
    if (module_) FreeLibrary(module_);
  }
  PowrProf(const PowrProf&) = delete;
  PowrProf& operator=(const PowrProf&) = delete;
  template <typename Fn>
  Fn Get(const char* name) const {
    return ModuleFunction<Fn>(module_, name);
  }
  // The machine's power capabilities; nullopt when they cannot be read.
  std::optional<SYSTEM_POWER_CAPABILITIES> Capabilities() const {
    const auto getCapabilities = Get<GetCapabilitiesFn>("GetPwrCapabilities");
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (!getCapabilities || !getCapabilities(&capabilities)) return std::nullopt;
    return capabilities;
  }

 private:
  HMODULE module_;
};
}  // namespace

WakeTimerCheck QueryWakeTimers() {
  PowrProf powrprof;
  const auto getActive = powrprof.Get<GetActiveSchemeFn>("PowerGetActiveScheme");
  const auto readAc = powrprof.Get<ReadValueIndexFn>("PowerReadACValueIndex");
  const auto readDc = powrprof.Get<ReadValueIndexFn>("PowerReadDCValueIndex");
  GUID* scheme = nullptr;
  if (!getActive || getActive(nullptr, &scheme) != ERROR_SUCCESS || !scheme) return WakeTimerCheck{};
  std::optional<unsigned long> ac, dc;
  DWORD value = 0;
  if (readAc && readAc(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) == ERROR_SUCCESS) ac = value;
  if (readDc && readDc(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) == ERROR_SUCCESS) dc = value;
  LocalFree(scheme);
  const auto capabilities = powrprof.Capabilities();
  std::optional<Batteries> batteries;
  if (capabilities)
    batteries = Batteries{capabilities->SystemBatteriesPresent != FALSE, capabilities->BatteriesAreShortTerm != FALSE};
  SYSTEM_POWER_STATUS status{};
  const unsigned acLine = GetSystemPowerStatus(&status) ? status.ACLineStatus : 255u;
  return JudgeWakeTimers(ac, dc, batteries, acLine);
}

Readiness QueryHibernation() {
  const auto capabilities = PowrProf().Capabilities();
  if (!capabilities) return JudgeHibernation(std::nullopt);
  return JudgeHibernation(HibernationCapabilities{capabilities->SystemS4 != FALSE,
                                                  capabilities->HiberFilePresent != FALSE});
}

Readiness QueryClockWake() {
  const auto capabilities = PowrProf().Capabilities();
  if (!capabilities) return JudgeClockWake(std::nullopt);
  return JudgeClockWake(static_cast<unsigned>(capabilities->RtcWake));
}
