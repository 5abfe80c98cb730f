// The account check over LookupAccountNameW and LogonUserW, for Reveilo
// before it writes anything and for jt.exe before it saves a job.
#pragma once
#include <string>

// True only when Windows proves the password wrong for that account.
bool PasswordProvenWrong(const std::wstring& account, const std::wstring& password);
