#include <windows.h>

#include <vector>

#include "platform/program_folder.h"
#include "platform/program_folder_win.h"

std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) return ProgramFolderFromModulePath(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);
  }
}
