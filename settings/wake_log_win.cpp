#include <windows.h>

#include "platform/ansi_text_win.h"
#include "platform/program_folder.h"
#include "platform/program_folder_win.h"
#include "settings/wake_log_win.h"

namespace {
class FileLog : public WakeLog {
 public:
  void Append(const std::wstring& line) override {
    const std::wstring path = ProgramFile(ProgramFolder(), kWakeLogFileName);
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char buffer[4096];
      DWORD read = 0;
      while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
      CloseHandle(file);
    }
    const std::string text = ToAnsi(AppendLogLine(FromAnsi(bytes), line));
    // A file held open elsewhere is left as it is; a hidden one stays hidden.
    file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       AttributesForRewrite(GetFileAttributesW(path.c_str())), nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
};
}  // namespace

WakeLog& FileWakeLog() {
  static FileLog log;
  return log;
}
