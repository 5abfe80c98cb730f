#include "main_window/set_command.h"

#include <tuple>

#include "settings/password.h"
#include "settings/settings.h"

std::wstring FormatMonthDayYear(const CivilDateTime& date) {
  return Padded(date.month, 0) + L"/" + Padded(date.day, 0) + L"/" + Padded(date.year, 4);
}

bool IsWakeTimeInThePast(const std::wstring& wakeDate, const std::wstring& wakeTime,
                         const CivilDateTime& now) {
  const auto date = ParseMonthDayYear(wakeDate);
  const auto time = ParseHourMinute(wakeTime);
  if (!date || !time) return false;
  // The present is cut to its minute: a wake time within this minute is not past.
  return std::tie(date->year, date->month, date->day, time->hour, time->minute) <
         std::tie(now.year, now.month, now.day, now.hour, now.minute);
}

SetOutcome RunSetCommand(SetCommandHost& host) {
  const std::wstring wakeDate = FormatMonthDayYear(host.PickerDate());
  const std::wstring wakeTime = host.HourText() + L":" + host.MinuteText();

  if (IsWakeTimeInThePast(wakeDate, wakeTime, host.Now())) {
    host.ShowMessage(SetMessage::PastTime, L"");
    return SetOutcome::StayOpen;
  }

  // The scrambler stores 7-bit characters only: refuse before anything is
  // scheduled rather than leave a job whose password cannot be saved.
  const std::wstring password = host.PasswordText();
  const auto scrambled = ConvertPassword(L"SET", password);
  if (!scrambled) {
    host.ShowMessage(SetMessage::PasswordNotStorable, L"");
    return SetOutcome::StayOpen;
  }

  // A folder that cannot take the batch, Startup.bat or setting.ini would
  // leave a job half made or its settings lost: say so before anything is.
  const FolderCheck folder = host.CheckProgramFolder();
  if (folder.state != FolderState::Usable) {
    host.ShowMessage(folder.state == FolderState::NotWritable ? SetMessage::FolderNotWritable
                                                              : SetMessage::FolderNameNotAnsi,
                     folder.folder);
    return SetOutcome::StayOpen;
  }

  if (password.empty() && host.PasswordBoxEnabled() &&
      !host.ShowMessage(SetMessage::EmptyPassword, L"")) {
    return SetOutcome::StayOpen;
  }

  // What most often keeps a machine asleep lies outside the program: ask
  // before arming, but only when the system says so for certain, and never a
  // script, which has nobody to answer.
  const bool ask = !host.InCommandLineMode();
  if (ask && host.WakeTimers() == Readiness::Off && !host.ShowMessage(SetMessage::WakeTimersOff, L"")) {
    return SetOutcome::StayOpen;
  }
  if (ask && host.HibernateTicked() && host.Hibernation() == Readiness::Off &&
      !host.ShowMessage(SetMessage::HibernationOff, L"")) {
    return SetOutcome::StayOpen;
  }
  if (ask && host.HibernateTicked() && host.ClockWake() == Readiness::Off &&
      !host.ShowMessage(SetMessage::ClockCannotWake, L"")) {
    return SetOutcome::StayOpen;
  }

  const std::wstring user = host.UserText();
  if (!host.ScheduleWakeJob(wakeDate, wakeTime, user, password)) {
    host.ShowMessage(SetMessage::ScheduleFailed, L"");
    return SetOutcome::StayOpen;
  }

  // The job exists whatever happens to these writes; the folder check above
  // is what keeps them from failing.
  (void)host.WriteSetting(kSectionUserInfo, kKeyUser, user);
  (void)host.WriteSetting(kSectionUserInfo, kKeyPass, *scrambled);
  (void)host.WriteSetting(kSectionStartTime, kKeyHour, host.HourText());
  (void)host.WriteSetting(kSectionStartTime, kKeyMin, host.MinuteText());

  // Closed during the batch wait: the job is set and stored; end without more.
  if (host.CloseRequested()) return SetOutcome::Exit;

  if (host.HibernateTicked()) {
    if (!host.RunSuspendCountdown()) return SetOutcome::StayOpen;
  } else if (!host.InCommandLineMode()) {
    host.ShowMessage(SetMessage::Done, L"");
  }

  if (host.HibernateTicked() && !host.EnterHibernation()) {
    host.ShowMessage(SetMessage::NotHibernated, L"");
    return SetOutcome::NotHibernated;
  }
  return SetOutcome::Exit;
}

std::optional<SetOutcome> SetCommand::Click(SetCommandHost& host) {
  if (running_) return std::nullopt;
  running_ = true;
  const SetOutcome outcome = RunSetCommand(host);
  running_ = false;
  return outcome;
}
