// The wake log's read, append and cut: whatever bytes the old file ends in
// (binary, a byte-order mark, lone CRs and LFs, read from inside a line), and
// whatever an outside text holds, the new file is at most kWakeLogLines lines,
// each ended CR LF, with the new line last and unbroken.
#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "wake_job/wake_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool cut = data[0] & 1;
  const std::size_t split = std::min<std::size_t>(data[1], size - 2);
  const std::wstring outside = LogField(FuzzText(data + 2, split));
  // The line as the Windows half hands it over: what the code page lacks is '?'.
  std::string line;
  for (const wchar_t c : outside) line += c < 0x80 ? static_cast<char>(c) : '?';
  const std::string tail(reinterpret_cast<const char*>(data + 2 + split), size - 2 - split);
  const std::string log = AppendLogBytes(tail, cut, line);
  std::size_t lines = 0;
  for (std::size_t at = 0; at < log.size(); ++at) {
    const bool lf = log[at] == '\n', cr = log[at] == '\r';
    if ((cr && (at + 1 >= log.size() || log[at + 1] != '\n')) || (lf && (at == 0 || log[at - 1] != '\r'))) std::abort();
    lines += lf;
  }
  const std::string last = line + "\r\n";
  if (lines == 0 || lines > kWakeLogLines || log.size() < last.size()) std::abort();
  const bool breaks = std::any_of(outside.begin(), outside.end(),
                                  [](wchar_t c) { return c < 0x20 || c == 0x85 || c == 0x2028 || c == 0x2029; });
  if (breaks || log.compare(log.size() - last.size(), last.size(), last) != 0) std::abort();
  return 0;
}
