// Measures Reveilo.exe against the baseline program under the same prefix and
// prints one tab-separated row per figure: name, subject, median, min, max, unit.
// (The idle cost is read by bench/run.sh from the Linux side.)
//   bench.exe [runs] [startup]   ("startup": the start-up figures only)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "wake_job/schedule.h"

namespace {
double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Row(const char* name, const wchar_t* subject, std::vector<double> values, const char* unit) {
  if (values.empty()) {
    std::printf("%s\t%ls\tnan\tnan\tnan\t%s\n", name, subject, unit);
    return;
  }
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("%s\t%ls\t%.2f\t%.2f\t%.2f\t%s\n", name, subject, median, values.front(), values.back(), unit);
  std::fflush(stdout);
}

struct FindData {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (pid == data->pid && IsWindowVisible(hwnd) && (!data->className || lstrcmpW(name, data->className) == 0)) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindVisible(DWORD pid, const wchar_t* className) {
  FindData data{pid, className, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

HWND WaitForVisible(DWORD pid, const wchar_t* className, DWORD timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (NowMs() < end) {
    if (HWND hwnd = FindVisible(pid, className)) return hwnd;
    Sleep(1);
  }
  return nullptr;
}

PROCESS_INFORMATION Start(const std::wstring& exe, const std::wstring& arguments) {
  const std::wstring path = ProgramFile(ProgramFolder(), (L"\\" + exe).c_str());
  std::wstring line = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &startup,
                 &process);
  return process;
}

void End(PROCESS_INFORMATION& process) {
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 9);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

void MeasureStartup(const wchar_t* exe, int runs) {
  std::vector<double> startup, memory;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    PROCESS_INFORMATION process = Start(exe, L"");
    WaitForInputIdle(process.hProcess, 10000);
    if (WaitForVisible(process.dwProcessId, nullptr, 10000)) startup.push_back(NowMs() - start);
    Sleep(200);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
      memory.push_back(static_cast<double>(counters.PeakWorkingSetSize) / 1024.0);
    End(process);
  }
  Row("startup", exe, startup, "ms");
  Row("peak_working_set", exe, memory, "KiB");
}

std::wstring FutureDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return std::to_wstring(now.wYear + 1) + L"/01/05";
}

void MeasureCountdown(int runs) {
  std::vector<double> length, cancel;
  for (int i = 0; i < runs; ++i) {
    PROCESS_INFORMATION process = Start(L"Reveilo.exe", FutureDate() + L" 07:05 u p x");
    HWND dialog = WaitForVisible(process.dwProcessId, L"ReveiloSuspend", 20000);
    const double shown = NowMs();
    while (dialog && IsWindow(dialog)) Sleep(1);
    if (dialog) length.push_back((NowMs() - shown) / 1000.0);
    End(process);
  }
  for (int i = 0; i < runs; ++i) {
    PROCESS_INFORMATION process = Start(L"Reveilo.exe", FutureDate() + L" 07:05 u p x");
    HWND dialog = WaitForVisible(process.dwProcessId, L"ReveiloSuspend", 20000);
    if (dialog) {
      Sleep(static_cast<DWORD>(700 + 237 * i % 2000));
      const double clicked = NowMs();
      PostMessageW(GetDlgItem(dialog, 203), BM_CLICK, 0, 0);
      while (IsWindow(dialog)) Sleep(0);
      cancel.push_back(NowMs() - clicked);
    }
    End(process);
  }
  Row("countdown_length", L"Reveilo.exe", length, "s");
  Row("cancel_to_gone", L"Reveilo.exe", cancel, "ms");
}

void MeasureBatchWait(int runs) {
  std::vector<double> delay, cpu;
  SetEnvironmentVariableW(L"REVEILO_JT_STAMP", L"1");
  const std::wstring stamp = ProgramFile(ProgramFolder(), L"\\jt_end.txt");
  for (int i = 0; i < runs; ++i) {
    FILETIME c, e, k0, u0, k1, u1;
    GetThreadTimes(GetCurrentThread(), &c, &e, &k0, &u0);
    const double start = NowMs();
    const bool ok = ScheduleWakeJob(Win32WakeJobSystem(), {L"1/5/2030", L"07:05", L"u", L"p"});
    const double returned = NowMs();
    GetThreadTimes(GetCurrentThread(), &c, &e, &k1, &u1);
    FILE* file = _wfopen(stamp.c_str(), L"r");
    double jtEnd = 0;
    if (file) {
      if (std::fscanf(file, "%lf", &jtEnd) != 1) jtEnd = 0;
      std::fclose(file);
    }
    if (ok && jtEnd > 0) delay.push_back(returned - jtEnd);
    auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    cpu.push_back(100.0 * (ms(k1) + ms(u1) - ms(k0) - ms(u0)) / (returned - start));
  }
  Row("batch_end_to_return", L"ScheduleWakeJob", delay, "ms");
  Row("batch_wait_cpu", L"ScheduleWakeJob", cpu, "%");
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
  MeasureStartup(L"baseline.exe", runs);
  MeasureStartup(L"Reveilo.exe", runs);
  if (argc > 2 && lstrcmpW(argv[2], L"startup") == 0) return 0;
  MeasureCountdown(std::max(3, runs / 4));
  MeasureBatchWait(std::max(5, runs / 2));
  return 0;
}
