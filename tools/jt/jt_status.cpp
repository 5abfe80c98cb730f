#include "tools/jt/jt_status.h"

#include "platform/hresult_text.h"
#include "wake_job/wake_time.h"

JtStatus JtStatusFor(HeldVerdict verdict) {
  for (const JtStatusRow& row : kJtStatuses) {
    if (row.verdict == verdict) return row.status;
  }
  return JtStatus::SaveFailed;  // a verdict without a row of its own still removes the job
}

std::wstring JtStatusReason(unsigned long status) {
  for (const JtStatusRow& row : kJtStatuses) {
    if (static_cast<unsigned long>(row.status) == status) return row.reason;
  }
  const std::wstring number =
      status < 0x10000 ? Padded(static_cast<int>(status), 0) : HresultText(static_cast<long>(status));
  return kReasonJtExit + number;
}
