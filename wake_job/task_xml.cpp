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

std::optional<std::wstring> BuildTaskXml(std::wstring_view start, std::wstring_view program,
                                         std::wstring_view author) {
  const auto when = ParseComponentStart(start);
  if (!when) return std::nullopt;
  const std::wstring boundary = Padded(when->year, 4) + L"-" + Padded(when->month, 2) + L"-" +
                                Padded(when->day, 2) + L"T" + Padded(when->hour, 2) + L":" +
                                Padded(when->minute, 2) + L":" + Padded(when->second, 2);
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
  xml += L"      <StartBoundary>" + boundary + L"</StartBoundary>\r\n";
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
  xml += L"  </Settings>\r\n";
  xml += L"  <Actions Context=\"Author\">\r\n";
  xml += L"    <Exec>\r\n";
  xml += L"      <Command>" + XmlEscape(program) + L"</Command>\r\n";
  xml += L"    </Exec>\r\n";
  xml += L"  </Actions>\r\n";
  xml += L"</Task>\r\n";
  return xml;
}
