#include "main_window/set_command.h"

#include "res/strings.h"
#include "settings/password.h"
#include "settings/settings.h"

std::wstring FormatMonthDayYear(const CivilDateTime& date) {
  return Decimal(date.month) + L"/" + Decimal(date.day) + L"/" + Padded(date.year, 4);
}

namespace {
// The message that stops the Set; nullopt when the time is fine (or unreadable).
std::optional<SetMessage> WakeTimeMessage(SetCommandHost& host, Clock& clock, const std::optional<CivilDateTime>& asked) {
  switch (JudgeWakeTime(asked, clock.Now(), host.HibernateTicked())) {
    case WakeTimeVerdict::Past: return SetMessage::PastTime;
    case WakeTimeVerdict::BeforeAsleep: return SetMessage::TooSoonToHibernate;
    case WakeTimeVerdict::Ahead: break;
  }
  // The scheduler's behaviour in a daylight-saving gap or overlap is not
  // specified: such a time is refused rather than left to chance.
  if (!asked) return std::nullopt;
  switch (clock.Kind(*asked)) {
    case LocalTimeKind::Missing: return SetMessage::TimeDoesNotExist;
    case LocalTimeKind::Twice: return SetMessage::TimeComesTwice;
    case LocalTimeKind::Once: break;
  }
  return std::nullopt;
}

// Whether the box is shown in this run: a script is never asked what it
// cannot answer (the message table's column).
bool Shown(SetCommandHost& host, SetMessage message) { return !host.InCommandLineMode() || ShownToScript(message); }

// True for Yes (or OK), and for a question not shown to a script.
bool Ask(SetCommandHost& host, SetMessage message, const std::wstring& detail = std::wstring()) {
  return !Shown(host, message) || host.Show(ComposeSetMessage(message, detail));
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

WakeTimeVerdict JudgeWakeTime(const std::optional<CivilDateTime>& asked, const CivilDateTime& now, bool hibernateNow) {
  if (!asked) return WakeTimeVerdict::Ahead;
  const long long ahead = SecondsBetween(now, *asked);
  if (ahead <= 0) return WakeTimeVerdict::Past;
  if (hibernateNow && ahead < kCountdownSeconds + kHibernationMarginSeconds) return WakeTimeVerdict::BeforeAsleep;
  return WakeTimeVerdict::Ahead;
}

namespace {
// One run of the command: what the window gives, and what the steps learn.
struct SetRun {
  SetRun(SetCommandHost& h, const SetCommandServices& s)
      : host(h), services(s), request(h.Request()), wakeDate(FormatMonthDayYear(request.date)),
        wakeTime(request.hour + L":" + request.minute), asked(ParseWakeMinute(wakeDate, wakeTime)) {}
  SetCommandHost& host;
  const SetCommandServices& services;
  const WakeRequest request;
  // The texts as the job carries them, and the minute they name, read here
  // once (nullopt: unreadable, refused where the job would be made).
  const std::wstring wakeDate, wakeTime;
  const std::optional<CivilDateTime> asked;
  bool passwordUsed = false;
  ScheduleResult job;
  WakeScan scan;
};
// A step's outcome ends the run; nullopt goes on to the next step.
using Step = std::optional<SetOutcome>;

Step CheckTime(SetRun& run) {
  const auto message = WakeTimeMessage(run.host, run.services.clock, run.asked);
  if (!message) return std::nullopt;
  Ask(run.host, *message);
  return SetOutcome::StayOpen;
}

Step CheckAccount(SetRun& run) {
  // The scrambler stores 7-bit characters only: refuse before anything is
  // scheduled rather than leave a job whose password cannot be saved. On the
  // component's route the password is used by nobody, and it is neither
  // judged nor stored.
  run.passwordUsed = RouteUsesPassword(run.services.wakeJobs.Route());
  const std::wstring& password = run.request.password;
  if (run.passwordUsed && !ConvertPassword(L"SET", password)) {
    Ask(run.host, SetMessage::PasswordNotStorable);
    return SetOutcome::StayOpen;
  }
  // A folder that cannot take the batch, Startup.bat or setting.ini, or an
  // account the batch cannot carry, would leave a job half made, made for
  // someone else, or its settings lost: say so before anything is.
  const PreflightCheck check = run.services.wakeJobs.CheckBeforeSet(run.request.user, password);
  if (check.state != Preflight::Usable) {
    Ask(run.host, PreflightMessage(check.state), check.detail);
    return SetOutcome::StayOpen;
  }
  if (password.empty() && run.passwordUsed && !Ask(run.host, SetMessage::EmptyPassword)) return SetOutcome::StayOpen;
  return std::nullopt;
}

// What most often keeps a machine asleep lies outside the program: ask
// before arming, but only when the system says so for certain.
Step AskPowerQuestions(SetRun& run) {
  SetCommandHost& host = run.host;
  PowerControl& power = run.services.power;
  if (Shown(host, SetMessage::WakeTimersOff)) {
    const WakeTimerCheck timers = power.WakeTimers();
    if (timers.readiness == Readiness::Off && !Ask(host, SetMessage::WakeTimersOff, timers.values))
      return SetOutcome::StayOpen;
  }
  const bool hibernate = host.HibernateTicked();
  if (hibernate && Shown(host, SetMessage::HibernationOff) && power.Hibernation() == Readiness::Off &&
      !Ask(host, SetMessage::HibernationOff))
    return SetOutcome::StayOpen;
  if (hibernate && Shown(host, SetMessage::ClockCannotWake) && power.ClockWake() == Readiness::Off &&
      !Ask(host, SetMessage::ClockCannotWake))
    return SetOutcome::StayOpen;
  return std::nullopt;
}

Step MakeJob(SetRun& run) {
  // The questions may have stood open for minutes: the time is judged again
  // against the clock as the job is made.
  if (const Step stop = CheckTime(run)) return stop;
  if (!run.asked) {
    Ask(run.host, SetMessage::ScheduleFailed, kReasonUnreadableTime);
    return SetOutcome::StayOpen;
  }
  run.job = run.services.wakeJobs.Schedule(
      {*run.asked, run.wakeDate, run.wakeTime, run.request.user, run.request.password, run.request.afterWake});
  if (run.job.made) return std::nullopt;
  Ask(run.host, SetMessage::ScheduleFailed, run.job.reason);
  return SetOutcome::StayOpen;
}

// The job exists whatever happens to these writes; the folder check before
// any Set is what keeps them from failing.
void StoreSettings(SetRun& run) {
  const WakeRequest& r = run.request;
  StoredSettings values{r.user, r.password, r.hour, r.minute, L"", L""};
  PutAfterWake(values, r.afterWake);
  WriteSettings(run.services.settings, values, run.passwordUsed);
}

Step Record(SetRun& run) {
  SetCommandHost& host = run.host;
  Clock& clock = run.services.clock;
  // Judged before the record's scan, whose time must not change the outcome:
  // the scheduling itself (the batch wait, the read-back) took time, and with
  // the wake now too close, hibernating would sleep through it.
  const bool tooLate = host.HibernateTicked() && JudgeWakeTime(run.asked, clock.Now(), true) != WakeTimeVerdict::Ahead;
  // A record on the user's own machine: what else will wake it first.
  run.scan = run.services.wakeJobs.EarlierWakers(*run.asked);
  run.services.log.Append(SetRecordLine(clock.Now(), *run.asked, RouteName(run.job.route), run.scan));
  // Closed during the batch wait: the job is set and stored; end without
  // more, and with a status that does not promise a hibernation.
  if (host.CloseRequested()) return host.HibernateTicked() ? SetOutcome::NotHibernated : SetOutcome::Exit;
  if (!tooLate) return std::nullopt;
  Ask(host, SetMessage::TooLateToHibernate);
  return SetOutcome::NotHibernated;
}

SetOutcome Hibernate(SetRun& run) {
  SetCommandHost& host = run.host;
  PowerControl& power = run.services.power;
  WakeLog& log = run.services.log;
  if (!host.HibernateTicked()) {
    Ask(host, SetMessage::Done);
    return SetOutcome::Exit;
  }
  if (!power.RunSuspendCountdown()) return SetOutcome::StayOpen;
  if (!host.HibernateTicked()) return SetOutcome::Exit;  // cleared during the countdown
  const auto resumed = power.EnterHibernation();
  if (!resumed) {
    log.Append(HibernationRefusedLine(run.services.clock.Now()));
    Ask(host, SetMessage::NotHibernated);
    return SetOutcome::NotHibernated;
  }
  // The zone's offset at the return stands in where the rules give no UTC.
  const CivilDateTime askedUtc = run.services.clock.Utc(*run.asked).value_or(
      AddSeconds(*run.asked, SecondsBetween(resumed->returnedLocal, resumed->returnedUtc)));
  const ResumeVerdict verdict = JudgeResume(*resumed, askedUtc);
  log.Append(ResumeRecordLine(
      *resumed, askedUtc, run.scan, verdict == ResumeVerdict::NotByItself ? KnownCauses(power) : std::wstring(),
      VerdictWantsWakeSource(verdict) ? power.WakeSource(resumed->requestedUtc) : std::wstring()));
  return SetOutcome::Exit;
}
}  // namespace

SetOutcome RunSetCommand(SetCommandHost& host, const SetCommandServices& services) {
  SetRun run(host, services);
  for (Step (*step)(SetRun&) : {CheckTime, CheckAccount, AskPowerQuestions, MakeJob}) {
    if (const Step stop = step(run)) return *stop;
  }
  StoreSettings(run);
  if (const Step stop = Record(run)) return *stop;
  return Hibernate(run);
}

std::optional<SetOutcome> SetCommand::Click(SetCommandHost& host, const SetCommandServices& services) {
  if (running_) return std::nullopt;
  running_ = true;
  const SetOutcome outcome = RunSetCommand(host, services);
  running_ = false;
  return outcome;
}
