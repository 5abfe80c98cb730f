#include "main_window/set_messages.h"

#include "power/countdown.h"
#include "res/strings.h"
#include "wake_job/wake_time.h"

namespace {
// What follows a message's own text.
enum class Follows {
  Nothing,
  Reason,            // on the next line: why
  FolderAndRemedy,   // the folder, and where to move Reveilo
  FileAndRemedy,     // the file's name, and how to unzip
  CountdownSeconds,  // the countdown's length, inside the sentence
  ValuesAndRemedy,   // the settings that are off, and where to change them
};

struct MessageRow {
  const wchar_t* text;
  MessageKind kind;
  Follows follows;
  bool script = true;  // shown when a script runs the command; a question not shown counts as Yes
};

// Every message in one place; the compiler names a message without its row.
MessageRow RowOf(SetMessage message) {
  using K = MessageKind;
  using F = Follows;
  switch (message) {
    case SetMessage::PastTime: return {kMsgPastTime, K::Warning, F::Nothing};
    case SetMessage::EmptyPassword: return {kMsgEmptyPassword, K::Question, F::Nothing};
    case SetMessage::ScheduleFailed: return {kMsgScheduleFailed, K::Warning, F::Reason};
    case SetMessage::Done: return {kMsgDone, K::Information, F::Nothing, false};
    case SetMessage::PasswordNotStorable: return {kMsgPasswordNotStorable, K::Warning, F::Nothing};
    case SetMessage::WakeTimersOff: return {kMsgWakeTimersOff, K::Question, F::ValuesAndRemedy, false};
    case SetMessage::HibernationOff: return {kMsgHibernationOff, K::Question, F::Nothing, false};
    case SetMessage::FolderNotWritable: return {kMsgFolderNotWritable, K::Warning, F::FolderAndRemedy};
    case SetMessage::FolderNameNotAnsi: return {kMsgFolderNameNotAnsi, K::Warning, F::FolderAndRemedy};
    case SetMessage::NotHibernated: return {kMsgNotHibernated, K::Warning, F::Nothing};
    case SetMessage::ClockCannotWake: return {kMsgClockCannotWake, K::Question, F::Nothing, false};
    case SetMessage::FolderOnNetwork: return {kMsgFolderOnNetwork, K::Warning, F::FolderAndRemedy};
    case SetMessage::AccountControlCharacter: return {kMsgAccountControlCharacter, K::Warning, F::Nothing};
    case SetMessage::AccountNotInCodePage: return {kMsgAccountNotInCodePage, K::Warning, F::Nothing};
    case SetMessage::TooSoonToHibernate: return {kMsgTooSoonToHibernate, K::Warning, F::CountdownSeconds};
    case SetMessage::ShippedFileMissing: return {kMsgShippedFileMissing, K::Warning, F::FileAndRemedy};
    case SetMessage::UserNameEmpty: return {kMsgUserNameEmpty, K::Warning, F::Nothing};
    case SetMessage::UserNameQuote: return {kMsgUserNameQuote, K::Warning, F::Nothing};
    case SetMessage::TimeDoesNotExist: return {kMsgTimeDoesNotExist, K::Warning, F::Nothing};
    case SetMessage::TimeComesTwice: return {kMsgTimeComesTwice, K::Warning, F::Nothing};
    case SetMessage::TooLateToHibernate: return {kMsgTooLateToHibernate, K::Warning, F::Nothing};
    case SetMessage::AccountRefused: return {kMsgAccountRefused, K::Warning, F::Nothing};
  }
  return {kMsgScheduleFailed, K::Warning, F::Reason};  // not reached: every message has its row
}
}  // namespace

bool ShownToScript(SetMessage message) { return RowOf(message).script; }

ShownMessage ComposeSetMessage(SetMessage message, const std::wstring& detail) {
  const MessageRow row = RowOf(message);
  std::wstring text = row.text;
  switch (row.follows) {
    case Follows::Nothing: break;
    case Follows::Reason:
      if (!detail.empty()) text += L"\n" + detail;
      break;
    case Follows::FolderAndRemedy:
      if (!detail.empty()) text += L"\n\n" + detail + L"\n\n" + kMsgMoveFolder;
      break;
    case Follows::FileAndRemedy: text += detail + kMsgShippedFileMissingRest + L"\n\n" + kMsgUnzipWholeFolder; break;
    case Follows::ValuesAndRemedy: text += L"\n\n" + detail + L"\n\n" + kMsgWakeTimersRemedy; break;
    case Follows::CountdownSeconds: text += Decimal(kCountdownSeconds) + kMsgTooSoonToHibernateRest; break;
  }
  return {message, text, row.kind, row.follows == Follows::Nothing ? std::wstring() : detail};
}
