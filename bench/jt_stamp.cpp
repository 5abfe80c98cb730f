// The benchmark's stand-in for jt.exe: does nothing but write, in "jt_end.txt"
// beside it, the moment it ends on the machine's clock, so that the bench can
// time Reveilo from the batch's end to its own.
#include <windows.h>

#include <cstdio>

#include "platform/program_folder.h"
#include "platform/program_folder_win.h"

int wmain() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  const std::wstring path = ProgramFile(ProgramFolder(), L"\\jt_end.txt");
  FILE* out = _wfopen(path.c_str(), L"w");
  if (!out) return 3;
  std::fprintf(out, "%.3f\n", static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
  std::fclose(out);
  return 0;
}
