// Helpers for tests that run under the Wine bench.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/program_folder.h"

inline std::wstring BenchEnv(const char* name) {
  const char* value = std::getenv(name);
  std::wstring text;
  if (value) text.assign(value, value + std::strlen(value));
  return text;
}

inline std::wstring ProgramPath(const wchar_t* name) { return ProgramFile(ProgramFolder(), name); }

// The raw bytes of a file, so that tests compare code page and line ends exactly.
inline std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::wstring FileText16(const std::wstring& path) {
  const std::string bytes = FileBytes(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// Every regular file of a folder, with its bytes.
inline std::vector<std::pair<std::wstring, std::string>> FolderFiles(const std::wstring& folder) {
  std::vector<std::pair<std::wstring, std::string>> files;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = folder + L"\\" + found.cFileName;
    files.emplace_back(found.cFileName, FileBytes(path));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return files;
}
