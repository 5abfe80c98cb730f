// The task component: the COM class "Orvane.clsAddTask" with one late-bound
// method, AddTask(start, program, name, author). The class glue is shared;
// the backend that makes the task is linked in (the real one registers it
// with Task Scheduler 2.0, a test double records its arguments).
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <array>
#include <string>

// {4F6B2A9E-71C3-4D58-9A0E-C2B7D5E8F113}
inline constexpr CLSID kAddTaskClsid = {0x4f6b2a9e, 0x71c3, 0x4d58,
                                        {0x9a, 0x0e, 0xc2, 0xb7, 0xd5, 0xe8, 0xf1, 0x13}};
inline constexpr wchar_t kAddTaskClsidText[] = L"{4F6B2A9E-71C3-4D58-9A0E-C2B7D5E8F113}";
inline constexpr DISPID kDispidAddTask = 1;

inline constexpr unsigned kAddTaskArguments = 6;

// Makes the task; on failure returns the failing result and says why in
// `error`. The last two arguments are empty for a task without them.
HRESULT AddTaskBackend(const std::array<std::wstring, kAddTaskArguments>& arguments, std::wstring& error);
