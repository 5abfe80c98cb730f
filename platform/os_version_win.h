// The running Windows' version class (platform/os_version.h).
#pragma once
#include <string>

// Asks the running system afresh on every call; "Failed" when the version
// query itself cannot be made.
std::wstring GetOSVersion();
