#include "tools/jt/jt_command.h"

#include "platform/argument_text.h"
#include "res/strings.h"
#include "wake_job/batch_text.h"
#include "wake_job/wake_time.h"

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower;
}

class Reader {
 public:
  explicit Reader(std::wstring_view text) : text_(text) {}
  bool AtEnd() const { return at_ >= text_.size(); }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[at_])) ++at_;
  }
  // Up to the next blank, raw.
  std::wstring_view Word() {
    const std::size_t start = at_;
    while (!AtEnd() && !IsBlank(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }
  // An account text: a word, or a quoted text in which "" stands for one
  // quote; false when the closing quote is missing or a word runs on after it.
  bool AccountText(std::wstring& text) {
    if (AtEnd() || text_[at_] != L'"') {
      text.assign(Word());
      return true;
    }
    text.clear();
    for (++at_; !AtEnd(); ++at_) {
      if (text_[at_] != L'"') {
        text += text_[at_];
      } else if (at_ + 1 < text_.size() && text_[at_ + 1] == L'"') {
        text += text_[++at_];
      } else {
        ++at_;
        return AtEnd() || IsBlank(text_[at_]);
      }
    }
    return false;
  }
  // Exactly one blank, as the batch writes between the account's two texts.
  bool OneBlank() {
    if (AtEnd() || text_[at_] != L' ') return false;
    ++at_;
    return true;
  }
  bool NextIsSwitch() const { return !AtEnd() && text_[at_] == L'/'; }
  // key=value, where a value that starts with '"' runs to the closing quote.
  bool KeyValue(std::wstring& key, std::wstring& value, std::wstring& error) {
    const std::size_t start = at_;
    while (!AtEnd() && !IsBlank(text_[at_]) && text_[at_] != L'=') ++at_;
    key.assign(text_.substr(start, at_ - start));
    if (AtEnd() || text_[at_] != L'=') {
      error = kJtBadValue + std::wstring(text_.substr(start, at_ - start));
      return false;
    }
    ++at_;
    if (!AtEnd() && text_[at_] == L'"') {
      const std::size_t close = text_.find(L'"', at_ + 1);
      if (close == std::wstring_view::npos) {
        error = kJtUnclosedQuote + std::wstring(text_.substr(start));
        return false;
      }
      value.assign(text_.substr(at_ + 1, close - at_ - 1));
      at_ = close + 1;
      if (!AtEnd() && !IsBlank(text_[at_])) {
        error = kJtBadValue + std::wstring(text_.substr(start, at_ - start + 1));
        return false;
      }
    } else {
      value.assign(Word());
    }
    return true;
  }

 private:
  std::wstring_view text_;
  std::size_t at_ = 0;
};

std::optional<bool> Flag(const std::wstring& value) {
  if (value == L"0") return false;
  if (value == L"1") return true;
  return std::nullopt;
}

bool ParseTrigger(Reader& in, JtTrigger& trigger, std::wstring& error) {
  bool haveDate = false, haveTime = false;
  in.SkipBlanks();
  while (!in.AtEnd() && !in.NextIsSwitch()) {
    std::wstring key, value;
    if (!in.KeyValue(key, value, error)) return false;
    const std::wstring k = Lower(key);
    const std::wstring pair = key + L"=" + value;
    if (k == L"startdate") {
      const auto date = ParseMonthDayYear(value);
      if (!date) return error = kJtBadDate + pair, false;
      trigger.year = date->year;
      trigger.month = date->month;
      trigger.day = date->day;
      haveDate = true;
    } else if (k == L"starttime") {
      const auto time = ParseHourMinute(value);
      if (!time) return error = kJtBadTime + pair, false;
      trigger.hour = time->hour;
      trigger.minute = time->minute;
      haveTime = true;
    } else if (k == L"disabled") {
      const auto flag = Flag(value);
      if (!flag) return error = kJtBadValue + pair, false;
      trigger.disabled = *flag;
    } else if (k == L"type") {
      if (Lower(value) != L"once") return error = kJtBadValue + pair, false;
    } else {
      return error = kJtUnknownKey + key, false;
    }
    in.SkipBlanks();
  }
  if (!haveDate || !haveTime) return error = kJtTriggerIncomplete + std::wstring(L"/ctj"), false;
  return true;
}

bool ParseJobProperties(Reader& in, JtCommand& command, std::wstring& error) {
  in.SkipBlanks();
  while (!in.AtEnd() && !in.NextIsSwitch()) {
    std::wstring key, value;
    if (!in.KeyValue(key, value, error)) return false;
    const std::wstring k = Lower(key);
    const std::wstring pair = key + L"=" + value;
    if (k == L"creator") {
      command.creator = value;
    } else if (k == L"applicationname") {
      command.applicationName = value;
    } else if (k == L"comment") {
      command.comment = value;
    } else if (k == L"parameters") {
      command.parameters = value;
    } else if (k == L"maxruntime") {
      // Up to a day: longer than any job of ours.
      const auto ms = ReadCount(value, 8, 1, 86400000);
      if (!ms) return error = kJtBadValue + pair, false;
      command.maxRunTime = static_cast<unsigned long>(*ms);
    } else if (k == L"systemrequired" || k == L"deletewhendone") {
      const auto flag = Flag(value);
      if (!flag) return error = kJtBadValue + pair, false;
      (k == L"systemrequired" ? command.systemRequired : command.deleteWhenDone) = *flag;
    } else {
      return error = kJtUnknownKey + key, false;
    }
    in.SkipBlanks();
  }
  return true;
}
}  // namespace

