#include "main_window/set_command.h"

#include "res/strings.h"
#include "settings/password.h"
#include "settings/settings.h"

std::wstring FormatMonthDayYear(const CivilDateTime& date) {
  return Decimal(date.month) + L"/" + Decimal(date.day) + L"/" + Padded(date.year, 4);
}

namespace {
// The message that stops the Set; nullopt when the time is fine (or unreadable).
std::optional<SetMessage> WakeTimeMessage(SetCommandHost& host, Clock& clock, const std::wstring& wakeDate,
                                          const std::wstring& wakeTime) {
  switch (JudgeWakeTime(wakeDate, wakeTime, clock.Now(), host.HibernateTicked())) {
    case WakeTimeVerdict::Past: return SetMessage::PastTime;
    case WakeTimeVerdict::BeforeAsleep: return SetMessage::TooSoonToHibernate;
    case WakeTimeVerdict::Ahead: break;
  }
  // The scheduler's behaviour in a daylight-saving gap or overlap is not
  // specified: such a time is refused rather than left to chance.
  const auto asked = ParseWakeMinute(wakeDate, wakeTime);
  if (!asked) return std::nullopt;
  switch (clock.Kind(*asked)) {
    case LocalTimeKind::Missing: return SetMessage::TimeDoesNotExist;
    case LocalTimeKind::Twice: return SetMessage::TimeComesTwice;
    case LocalTimeKind::Once: break;
  }
  return std::nullopt;
}

bool Ask(SetCommandHost& host, SetMessage message, const std::wstring& detail = std::wstring()) {
  return host.Show(ComposeSetMessage(message, detail));
}

// What Reveilo knows of that keeps the timer from waking this machine.
std::wstring KnownCauses(PowerControl& power) {
  std::wstring causes;
  if (power.WakeTimers().readiness == Readiness::Off) causes = kLogCauseWakeTimers;
  if (power.ClockWake() == Readiness::Off) causes += (causes.empty() ? L"" : L"、") + std::wstring(kLogCauseClock);
  return causes;
}

SetMessage PreflightMessage(Preflight state) {
  switch (state) {
    case Preflight::FolderNotWritable: return SetMessage::FolderNotWritable;
    case Preflight::FolderNameNotAnsi: return SetMessage::FolderNameNotAnsi;
    case Preflight::FolderOnNetwork: return SetMessage::FolderOnNetwork;
    case Preflight::AccountControlCharacter: return SetMessage::AccountControlCharacter;
    case Preflight::ShippedFileMissing: return SetMessage::ShippedFileMissing;
    case Preflight::UserNameEmpty: return SetMessage::UserNameEmpty;
    case Preflight::UserNameQuote: return SetMessage::UserNameQuote;
    case Preflight::AccountRefused: return SetMessage::AccountRefused;
    case Preflight::AccountNotInCodePage:
    case Preflight::Usable: break;
  }
  return SetMessage::AccountNotInCodePage;
}
}  // namespace

WakeTimeVerdict JudgeWakeTime(const std::wstring& wakeDate, const std::wstring& wakeTime, const CivilDateTime& now,
                              bool hibernateNow) {
  const auto asked = ParseWakeMinute(wakeDate, wakeTime);
  if (!asked) return WakeTimeVerdict::Ahead;
  const long long ahead = SecondsBetween(now, *asked);
  if (ahead <= 0) return WakeTimeVerdict::Past;
  if (hibernateNow && ahead < kCountdownSeconds + kHibernationMarginSeconds) return WakeTimeVerdict::BeforeAsleep;
  return WakeTimeVerdict::Ahead;
}

