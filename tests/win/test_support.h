// Helpers for tests that run under the Wine bench.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

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