std::wstring_view JtArgumentsOf(std::wstring_view line) {
  std::wstring_view arguments = ArgumentText(line);
  // One blank separates the name; any further blank belongs to the arguments.
  if (!arguments.empty() && IsBlank(arguments.front())) arguments.remove_prefix(1);
  return arguments;
}

JtParse ParseJtArguments(std::wstring_view arguments) {
  JtParse result;
  Reader in(arguments);
  in.SkipBlanks();
  while (!in.AtEnd()) {
    const std::wstring word(in.Word());
    const std::wstring name = Lower(word);
    JtCommand command{};
    bool ok = true;
    if (name == L"/sd" || name == L"/saj") {
      command.kind = name == L"/sd" ? JtCommand::Kind::DeleteJob : JtCommand::Kind::SaveJob;
      in.SkipBlanks();
      command.name = WorkItemName(in.Word());
      if (command.name.empty()) ok = false, result.error = kJtMissingName + word;
    } else if (name == L"/sc") {
      command.kind = JtCommand::Kind::SetAccount;
      bool read = true;
      if (in.OneBlank()) read = in.AccountText(command.user);
      if (read && in.OneBlank()) read = in.AccountText(command.password);
      // The error names the command only: what follows it is a password.
      if (!read) ok = false, result.error = kJtBadAccount + word;
      else if (command.user.empty()) ok = false, result.error = kJtMissingAccount + word;
    } else if (name == L"/ctj") {
      command.kind = JtCommand::Kind::CreateTrigger;
      ok = ParseTrigger(in, command.trigger, result.error);
    } else if (name == L"/sj") {
      command.kind = JtCommand::Kind::SetJob;
      ok = ParseJobProperties(in, command, result.error);
    } else if (name == L"/pj") {
      // "/pj" prints the job this line saved; "/pj NAME" a stored job.
      command.kind = JtCommand::Kind::PrintJob;
      in.SkipBlanks();
      if (!in.AtEnd() && !in.NextIsSwitch()) command.name = WorkItemName(in.Word());
    } else {
      ok = false;
      result.error = kJtUnknownCommand + word;
    }
    if (!ok) {
      result.commands.clear();
      return result;
    }
    result.commands.push_back(std::move(command));
    in.SkipBlanks();
  }
  return result;
}

bool SaveOrRemove(const std::function<bool()>& save, const std::function<void()>& remove) {
  if (save()) return true;
  remove();
  return false;
}

long RetryWhileShared(const std::function<long()>& call, const std::function<void()>& pause, int tries) {
  constexpr long kSharingViolation = static_cast<long>(0x80070020);  // HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION)
  long hr = call();
  for (int tried = 1; hr == kSharingViolation && tried < tries; ++tried) {
    pause();
    hr = call();
  }
  return hr;
}

bool MeansNoSuchJob(long hr) {
  // HRESULT_FROM_WIN32 of ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND.
  return hr == static_cast<long>(0x80070002) || hr == static_cast<long>(0x80070003);
}
