#include "platform/os_version.h"

#include <optional>

namespace {
constexpr std::uint32_t kPlatformWin32Windows = 1;  // 95, 98, Me
constexpr std::uint32_t kPlatformWin32NT = 2;

struct VersionRow {
  std::uint32_t platformId;
  std::uint32_t major;
  std::optional<std::uint32_t> minor;  // none: every minor version
  const wchar_t* versionClass;
};

constexpr VersionRow kVersionTable[] = {
    {kPlatformWin32Windows, 4, 0, L"95"},
    {kPlatformWin32Windows, 4, 10, L"98"},
    {kPlatformWin32Windows, 4, 90, L"Me"},
    {kPlatformWin32NT, 4, 0, L"NT4"},
    {kPlatformWin32NT, 5, 0, L"2000"},
    {kPlatformWin32NT, 5, 1, L"XP"},
    {kPlatformWin32NT, 5, 2, L"2003"},
    {kPlatformWin32NT, 6, std::nullopt, kVersionClassVista},
};
}  // namespace

std::wstring ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major,
                                    std::uint32_t minor) {
  for (const VersionRow& row : kVersionTable) {
    if (row.platformId == platformId && row.major == major &&
        (!row.minor || *row.minor == minor)) {
      return row.versionClass;
    }
  }
  return std::wstring();
}
