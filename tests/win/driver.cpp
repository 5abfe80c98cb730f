#include "driver.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "res/resource.h"
#include "tools/jt/jt_command.h"

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FileText16(const std::wstring& path) {
  const std::string bytes = FileBytes(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::wstring EnvText(const wchar_t* name) {
  wchar_t text[MAX_PATH] = {};
  GetEnvironmentVariableW(name, text, MAX_PATH);
  return text;
}

void UseJt(Jt which) {
  const std::wstring jt = ProgramPath(L"\\jt.exe"), real = ProgramPath(L"\\jt_real.exe");
  if (!FileExists(real)) CopyFileW(jt.c_str(), real.c_str(), TRUE);
  DeleteFileW(jt.c_str());
  if (which != Jt::Missing) {
    CopyFileW((which == Jt::Real ? real : ProgramPath(L"\\jt_recorder.exe")).c_str(), jt.c_str(), FALSE);
  }
}

std::vector<std::wstring> JtCalls() {
  std::vector<std::wstring> calls;
  const std::wstring text = FileText16(ProgramPath(L"\\jt_calls.txt"));
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    calls.emplace_back(JtArgumentsOf(text.substr(start, end - start)));
  }
  return calls;
}

std::wstring TasksFolder() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\Tasks";
}

namespace {
std::wstring TakeCoString(LPWSTR text) {
  std::wstring copy = text ? text : L"";
  CoTaskMemFree(text);
  return copy;
}
}  // namespace

bool LoadJob(const wchar_t* name, LoadedJob& job) {
  ITaskScheduler* scheduler = nullptr;
  if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(&scheduler))))
    return false;
  ITask* task = nullptr;
  const bool found = SUCCEEDED(scheduler->Activate(name, IID_ITask, reinterpret_cast<IUnknown**>(&task)));
  if (found) {
    LPWSTR text = nullptr;
    ITaskTrigger* trigger = nullptr;
    task->GetTriggerCount(&job.triggers);
    if (job.triggers > 0 && SUCCEEDED(task->GetTrigger(0, &trigger))) {
      job.trigger.cbTriggerSize = sizeof job.trigger;
      trigger->GetTrigger(&job.trigger);
      trigger->Release();
    }
    if (SUCCEEDED(task->GetApplicationName(&text))) job.application = TakeCoString(text);
    if (SUCCEEDED(task->GetCreator(&text))) job.creator = TakeCoString(text);
    task->GetFlags(&job.flags);
    task->Release();
  }
  scheduler->Release();
  return found;
}

std::wstring StoredTaskText(const wchar_t* name) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring path = std::wstring(system) + L"\\Tasks\\" + name;
  const std::string bytes = FileBytes(path);
  if (bytes.size() >= 2 && bytes[0] == '\xff' && bytes[1] == '\xfe') return FileText16(path);
  return std::wstring(bytes.begin(), bytes.end());  // the store's ASCII markup is all we read
}

namespace {
struct FindData {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  wchar_t name[64] = {};
  GetWindowThreadProcessId(hwnd, &pid);
  GetClassNameW(hwnd, name, 64);
  if (pid != data->pid || !IsWindowVisible(hwnd) || WindowText(hwnd) != L"Reveilo" ||
      std::wstring(name) != data->className)
    return TRUE;
  data->found = hwnd;
  return FALSE;
}

// A SYSTEMTIME in the target process: the date picker's pointers do not cross.
bool PickerMessage(DWORD pid, HWND picker, UINT message, WPARAM wParam, SYSTEMTIME& st, bool write) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof st, MEM_COMMIT, PAGE_READWRITE);
  bool ok = remote && (!write || WriteProcessMemory(process, remote, &st, sizeof st, nullptr));
  if (ok) SendMessageW(picker, message, wParam, reinterpret_cast<LPARAM>(remote));
  if (ok && !write) ok = ReadProcessMemory(process, remote, &st, sizeof st, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}
}  // namespace

ReveiloProcess::ReveiloProcess(const std::wstring& arguments) {
  const std::wstring exe = ProgramPath(L"\\Reveilo.exe");
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      ProgramFolder().c_str(), &startup, &process_)) {
    process_ = PROCESS_INFORMATION{};
  }
}

ReveiloProcess::~ReveiloProcess() {
  if (process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
}

HWND ReveiloProcess::FindWindowOfClass(const wchar_t* className, DWORD timeoutMs) {
  FindData data{process_.dwProcessId, className, nullptr};
  WaitUntil([&] { return !EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data)) && data.found; }, timeoutMs);
  return data.found;
}

HWND ReveiloProcess::MainWindow(DWORD timeoutMs) {
  if (!main_) main_ = FindWindowOfClass(L"ReveiloForm1", timeoutMs);
  return main_;
}

bool ReveiloProcess::Exited(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_.hProcess) return false;
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    // A box nobody expected is the usual reason a run does not end: name it.
    HWND box = timeoutMs > 1000 ? FindWindowOfClass(L"#32770", 0) : nullptr;
    if (box) std::fwprintf(stderr, L"message dialog detected: %ls\n", MessageBoxText(box).c_str());
    return false;
  }
  if (exitCode) GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

std::wstring ReveiloProcess::ControlText(int id) { return WindowText(Control(id)); }

void ReveiloProcess::SetControlText(int id, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                      &result);
}

std::vector<std::wstring> ReveiloProcess::ComboItems(int id) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

CivilDateTime ReveiloProcess::PickerDate() {
  SYSTEMTIME st{};
  PickerMessage(process_.dwProcessId, Control(IDC_DTPICKER1), DTM_GETSYSTEMTIME, 0, st, false);
  return {st.wYear, st.wMonth, st.wDay, 0, 0, 0};
}

void ReveiloProcess::SetPickerDate(const CivilDateTime& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  PickerMessage(process_.dwProcessId, Control(IDC_DTPICKER1), DTM_SETSYSTEMTIME, GDT_VALID, st, true);
}

HWND ReveiloProcess::FocusedWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[4096] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
  return text;
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void PressMessageBoxButton(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount();; Sleep(20)) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
  }
}

void SaveScreenshot(HWND hwnd, const wchar_t* name) {
  const std::wstring folder = EnvText(L"REVEILO_ARTIFACT_DIR");
  RECT rect;
  if (folder.empty() || !GetWindowRect(hwnd, &rect)) return;
  CreateDirectoryW(folder.c_str(), nullptr);
  const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFOHEADER info{sizeof info, width, -height, 1, 32, BI_RGB};  // top-down rows
  const DWORD bytes = static_cast<DWORD>(width * height * 4);
  const BITMAPFILEHEADER file{0x4D42, sizeof(BITMAPFILEHEADER) + sizeof info + bytes, 0, 0,
                              sizeof(BITMAPFILEHEADER) + sizeof info};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  std::ofstream out((folder + L"\\" + name + L".bmp").c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(static_cast<const char*>(bits), bytes);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}
