#include "ui_driver.h"

#include <commctrl.h>
#include <wincodec.h>

#include <cstdio>

#include "platform/program_folder.h"
#include "res/resource.h"

namespace {
constexpr DWORD kPollMs = 20;

struct FindData {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == data->pid && IsWindowVisible(hwnd) && WindowText(hwnd) == L"Reveilo" &&
      ClassOf(hwnd) == data->className) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Memory in the target process, for messages whose pointers do not cross.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD pid, SIZE_T size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data) { return WriteProcessMemory(process_, address_, data, size_, nullptr); }
  bool Read(void* data) { return ReadProcessMemory(process_, address_, data, size_, nullptr); }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  SIZE_T size_;
};
}  // namespace

std::wstring WindowText(HWND hwnd) {
  wchar_t text[4096] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void PressMessageBoxButton(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(kPollMs);
  }
}

ReveiloProcess::ReveiloProcess(const std::wstring& arguments) {
  const std::wstring exe = ProgramFile(ProgramFolder(), L"\\Reveilo.exe");
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      ProgramFolder().c_str(), &startup, &process_)) {
    process_ = PROCESS_INFORMATION{};
  }
}

ReveiloProcess::~ReveiloProcess() {
  Kill();
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
}

void ReveiloProcess::Kill() {
  if (process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
}

HWND ReveiloProcess::FindWindowOfClass(const wchar_t* className, DWORD timeoutMs) {
  FindData data{process_.dwProcessId, className, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr;
      },
      timeoutMs);
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
    if (timeoutMs > 1000) {
      if (HWND box = FindWindowOfClass(L"#32770", 0)) {
        std::fwprintf(stderr, L"message dialog detected: %ls\n", MessageBoxText(box).c_str());
      }
    }
    return false;
  }
  if (exitCode) GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

HWND ReveiloProcess::Control(int id) { return GetDlgItem(MainWindow(), id); }
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
    SendMessageW(Control(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

CivilDateTime ReveiloProcess::PickerDate() {
  SYSTEMTIME st{};
  RemoteBuffer remote(process_.dwProcessId, sizeof st);
  SendMessageW(Control(IDC_DTPICKER1), DTM_GETSYSTEMTIME, 0, remote.Address());
  remote.Read(&st);
  return {st.wYear, st.wMonth, st.wDay, 0, 0, 0};
}

void ReveiloProcess::SetPickerDate(const CivilDateTime& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDay = static_cast<WORD>(date.day);
  RemoteBuffer remote(process_.dwProcessId, sizeof st);
  remote.Write(&st);
  SendMessageW(Control(IDC_DTPICKER1), DTM_SETSYSTEMTIME, GDT_VALID, remote.Address());
}

bool ReveiloProcess::Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void ReveiloProcess::SetChecked(int id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool ReveiloProcess::Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
void ReveiloProcess::Click(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }

HWND ReveiloProcess::FocusedWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

std::wstring ArtifactFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"REVEILO_ARTIFACT_DIR", folder, MAX_PATH) == 0) return std::wstring();
  CreateDirectoryW(folder, nullptr);
  return folder;
}

bool SaveWindowPng(HWND hwnd, const std::wstring& path) {
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  bool ok = false;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
      SUCCEEDED(frame->WritePixels(height, width * 4, width * height * 4, static_cast<BYTE*>(bits))) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
    ok = true;
  }
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  DeleteObject(bitmap);
  return ok;
}
