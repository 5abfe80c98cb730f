#include <windows.h>

#include "platform/ansi_text_win.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "settings/wake_log_win.h"

namespace {
// Held from the read to the replace, so two Reveilos at once lose no line.
// The session's namespace: a log is one user's.
constexpr wchar_t kLogMutexName[] = L"Local\\Reveilo.wake.log";
constexpr DWORD kLogMutexWaitMs = 10000;
// What a replaced log keeps of its attributes; read-only is not among them:
// such a log is not replaced at all.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The log's last kWakeLogReadBytes, and whether the read began inside it;
// nullopt when a log is there but could not be read (held, denied), which must
// not be taken for an empty one.
struct LogTail {
  std::string bytes;
  bool cut = false;
};
std::optional<LogTail> ReadTail(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return LogTail{};
    return std::nullopt;
  }
  LogTail tail;
  LARGE_INTEGER size{}, from{};
  bool ok = GetFileSizeEx(file, &size) != FALSE;
  if (ok && size.QuadPart > static_cast<LONGLONG>(kWakeLogReadBytes)) {
    from.QuadPart = size.QuadPart - static_cast<LONGLONG>(kWakeLogReadBytes);
    tail.cut = true;
    ok = SetFilePointerEx(file, from, nullptr, FILE_BEGIN) != FALSE;
  }
  if (ok) {
    tail.bytes.resize(static_cast<std::size_t>(size.QuadPart - from.QuadPart));
    DWORD read = 0;
    ok = ReadFile(file, tail.bytes.data(), static_cast<DWORD>(tail.bytes.size()), &read, nullptr) &&
         read == tail.bytes.size();
  }
  CloseHandle(file);
  return ok ? std::optional<LogTail>(std::move(tail)) : std::nullopt;
}

// A new file beside the log, written whole and flushed, then put in its
// place in one step; on any failure the log stays as it was.
bool Replace(const std::wstring& path, const std::string& bytes) {
  const std::wstring fresh = path + L".new";
  HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  const DWORD old = GetFileAttributesW(path.c_str());
  if (whole && old != INVALID_FILE_ATTRIBUTES && (old & kKeptAttributes) != 0)
    SetFileAttributesW(fresh.c_str(), old & kKeptAttributes);
  if (whole && MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  SetFileAttributesW(fresh.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(fresh.c_str());
  return false;
}

class FileLog : public WakeLog {
 public:
  void Append(const std::wstring& line) override {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kLogMutexName);
    const DWORD waited = mutex ? WaitForSingleObject(mutex, kLogMutexWaitMs) : WAIT_FAILED;
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
      const std::wstring path = ProgramFile(ProgramFolder(), kWakeLogFileName);
      if (const auto tail = ReadTail(path)) (void)Replace(path, AppendLogBytes(tail->bytes, tail->cut, ToAnsi(line)));
      ReleaseMutex(mutex);
    }
    if (mutex) CloseHandle(mutex);
  }
};
}  // namespace

WakeLog& FileWakeLog() {
  static FileLog log;
  return log;
}
