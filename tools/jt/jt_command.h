// jt.exe's command line: commands applied left to right to one current job.
// The whole line is read before anything is done, so a malformed line saves
// nothing.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JtTrigger {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool disabled = false;
};

struct JtCommand {
  enum class Kind { DeleteJob, SetAccount, CreateTrigger, SetJob, SaveJob, PrintJob };
  Kind kind;
  std::wstring name;  // DeleteJob, SaveJob, PrintJob (optional): work item name without ".job"
  std::wstring user, password;                // SetAccount
  JtTrigger trigger;                          // CreateTrigger
  std::optional<std::wstring> creator, applicationName, comment;  // SetJob
  std::optional<bool> systemRequired, deleteWhenDone;            // SetJob
  std::optional<std::wstring> parameters;                        // SetJob
  std::optional<unsigned long> maxRunTime;                       // SetJob: milliseconds
};

struct JtParse {
  std::vector<JtCommand> commands;
  std::wstring error;  // one line naming what was refused; empty when the line is sound
};

// The arguments after the program's own name, as the raw command line has
// them: /sc takes the two texts after it at single blanks, so an empty
// password (two adjacent blanks) survives.
JtParse ParseJtArguments(std::wstring_view arguments);

// The raw command line without the program's name (quoted or not) and the blank after it.
std::wstring_view JtArgumentsOf(std::wstring_view commandLine);

// Saves a job and reports whether it stands. A save that fails may still have
// written the job file (a wrong password on Server 2003 does), and a job file
// wakes the machine: after a failure `remove` runs, so that a failure always
// means no job.
bool SaveOrRemove(const std::function<bool()>& save, const std::function<void()>& remove);

// The scheduler's service writes into job files (run status, exit code) and
// may hold one for a moment: a delete or an activate that meets a sharing
// violation is made again after `pause`, up to `tries` times in all. The last
// answer is returned.
long RetryWhileShared(const std::function<long()>& call, const std::function<void()>& pause, int tries = 50);

// Whether a failed Activate or Delete says there is no such job (the file or
// its path not found); any other failure says nothing of the job.
bool MeansNoSuchJob(long hr);
