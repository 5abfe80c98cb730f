#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "wake_job/task_xml.h"
#include "wake_job/wake_time.h"

// The task wakes the machine at its time, runs the program, expires an hour
// later (across days, months and years) and then deletes itself. Written as
// UTF-16 as the Task Scheduler keeps it, it is valid against the published
// task schema's types (tests/xml/task.xsd).
TEST(TaskXml, WakesRunsExpiresAndIsValidAgainstTheTaskSchema) {
  const struct {
    const wchar_t *start, *program, *boundaries, *command, *arguments = L"", *limit = L"";  // none: the scheduler's own
  } rows[] = {
      {L"2027/11/30 23:05:00", L"C:\\reveilo\\Startup.bat", L"2027-11-30T23:05:00</StartBoundary>\r\n"
       L"      <EndBoundary>2027-12-01T00:05:00", L"C:\\reveilo\\Startup.bat"},
      {L"2028/02/28 23:30:00", L"C:\\Tom & Jerry's <\"tools\">\\Startup.bat", L"2028-02-28T23:30:00</StartBoundary>\r\n"
       L"      <EndBoundary>2028-02-29T00:30:00", L"C:\\Tom &amp; Jerry&apos;s &lt;&quot;tools&quot;&gt;\\Startup.bat"},
      {L"9999/12/31 23:30:00", L"C:\\復帰ツール\\Startup.bat", L"9999-12-31T23:30:00</StartBoundary>\r\n"
       L"      <EndBoundary>9999-12-31T23:59:59", L"C:\\復帰ツール\\Startup.bat"},  // the schema has four-digit years
      {L"2030/12/31 23:59:00", L"C:\\Startup.bat", L"2030-12-31T23:59:00</StartBoundary>\r\n"
       L"      <EndBoundary>2031-01-01T00:59:00", L"C:\\Startup.bat"},
      {L"2027/01/05 07:05:00", L"C:\\R\\Reveilo.exe", L"2027-01-05T07:05:00</StartBoundary>\r\n"
       L"      <EndBoundary>2027-01-05T08:05:00", L"C:\\R\\Reveilo.exe",
       L"/wake /awake:30 /rehibernate", L"40"},
  };
  std::string files;
  for (const auto& row : rows) {
    const std::wstring xml = BuildTaskXml(row.start, {row.program, row.arguments}, L"Reveilo & <Co>", ReadRunLimit(row.limit).value()).value();
    for (const std::wstring& added : {L"</Command>\r\n      <Arguments>" + std::wstring(row.arguments) + L"</Arguments>",
                                      L"<ExecutionTimeLimit>PT" + std::wstring(row.limit) + L"M</ExecutionTimeLimit>"})
      EXPECT_EQ(xml.find(added) != std::wstring::npos, *row.limit != 0) << "Startup.bat's task: as it always was";
    for (const std::wstring& part : {L"<StartBoundary>" + std::wstring(row.boundaries) + L"</EndBoundary>",
                                    L"<Command>" + std::wstring(row.command) + L"</Command>",
                                    std::wstring(L"<Author>Reveilo &amp; &lt;Co&gt;</Author>"),
                                    std::wstring(L"<DeleteExpiredTaskAfter>PT0S</"), std::wstring(L"<WakeToRun>true</")})
      EXPECT_NE(xml.find(part), std::wstring::npos) << std::string(part.begin(), part.end());
    std::string utf16 = "\xff\xfe";  // the samples hold nothing beyond the BMP
    for (const wchar_t c : L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + xml)
      utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF)};
    const std::string path = ::testing::TempDir() + "task-sample-" + std::to_string(files.size()) + ".xml";
    std::ofstream(path, std::ios::binary) << utf16;
    files += " " + path;
  }
  EXPECT_EQ(std::system(("xmllint --noout --schema '" REVEILO_TASK_XSD "'" + files).c_str()), 0);
}
