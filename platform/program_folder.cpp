#include "platform/program_folder.h"

std::wstring ProgramFolderFromModulePath(std::wstring_view modulePath) {
  const std::size_t slash = modulePath.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos) return std::wstring();
  std::wstring folder(modulePath.substr(0, slash));
  // "C:" alone would mean the drive's current folder, not its root.
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

unsigned long AttributesForRewrite(unsigned long existing) {
  constexpr unsigned long kHidden = 0x2, kSystem = 0x4, kNormal = 0x80;  // FILE_ATTRIBUTE_*
  const unsigned long kept = existing == kNoFileAttributes ? 0 : existing & (kHidden | kSystem);
  return kept ? kept : kNormal;
}
