// The Set command's message boxes: which text each shows, its buttons, icon
// and default button, and what detail follows it. The window only renders
// what this gives.
#pragma once
#include <string>

enum class SetMessage {
  PastTime,
  EmptyPassword,
  ScheduleFailed,
  Done,
  PasswordNotStorable,
  WakeTimersOff,
  HibernationOff,
  FolderNotWritable,
  FolderNameNotAnsi,
  NotHibernated,  // the job is set, the machine did not hibernate
  ClockCannotWake,
  FolderOnNetwork,
  AccountControlCharacter,
  AccountNotInCodePage,
  TooSoonToHibernate,  // the wake would come before the machine is asleep
  ShippedFileMissing,
  UserNameEmpty,         // the batch route hands jt.exe an account
  UserNameQuote,         // a quote inside a user name: no Windows account has one
  TimeDoesNotExist,      // in the spring-forward gap of daylight saving time
  TimeComesTwice,        // in the hour that falls back
  TooLateToHibernate,    // the job is set; the wake came too close to hibernate first
  AccountRefused,        // Windows proved the password wrong before anything was written
};

// A box's buttons, icon and default button, as MessageBox's style bits
// (winuser.h's values, checked against it where the box is shown).
enum class MessageKind : unsigned {
  Information = 0x40,  // MB_OK | MB_ICONINFORMATION
  Warning = 0x30,      // MB_OK | MB_ICONWARNING
  Question = 0x24,     // MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1: Yes is the default
};

struct ShownMessage {
  SetMessage message;
  std::wstring text;  // as the box shows it, detail included
  MessageKind kind;
  std::wstring detail;  // what the message names, for a record; empty for most
};

// `detail` is the failure's reason after 「スケジュールに失敗しました。」, the
// folder a folder message names, or the missing file's name; the other
// messages show none.
ShownMessage ComposeSetMessage(SetMessage message, const std::wstring& detail);

// Whether the box is shown when a script runs the Set command: a script has
// nobody to answer the power questions (taken as Yes) or to read "done".
bool ShownToScript(SetMessage message);
