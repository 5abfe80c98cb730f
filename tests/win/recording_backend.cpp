// Test double of the task component's backend: records the four strings it
// receives, one per line, in "component_args.txt" (UTF-16) in the program folder.
#include "driver.h"
#include "tools/task_component/component.h"

HRESULT AddTaskBackend(const std::array<std::wstring, 4>& arguments, std::wstring&) {
  WriteFileText16(ProgramPath(L"\\component_args.txt"), arguments[0] + L"\n" + arguments[1] + L"\n" +
                                                            arguments[2] + L"\n" + arguments[3] + L"\n");
  return S_OK;
}
