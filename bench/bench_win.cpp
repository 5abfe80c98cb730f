// Measures Reveilo.exe against the floor (its window with no program behind
// it) under the same prefix, and the command-line Set end to end with its
// parts, and prints one tab-separated row per figure: name, subject, median,
// min, max, unit. (The idle cost is read by bench/run.sh from the Linux side.)
//   bench.exe RUNS window     start-up and memory, countdown, batch wait (XP route)
//   bench.exe RUNS batch      the command-line Set on the batch route and its parts
//   bench.exe RUNS component  the command-line Set on the component route and its part
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/find_window.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "wake_job/schedule.h"
#include "wake_job/schedule_win.h"

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

HWND WaitForVisible(DWORD pid, const wchar_t* className, DWORD timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (NowMs() < end) {
    if (HWND hwnd = FindVisible(pid, className)) return hwnd;
    Sleep(1);
  }
  return nullptr;
}

// `console`: a console of its own, minimised, as Reveilo.exe starts the batch.
PROCESS_INFORMATION Start(const std::wstring& exe, const std::wstring& arguments, bool console = false) {
  // A program of the folder, or one Windows finds by itself (cmd.exe).
  std::wstring path = ProgramFile(ProgramFolder(), (L"\\" + exe).c_str());
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    path = std::wstring(system) + L"\\" + exe;
  }
  std::wstring line = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = console ? STARTF_USESHOWWINDOW : 0;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, console ? CREATE_NEW_CONSOLE : 0, nullptr,
                 ProgramFolder().c_str(), &startup, &process);
  return process;
}

void End(PROCESS_INFORMATION& process) {
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 9);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

// The two programs take turns, so that a slow moment of the machine falls on both.
void MeasureStartup(int runs) {
  const wchar_t* programs[] = {L"floor.exe", L"Reveilo.exe"};
  std::vector<double> startup[2], memory[2];
  for (int i = 0; i < 2 * runs; ++i) {
    const int which = i % 2;
    const double start = NowMs();
    PROCESS_INFORMATION process = Start(programs[which], L"");
    WaitForInputIdle(process.hProcess, 10000);
    if (WaitForVisible(process.dwProcessId, nullptr, 10000)) startup[which].push_back(NowMs() - start);
    Sleep(200);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
      memory[which].push_back(static_cast<double>(counters.PeakWorkingSetSize) / 1024.0);
    End(process);
  }
  for (int which = 0; which < 2; ++which) {
    Row("startup", programs[which], startup[which], "ms");
    Row("peak_working_set", programs[which], memory[which], "KiB");
  }
}

// Milliseconds from starting `exe` until it has exited.
double TimeRun(const std::wstring& exe, const std::wstring& arguments, bool console = false) {
  const double start = NowMs();
  PROCESS_INFORMATION process = Start(exe, arguments, console);
  if (!process.hProcess) return -1;
  WaitForSingleObject(process.hProcess, 60000);
  const double took = NowMs() - start;
  End(process);
  return took;
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
  const std::wstring stamp = ProgramFile(ProgramFolder(), L"\\jt_end.txt");
  for (int i = 0; i < runs; ++i) {
    FILETIME c, e, k0, u0, k1, u1;
    GetThreadTimes(GetCurrentThread(), &c, &e, &k0, &u0);
    const double start = NowMs();
    const bool ok = ScheduleWakeJob(Win32WakeJobSystem(), ScheduleRoute::Batch, {{2030, 1, 5, 7, 5}, L"1/5/2030", L"07:05", L"u", L"p"}).made;
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

// The main job as a script runs it: Reveilo.exe with a command line, from
// process start to exit, and the same work without our program around it:
// the batch it leaves run by cmd.exe alone, jt.exe's two calls alone, and
// cmd.exe doing nothing.
void MeasureBatchRoute(int runs) {
  const std::wstring line = FutureDate() + L" 07:05 u p";
  const std::wstring tool = BuildToolLine({{2030, 1, 5, 7, 5}, L"1/5/2030", L"07:05", L"u", L"p"}, ProgramFolder());
  const std::wstring toolArguments = tool.substr(tool.find(L' ') + 1);
  std::vector<double> total, floor, batch, jt, cmd;
  for (int i = 0; i < runs; ++i) {
    total.push_back(TimeRun(L"Reveilo.exe", line));
    floor.push_back(TimeRun(L"floor.exe", L"exit"));
    batch.push_back(TimeRun(L"cmd.exe", L"/d /c AddTask.bat", true));
    jt.push_back(TimeRun(L"jt.exe", L"/sd Resume.job", true) + TimeRun(L"jt.exe", toolArguments, true));
    cmd.push_back(TimeRun(L"cmd.exe", L"/d /c exit 0", true));
  }
  Row("set_batch_route", L"Reveilo.exe", total, "ms");
  Row("set_batch_route", L"floor.exe (start, window, exit)", floor, "ms");
  Row("set_batch_route", L"cmd.exe+jt.exe", batch, "ms");
  Row("set_batch_route", L"jt.exe (2 calls)", jt, "ms");
  Row("set_batch_route", L"cmd.exe (empty)", cmd, "ms");
}

// The component call timed as Reveilo.exe pays for it: in a process of its
// own (COM, the Task Scheduler's DLLs and the component loaded afresh), less
// the same process doing nothing.
bool CallComponentOnce() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring reason;
  const bool ok = Win32WakeJobSystem().CallTaskComponent(
      {L"2030/01/05 07:05:00", ProgramFile(ProgramFolder(), kStartupBatchName), kTaskName, kTaskAuthor}, reason);
  if (SUCCEEDED(hr)) CoUninitialize();
  return ok;
}

void MeasureComponentRoute(int runs) {
  const std::wstring line = FutureDate() + L" 07:05 u p";
  // The component registered the ordinary way, so that this program, which
  // has no manifest, can call it as Reveilo.exe does through its manifest.
  HMODULE component = LoadLibraryW(ProgramFile(ProgramFolder(), L"\\ReveiloTask.dll").c_str());
  using RegisterFn = HRESULT(WINAPI*)();
  auto registerServer = component ? reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(
                                        GetProcAddress(component, "DllRegisterServer")))
                                  : nullptr;
  if (registerServer) registerServer();
  std::vector<double> total, floor, call;
  for (int i = 0; i < runs; ++i) {
    total.push_back(TimeRun(L"Reveilo.exe", line));
    floor.push_back(TimeRun(L"floor.exe", L"exit"));
    call.push_back(TimeRun(L"bench.exe", L"1 call") - TimeRun(L"bench.exe", L"1 nothing"));
  }
  Row("set_component_route", L"Reveilo.exe", total, "ms");
  Row("set_component_route", L"floor.exe (start, window, exit)", floor, "ms");
  Row("set_component_route", L"AddTask call", call, "ms");
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
  const std::wstring what = argc > 2 ? argv[2] : L"window";
  if (what == L"call") return CallComponentOnce() ? 0 : 1;
  if (what == L"nothing") return 0;
  if (what == L"batch") {
    MeasureBatchRoute(runs);
  } else if (what == L"component") {
    MeasureComponentRoute(runs);
  } else {
    MeasureStartup(runs);
    MeasureCountdown(std::max(3, runs / 4));
    MeasureBatchWait(std::max(5, runs / 2));
  }
  return 0;
}
