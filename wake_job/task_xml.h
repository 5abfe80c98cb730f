// The Task Scheduler 2.0 definition the task component registers.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// What the task runs: a program, and the words it is started with (none for
// the empty Startup.bat).
struct TaskAction {
  std::wstring_view program, arguments = {};
};
// `start` is "yyyy/mm/dd hh:mm:ss"; nullopt when it cannot be read. A
// `runLimitMinutes` of 0 keeps the scheduler's own limit (72 hours).
std::optional<std::wstring> BuildTaskXml(std::wstring_view start, TaskAction action, std::wstring_view author,
                                         int runLimitMinutes = 0);
// The component's run limit argument: empty for none (0), else 1 to 1440
// minutes in ASCII digits; nullopt for anything else.
std::optional<int> ReadRunLimit(std::wstring_view text);

std::wstring XmlEscape(std::wstring_view text);
