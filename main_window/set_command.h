// The Set command ("セットする"): from the window's controls to a wake job,
// stored settings and, when asked, a hibernation. The window supplies a host;
// tests supply a fake.
#pragma once
#include <optional>
#include <string>

#include "power/readiness.h"
#include "wake_job/schedule.h"
#include "wake_job/wake_time.h"

enum class SetMessage {
  PastTime,            // warning, OK
  EmptyPassword,       // question, Yes/No, Yes the default
  ScheduleFailed,      // warning, OK
  Done,                // information, OK
  PasswordNotStorable,  // warning, OK
  WakeTimersOff,        // question, Yes/No, Yes the default
  HibernationOff,       // question, Yes/No, Yes the default
  FolderNotWritable,    // warning, OK; names the folder
  FolderNameNotAnsi,    // warning, OK; names the folder
  NotHibernated,        // warning, OK: the job is set, the machine did not hibernate
  ClockCannotWake,      // question, Yes/No, Yes the default
  FolderOnNetwork,      // warning, OK; names the folder
  AccountControlCharacter,  // warning, OK
  AccountNotInCodePage,     // warning, OK
  TooSoonToHibernate,       // warning, OK: the wake would come before the machine is asleep
  ShippedFileMissing,       // warning, OK; names the file
};

class SetCommandHost {
 public:
  virtual ~SetCommandHost() = default;
  // The controls, read at the moment a step needs them.
  virtual CivilDateTime PickerDate() = 0;  // the date part only is used
  virtual std::wstring HourText() = 0;
  virtual std::wstring MinuteText() = 0;
  virtual std::wstring UserText() = 0;
  virtual std::wstring PasswordText() = 0;
  virtual bool PasswordBoxEnabled() = 0;
  virtual bool HibernateTicked() = 0;
  virtual bool InCommandLineMode() = 0;
  // The main window was asked to close while the command ran.
  virtual bool CloseRequested() = 0;

  virtual CivilDateTime Now() = 0;  // local time
  // What the system says of wake timers and hibernation, asked when needed.
  virtual Readiness WakeTimers() = 0;
  virtual Readiness Hibernation() = 0;
  virtual Readiness ClockWake() = 0;
  virtual PreflightCheck CheckBeforeSet(const std::wstring& user, const std::wstring& password) = 0;
  // True for Yes (or OK), false for No. `detail` goes into the messages that
  // name something (the folder, the missing file) and is the failure's reason
  // after 「スケジュールに失敗しました。」; empty for the others.
  virtual bool ShowMessage(SetMessage message, const std::wstring& detail) = 0;
  virtual ScheduleResult ScheduleWakeJob(const std::wstring& date, const std::wstring& time,
                                         const std::wstring& user, const std::wstring& password) = 0;
  virtual bool WriteSetting(const std::wstring& section, const std::wstring& key,
                            const std::wstring& value) = 0;
  // True when the countdown ran to its end, false when it was cancelled.
  virtual bool RunSuspendCountdown() = 0;
  // True once the machine has hibernated and resumed; false when it did not
  // hibernate (the shutdown privilege was not granted, or the system refused).
  virtual bool EnterHibernation() = 0;
};

enum class SetOutcome {
  StayOpen,       // refused, failed or cancelled: the window waits for the user
  Exit,           // the wake job is set: the program ends (exit status 0)
  NotHibernated,  // the wake job is set, hibernation was refused: it ends (exit status 2)
};

SetOutcome RunSetCommand(SetCommandHost& host);

// "m/d/yyyy" of a date: month and day without leading zeros.
std::wstring FormatMonthDayYear(const CivilDateTime& date);

// How a wake time stands to the present, when the time can be read at all
// (one that cannot is left to scheduling, which refuses it).
enum class WakeTimeVerdict {
  Ahead,
  Past,          // its minute has begun: a one-time trigger behind the clock never runs
  BeforeAsleep,  // with hibernate-now, it comes before the machine can be asleep
};
// The countdown, and a margin for writing memory to the hibernation file:
// seconds on a new machine, a minute or more on the disks of XP's day. Two
// minutes in all, so a time three minutes ahead always does.
inline constexpr int kCountdownSeconds = 5, kHibernationMarginSeconds = 115;
WakeTimeVerdict JudgeWakeTime(const std::wstring& wakeDate, const std::wstring& wakeTime, const CivilDateTime& now,
                              bool hibernateNow);

// One run at a time: the batch wait, the message boxes and the countdown all
// let window events run, and a second click of Set among them must do nothing.
class SetCommand {
 public:
  // nullopt when a run is already under way and this click was ignored.
  std::optional<SetOutcome> Click(SetCommandHost& host);
  bool Running() const { return running_; }

 private:
  bool running_ = false;
};
