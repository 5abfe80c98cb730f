// The program folder: the executable's folder as the system reports it, with
// no trailing separator except at a drive root ("C:\"). Every file of the
// program is named by appending a name that starts with '\', so a drive root
// gives a doubled separator, which Windows accepts.
#pragma once
#include <string>
#include <string_view>

inline constexpr wchar_t kSettingsFileName[] = L"\\setting.ini";
inline constexpr wchar_t kAddTaskBatchName[] = L"\\AddTask.bat";
inline constexpr wchar_t kStartupBatchName[] = L"\\Startup.bat";
// What the job runs instead when the machine is to be kept up after the wake.
inline constexpr wchar_t kProgramFileName[] = L"\\Reveilo.exe";
inline constexpr wchar_t kManualFileName[] = L"\\manual.txt";
inline constexpr wchar_t kWakeLogFileName[] = L"\\wake.log";
inline constexpr wchar_t kJtFileName[] = L"\\jt.exe";
inline constexpr wchar_t kComponentFileName[] = L"\\ReveiloTask.dll";

// Portable: the folder part of a module's full path.
std::wstring ProgramFolderFromModulePath(std::wstring_view modulePath);

inline std::wstring ProgramFile(std::wstring_view folder, std::wstring_view name) {
  return std::wstring(folder) + std::wstring(name);
}

// The attributes to rewrite a program file with, given the ones it has
// (kNoFileAttributes when there is none): Windows refuses to truncate a hidden
// or system file unless the call asks for those attributes too.
inline constexpr unsigned long kNoFileAttributes = 0xFFFFFFFFul;
unsigned long AttributesForRewrite(unsigned long existing);
