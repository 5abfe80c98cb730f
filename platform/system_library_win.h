// DLLs that the program loads at run time, taken from the system folder only:
// the program folder is writable by design, so a DLL planted there must never
// be the one that loads.
#pragma once
#include <windows.h>

#include <string>

// The full path of a file in the system folder; empty when the folder is unknown.
std::wstring SystemFile(const wchar_t* name);

// The DLL of that name in the system folder; nullptr when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Takes the current folder out of the search path of every later load, where
// the system can (SetDllDirectoryW, looked up at run time). Called first thing.
void HardenDllSearch();

// A function of a loaded module, typed; nullptr when the module or the name is missing.
template <typename Fn>
Fn ModuleFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
