// Windows version classes. Callers only ever compare the class with
// kVersionClassVista; every other class is treated alike.
#pragma once
#include <cstdint>
#include <string>

inline constexpr wchar_t kVersionClassVista[] = L"VISTA";
inline constexpr wchar_t kVersionClassFailed[] = L"Failed";

// Portable: the class for a platform id and version as GetVersionExA reports them.
// Anything outside the known table gives the empty class.
std::wstring ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major,
                                    std::uint32_t minor);

inline bool IsVistaClass(const std::wstring& versionClass) {
  return versionClass == kVersionClassVista;
}
