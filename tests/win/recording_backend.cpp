// Test double of the task component's backend: records the four strings it
// receives, one per line, in "component_args.txt" (UTF-16) in the program folder.
#include <windows.h>

#include "platform/program_folder.h"
#include "tools/task_component/component.h"

HRESULT AddTaskBackend(const std::array<std::wstring, 4>& arguments, std::wstring&) {
  std::wstring text;
  for (const std::wstring& argument : arguments) text += argument + L"\n";
  const std::wstring path = ProgramFile(ProgramFolder(), L"\\component_args.txt");
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return S_OK;
}
