#include "wake_job/jt_status.h"

#include "platform/hresult_text.h"
#include "wake_job/wake_time.h"

JtStatus SaveFailureStatus(long hr) {
  switch (static_cast<unsigned long>(hr)) {
    case 0x80041315ul:  // SCHED_E_SERVICE_NOT_RUNNING
      return JtStatus::NoScheduler;
    case 0x80070005ul:  // E_ACCESSDENIED
    // NewWorkItem's answer when the job of that name stands and could not be
    // deleted first: another account's job this user may not replace.
    case 0x80070050ul:  // HRESULT_FROM_WIN32(ERROR_FILE_EXISTS)
      return JtStatus::AccessDenied;
    case 0x8004130Ful:  // SCHED_E_ACCOUNT_INFORMATION_NOT_SET
    case 0x80041310ul:  // SCHED_E_ACCOUNT_NAME_NOT_FOUND
    case 0x80070534ul:  // ERROR_NONE_MAPPED
    case 0x8007052Eul:  // ERROR_LOGON_FAILURE
      return JtStatus::Account;
    default:
      return JtStatus::SaveFailed;
  }
}

JtStatus JtStatusFor(HeldVerdict verdict, bool removed) {
  if (!removed && verdict != HeldVerdict::AsAsked) return JtStatus::NotRemoved;
  for (const JtStatusRow& row : kJtStatuses) {
    if (row.verdict == verdict) return row.status;
  }
  return JtStatus::SaveFailed;  // a verdict without a row of its own still removes the job
}

std::wstring JtStatusReason(unsigned long status) {
  for (const JtStatusRow& row : kJtStatuses) {
    if (static_cast<unsigned long>(row.status) == status) return row.reason + std::wstring(row.then);
  }
  const std::wstring number =
      status < 0x10000 ? Decimal(static_cast<int>(status)) : HresultText(static_cast<long>(status));
  return kReasonJtExit + number + kReasonJtExitRest;
}