SetOutcome RunSetCommand(SetCommandHost& host, const SetCommandServices& services) {
  Clock& clock = services.clock;
  WakeJobs& jobs = services.wakeJobs;
  PowerControl& power = services.power;
  const std::wstring wakeDate = FormatMonthDayYear(host.PickerDate());
  const std::wstring wakeTime = host.HourText() + L":" + host.MinuteText();

  if (const auto message = WakeTimeMessage(host, clock, wakeDate, wakeTime)) {
    Ask(host, *message);
    return SetOutcome::StayOpen;
  }

  // The scrambler stores 7-bit characters only: refuse before anything is
  // scheduled rather than leave a job whose password cannot be saved. On the
  // component's route the password is used by nobody, and it is neither
  // judged nor stored.
  const bool passwordUsed = RouteUsesPassword(jobs.Route());
  const std::wstring password = host.PasswordText();
  const auto scrambled = passwordUsed ? ConvertPassword(L"SET", password) : std::optional<std::wstring>(L"");
  if (!scrambled) {
    Ask(host, SetMessage::PasswordNotStorable);
    return SetOutcome::StayOpen;
  }

  // A folder that cannot take the batch, Startup.bat or setting.ini, or an
  // account the batch cannot carry, would leave a job half made, made for
  // someone else, or its settings lost: say so before anything is.
  const std::wstring user = host.UserText();
  const PreflightCheck check = jobs.CheckBeforeSet(user, password);
  if (check.state != Preflight::Usable) {
    Ask(host, PreflightMessage(check.state), check.detail);
    return SetOutcome::StayOpen;
  }

  if (password.empty() && passwordUsed && !Ask(host, SetMessage::EmptyPassword)) return SetOutcome::StayOpen;

  // What most often keeps a machine asleep lies outside the program: ask
  // before arming, but only when the system says so for certain, and never a
  // script, which has nobody to answer.
  const bool ask = !host.InCommandLineMode();
  if (ask) {
    const WakeTimerCheck timers = power.WakeTimers();
    if (timers.readiness == Readiness::Off && !Ask(host, SetMessage::WakeTimersOff, timers.values)) {
      return SetOutcome::StayOpen;
    }
  }
  if (ask && host.HibernateTicked() && power.Hibernation() == Readiness::Off &&
      !Ask(host, SetMessage::HibernationOff)) {
    return SetOutcome::StayOpen;
  }
  if (ask && host.HibernateTicked() && power.ClockWake() == Readiness::Off &&
      !Ask(host, SetMessage::ClockCannotWake)) {
    return SetOutcome::StayOpen;
  }

  // The questions may have stood open for minutes: the time is judged again
  // against the clock as the job is made.
  if (const auto message = WakeTimeMessage(host, clock, wakeDate, wakeTime)) {
    Ask(host, *message);
    return SetOutcome::StayOpen;
  }

  const ScheduleResult job = jobs.Schedule({wakeDate, wakeTime, user, password});
  if (!job.made) {
    Ask(host, SetMessage::ScheduleFailed, job.reason);
    return SetOutcome::StayOpen;
  }

  // The job exists whatever happens to these writes; the folder check above
  // is what keeps them from failing.
  SettingsStore& settings = services.settings;
  (void)settings.Write(kSectionUserInfo, kKeyUser, user);
  if (passwordUsed) (void)settings.Write(kSectionUserInfo, kKeyPass, *scrambled);
  (void)settings.Write(kSectionStartTime, kKeyHour, host.HourText());
  (void)settings.Write(kSectionStartTime, kKeyMin, host.MinuteText());

  // Judged before the record's scan, whose time must not change the outcome:
  // the scheduling itself (the batch wait, the read-back) took time, and with
  // the wake now too close, hibernating would sleep through it.
  const bool tooLate = host.HibernateTicked() &&
                       JudgeWakeTime(wakeDate, wakeTime, clock.Now(), true) != WakeTimeVerdict::Ahead;

  // A record on the user's own machine: what else will wake it first.
  const auto asked = ParseWakeMinute(wakeDate, wakeTime);
  const WakeScan scan = asked ? jobs.EarlierWakers(*asked) : WakeScan{};
  if (asked) services.log.Append(SetRecordLine(clock.Now(), *asked, RouteName(job.route), scan));

  // Closed during the batch wait: the job is set and stored; end without
  // more, and with a status that does not promise a hibernation.
  if (host.CloseRequested()) return host.HibernateTicked() ? SetOutcome::NotHibernated : SetOutcome::Exit;

  if (tooLate) {
    Ask(host, SetMessage::TooLateToHibernate);
    return SetOutcome::NotHibernated;
  }
  if (host.HibernateTicked()) {
    if (!power.RunSuspendCountdown()) return SetOutcome::StayOpen;
  } else if (!host.InCommandLineMode()) {
    Ask(host, SetMessage::Done);
  }

  if (!host.HibernateTicked()) return SetOutcome::Exit;
  const auto resumed = power.EnterHibernation();
  if (!resumed) {
    services.log.Append(HibernationRefusedLine(clock.Now()));
    Ask(host, SetMessage::NotHibernated);
    return SetOutcome::NotHibernated;
  }
  if (asked) {
    // The zone's offset at the return stands in where the rules give no UTC.
    const CivilDateTime askedUtc = clock.Utc(*asked).value_or(
        AddSeconds(*asked, SecondsBetween(resumed->returnedLocal, resumed->returnedUtc)));
    const ResumeVerdict verdict = JudgeResume(*resumed, askedUtc);
    services.log.Append(ResumeRecordLine(
        *resumed, askedUtc, scan, verdict == ResumeVerdict::NotByItself ? KnownCauses(power) : std::wstring(),
        VerdictWantsWakeSource(verdict) ? power.WakeSource(resumed->requestedUtc) : std::wstring()));
  }
  return SetOutcome::Exit;
}

std::optional<SetOutcome> SetCommand::Click(SetCommandHost& host, const SetCommandServices& services) {
  if (running_) return std::nullopt;
  running_ = true;
  const SetOutcome outcome = RunSetCommand(host, services);
  running_ = false;
  return outcome;
}
