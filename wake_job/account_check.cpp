#include "wake_job/account_check.h"

std::optional<LogonName> LogonNameFor(std::wstring_view account, const AccountResolver& resolve) {
  const std::size_t separator = account.find(L'\\');
  if (separator != std::wstring_view::npos)
    return LogonName{std::wstring(account.substr(0, separator)), std::wstring(account.substr(separator + 1))};
  const std::wstring name(account);
  if (const auto found = resolve(name)) {
    if (!found->isUser) return std::nullopt;
    return LogonName{found->domain, found->user};
  }
  if (name.find(L'@') != std::wstring::npos) return LogonName{L"", name};
  return std::nullopt;
}

bool ProvesWrongPassword(bool loggedOn, unsigned long error) {
  constexpr unsigned long kLogonFailure = 1326;  // ERROR_LOGON_FAILURE
  return !loggedOn && error == kLogonFailure;
}
