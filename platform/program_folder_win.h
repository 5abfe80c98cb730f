// The running executable's folder (platform/program_folder.h names its files).
#pragma once
#include <string>

std::wstring ProgramFolder();
