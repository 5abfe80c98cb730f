// Whether a typed password is proven wrong, before anything is scheduled: on
// XP the Task Scheduler keeps one password per account for all of that
// account's jobs and does not check it when a job is saved
// (IScheduledWorkItem::SetAccountInformation), so a mistyped one would break
// the user's other jobs, and the batch would have deleted the earlier wake
// before jt.exe refused it. Only a proof refuses: a name that cannot be
// resolved (a domain member off its network) or a logon that fails for any
// other reason says nothing of the password.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// An account as the system resolves a name: the domain (the computer's name
// for a local account) and the account's own name.
struct ResolvedAccount {
  std::wstring domain, user;
  bool isUser = false;  // a user account: a group or a well-known name proves nothing
};
using AccountResolver = std::function<std::optional<ResolvedAccount>(const std::wstring&)>;

// The account as the scheduler will resolve it, for checking its password.
struct LogonName {
  std::wstring domain;  // empty: none to pass (the name is a user principal name)
  std::wstring user;
};
// "DOMAIN\user" split at the separator; any other name as `resolve` finds it
// (a local account may hold '@'); a name with '@' that it does not find as a
// user principal name; nullopt when there is nothing to prove against: a bare
// name it cannot resolve, or one that is no user account.
std::optional<LogonName> LogonNameFor(std::wstring_view account, const AccountResolver& resolve);

// Only a logon refused for its user name or password (ERROR_LOGON_FAILURE)
// proves the password wrong; a logon type not granted, an expired password or
// an unreachable domain controller say nothing of it.
bool ProvesWrongPassword(bool loggedOn, unsigned long error);
