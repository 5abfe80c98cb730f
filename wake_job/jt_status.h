// jt.exe's exit statuses, which "AddTask.bat" hands on as its own, and the
// reason Reveilo shows for each: one table, read by jt.exe to choose its
// status and by Reveilo to say what it meant.
#pragma once
#include <optional>
#include <string>

#include "res/strings.h"
#include "wake_job/held_job.h"

enum class JtStatus : unsigned long {
  Ok = 0,
  SaveFailed = 1,   // a delete or save the scheduler refused
  LineRefused = 2,  // the command line could not be read: nothing was done
  NoScheduler = 3,  // Task Scheduler 1.0 could not be reached
  Account = 4,      // the scheduler refused the user name or password
  // Saved, then read back not as asked (and removed again):
  NeverRuns = 5,
  OtherTime = 6,
  Disabled = 7,
  NoWake = 8,
  OtherProgram = 9,
  AccessDenied = 10,  // another account's job of the same name, and no administrator
  NotRemoved = 11,    // read back not as asked, and the scheduler would not remove it
  // Not jt.exe's own: cmd.exe's status when it finds no jt.exe to run.
  CmdNotFound = 9009,
};

struct JtStatusRow {
  JtStatus status;
  const wchar_t* reason;  // empty for Ok
  const wchar_t* then;    // what follows the reason: whether the job was removed again
  std::optional<HeldVerdict> verdict;  // the read-back verdict that ends with this status
};

inline constexpr JtStatusRow kJtStatuses[] = {
    {JtStatus::Ok, L"", L"", HeldVerdict::AsAsked},
    {JtStatus::SaveFailed, kReasonJtSaveFailed, L"", std::nullopt},
    {JtStatus::LineRefused, kReasonJtLineRefused, L"", std::nullopt},
    {JtStatus::NoScheduler, kReasonJtNoScheduler, L"", std::nullopt},
    {JtStatus::Account, kReasonJtAccount, L"", std::nullopt},
    {JtStatus::NeverRuns, kReasonNeverRuns, kReasonRemoved, HeldVerdict::NeverRuns},
    {JtStatus::OtherTime, kReasonOtherTime, kReasonRemoved, HeldVerdict::OtherTime},
    {JtStatus::Disabled, kReasonDisabled, kReasonRemoved, HeldVerdict::Disabled},
    {JtStatus::NoWake, kReasonNoWake, kReasonRemoved, HeldVerdict::NoWake},
    {JtStatus::OtherProgram, kReasonOtherProgram, kReasonRemoved, HeldVerdict::OtherProgram},
    {JtStatus::AccessDenied, kHrAccessDenied, L"", std::nullopt},
    // jt.exe prints which difference it found; the status says only that the job stays.
    {JtStatus::NotRemoved, kReasonNotAsAsked, kReasonNotRemoved, std::nullopt},
    {JtStatus::CmdNotFound, kReasonJtNotFound, L"", std::nullopt},
};

// No two rows share a number, nor a verdict.
constexpr bool JtStatusesAreDistinct() {
  for (const JtStatusRow& a : kJtStatuses) {
    for (const JtStatusRow& b : kJtStatuses) {
      if (&a != &b && (a.status == b.status || (a.verdict && a.verdict == b.verdict))) return false;
    }
  }
  return true;
}
static_assert(JtStatusesAreDistinct(), "each jt.exe status has one number and one meaning");

inline constexpr int JtExitCode(JtStatus status) { return static_cast<int>(status); }

// The status a failed save ends jt.exe with, by what the scheduler answered.
JtStatus SaveFailureStatus(long hr);

// The status a read-back verdict ends jt.exe with, once the job is removed
// again; Ok for AsAsked, NotRemoved whatever the verdict when it could not be.
JtStatus JtStatusFor(HeldVerdict verdict, bool removed = true);

// Why a batch that ended with `status` made no job, for the user; a status
// outside the table is named by its number (a crash's as the NTSTATUS it is).
std::wstring JtStatusReason(unsigned long status);
