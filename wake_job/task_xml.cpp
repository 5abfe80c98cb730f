#include "wake_job/task_xml.h"

#include "wake_job/wake_time.h"

std::wstring XmlEscape(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\'': out += L"&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {
std::wstring Boundary(const CivilDateTime& t) {
  return Padded(t.year, 4) + L"-" + Padded(t.month, 2) + L"-" + Padded(t.day, 2) + L"T" + Padded(t.hour, 2) + L":" +
         Padded(t.minute, 2) + L":" + Padded(t.second, 2);
}

// An hour later, across the day, month and year; never past the schema's
// four-digit years: the last hour of 9999 ends with the year.
CivilDateTime HourLater(CivilDateTime t) {
  if (++t.hour < 24) return t;
  t.hour = 0;
  if (IsValidCivilDate(t.year, t.month, ++t.day)) return t;
  t.day = 1;
  if (++t.month <= 12) return t;
  if (t.year == 9999) return {9999, 12, 31, 23, 59, 59};
  t.month = 1;
  ++t.year;
  return t;
}
}  // namespace

std::optional<int> ReadRunLimit(std::wstring_view text) {
  return text.empty() ? std::optional(0) : ReadCount(text, 4, 1, 1440);
}

std::optional<std::wstring> BuildTaskXml(std::wstring_view start, TaskAction action, std::wstring_view author,
                                         int runLimitMinutes) {
  const auto when = ParseComponentStart(start);
  if (!when) return std::nullopt;
  // No XML declaration: the text goes to the service as UTF-16, and a
  // declaration naming another encoding would be refused.
  std::wstring xml;
  xml += L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n";
  xml += L"  <RegistrationInfo>\r\n";
  xml += L"    <Author>" + XmlEscape(author) + L"</Author>\r\n";
  xml += L"  </RegistrationInfo>\r\n";
  xml += L"  <Triggers>\r\n";
  xml += L"    <TimeTrigger>\r\n";
  // The trigger's children form a sequence: Enabled comes before StartBoundary.
  xml += L"      <Enabled>true</Enabled>\r\n";
  xml += L"      <StartBoundary>" + Boundary(*when) + L"</StartBoundary>\r\n";
  // The task expires an hour after its time (room for a late wake to still
  // run it) and then deletes itself, as the XP job does once it has run.
  xml += L"      <EndBoundary>" + Boundary(HourLater(*when)) + L"</EndBoundary>\r\n";
  xml += L"    </TimeTrigger>\r\n";
  xml += L"  </Triggers>\r\n";
  xml += L"  <Principals>\r\n";
  xml += L"    <Principal id=\"Author\">\r\n";
  xml += L"      <LogonType>InteractiveToken</LogonType>\r\n";
  xml += L"      <RunLevel>LeastPrivilege</RunLevel>\r\n";
  xml += L"    </Principal>\r\n";
  xml += L"  </Principals>\r\n";
  xml += L"  <Settings>\r\n";
  xml += L"    <WakeToRun>true</WakeToRun>\r\n";
  // A wake on battery must still run, and a late wake must still fire.
  xml += L"    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n";
  xml += L"    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n";
  xml += L"    <StartWhenAvailable>true</StartWhenAvailable>\r\n";
  xml += L"    <Enabled>true</Enabled>\r\n";
  xml += L"    <DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter>\r\n";
  if (runLimitMinutes > 0) xml += L"    <ExecutionTimeLimit>PT" + Decimal(runLimitMinutes) + L"M</ExecutionTimeLimit>\r\n";
  xml += L"  </Settings>\r\n";
  xml += L"  <Actions Context=\"Author\">\r\n";
  xml += L"    <Exec>\r\n";
  xml += L"      <Command>" + XmlEscape(action.program) + L"</Command>\r\n";
  if (!action.arguments.empty()) xml += L"      <Arguments>" + XmlEscape(action.arguments) + L"</Arguments>\r\n";
  xml += L"    </Exec>\r\n";
  xml += L"  </Actions>\r\n";
  xml += L"</Task>\r\n";
  return xml;
}
