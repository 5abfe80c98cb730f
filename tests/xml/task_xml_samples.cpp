// Writes the task XML that the component would register for a few wake times
// and program folders into the folder given, one UTF-8 file each, for xmllint
// to validate against the task schema.
#include <fstream>
#include <iostream>
#include <string>

#include "wake_job/task_xml.h"

namespace {
std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t w : text) {
    const auto c = static_cast<unsigned long>(w);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const struct {
    const wchar_t* start;
    const wchar_t* program;
  } samples[] = {
      {L"2027/01/05 07:05:00", L"C:\\reveilo\\Startup.bat"},
      {L"2028/02/29 00:00:00", L"C:\\Tom & Jerry's <\"tools\">\\Startup.bat"},
      {L"2030/12/31 23:59:00", L"C:\\復帰ツール\\Startup.bat"},
      {L"2027/10/01 12:30:00", L"C:\\Startup.bat"},
  };
  int n = 0;
  for (const auto& s : samples) {
    const auto xml = BuildTaskXml(s.start, s.program, L"Reveilo & <Co>");
    if (!xml) {
      std::cerr << "no XML for sample " << n << "\n";
      return 1;
    }
    std::ofstream(std::string(argv[1]) + "/task" + std::to_string(n++) + ".xml", std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << Utf8(*xml);
  }
  return 0;
}
