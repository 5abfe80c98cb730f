#include <windows.h>

#include "wake_job/account_check.h"
#include "wake_job/account_check_win.h"

namespace {
// The account's own domain and name by its SID, so that a name found as a
// user principal name is checked as the account it stands for.
std::optional<ResolvedAccount> ResolveAccount(const std::wstring& name) {
  BYTE sid[SECURITY_MAX_SID_SIZE];
  wchar_t domain[256] = {}, user[257] = {};
  DWORD sidSize = sizeof sid, domainSize = 256, userSize = 257;
  SID_NAME_USE use;
  if (!LookupAccountNameW(nullptr, name.c_str(), sid, &sidSize, domain, &domainSize, &use)) return std::nullopt;
  domainSize = 256;
  if (!LookupAccountSidW(nullptr, sid, user, &userSize, domain, &domainSize, &use))
    return ResolvedAccount{};  // found, but not as anything a logon can prove
  return ResolvedAccount{domain, user, use == SidTypeUser};
}
}  // namespace

bool PasswordProvenWrong(const std::wstring& account, const std::wstring& password) {
  const auto name = LogonNameFor(account, ResolveAccount);
  if (!name) return false;
  HANDLE token = nullptr;
  const bool loggedOn = LogonUserW(name->user.c_str(), name->domain.empty() ? nullptr : name->domain.c_str(),
                                   password.c_str(), LOGON32_LOGON_INTERACTIVE, LOGON32_PROVIDER_DEFAULT, &token);
  const DWORD error = loggedOn ? ERROR_SUCCESS : GetLastError();
  if (token) CloseHandle(token);
  return ProvesWrongPassword(loggedOn, error);
}
