// The Set command ("セットする"): from the window's controls to a wake job,
// stored settings and, when asked, a hibernation. The window supplies a host;
// tests supply a fake.
#pragma once
#include <optional>
#include <string>

#include "main_window/set_messages.h"
#include "platform/civil_time.h"
#include "power/countdown.h"
#include "power/power.h"
#include "settings/settings.h"
#include "wake_job/schedule.h"
#include "wake_job/wake_time.h"

// What is asked for, as the window's controls or the command line's words
// give it: read once, when the command starts.
struct WakeRequest {
  CivilDateTime date;         // the date part only is used
  std::wstring hour, minute;  // as typed: kept so in setting.ini and the batch
  std::wstring user, password;
  AfterWake afterWake{};  // off unless the menu or a switch chose it
};

// The window's side: the request, the hibernate box as it stands at each step
// (it may be cleared while the batch runs or the countdown counts), and its
// message boxes.
class SetCommandHost {
 public:
  virtual ~SetCommandHost() = default;
  virtual WakeRequest Request() = 0;
  virtual bool HibernateTicked() = 0;
  virtual bool InCommandLineMode() = 0;
  // The main window was asked to close while the command ran.
  virtual bool CloseRequested() = 0;
  // Shows the box modally; true for Yes (or OK), false for No.
  virtual bool Show(const ShownMessage& message) = 0;
};

// The rest of the system, each part beside its subsystem.
struct SetCommandServices {
  Clock& clock;
  WakeJobs& wakeJobs;
  SettingsStore& settings;
  PowerControl& power;
  WakeLog& log;
};

enum class SetOutcome {
  StayOpen,       // refused, failed or cancelled: the window waits for the user
  Exit,           // the wake job is set: the program ends (exit status 0)
  NotHibernated,  // the wake job is set, hibernation was refused: it ends (exit status 2)
};

SetOutcome RunSetCommand(SetCommandHost& host, const SetCommandServices& services);

// "m/d/yyyy" of a date: month and day without leading zeros.
std::wstring FormatMonthDayYear(const CivilDateTime& date);

// How a wake time stands to the present, when the time can be read at all
// (one that cannot is left to scheduling, which refuses it).
enum class WakeTimeVerdict {
  Ahead,
  Past,          // its minute has begun: a one-time trigger behind the clock never runs
  BeforeAsleep,  // with hibernate-now, it comes before the machine can be asleep
};
// After the countdown, a margin for writing memory to the hibernation file:
// seconds on a new machine, a minute or more on the disks of XP's day. Two
// minutes in all with the countdown, so a time three minutes ahead always does.
inline constexpr int kHibernationMarginSeconds = 115;
WakeTimeVerdict JudgeWakeTime(const std::optional<CivilDateTime>& asked, const CivilDateTime& now, bool hibernateNow);

// One run at a time: the batch wait, the message boxes and the countdown all
// let window events run, and a second click of Set among them must do nothing.
class SetCommand {
 public:
  // nullopt when a run is already under way and this click was ignored.
  std::optional<SetOutcome> Click(SetCommandHost& host, const SetCommandServices& services);
  bool Running() const { return running_; }

 private:
  bool running_ = false;
};
