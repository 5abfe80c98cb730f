// The Task Scheduler 2.0 definition the task component registers.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// `start` is "yyyy/mm/dd hh:mm:ss"; nullopt when it cannot be read.
std::optional<std::wstring> BuildTaskXml(std::wstring_view start, std::wstring_view program,
                                         std::wstring_view author);

std::wstring XmlEscape(std::wstring_view text);
