// The batch file's escaping: for any account, folder and time text, either the
// batch is refused, or cmd.exe's reading of each line gives back exactly what
// jt.exe and cd must receive, no text of the user's becomes a command, and
// jt.exe reads the very time the past-time test reads and the very account typed
// (a user name in its own quotes: the name inside).
#include <cstdlib>

#include "fuzz_input.h"
#include "tests/support/cmd_model.h"
#include "tools/jt/jt_command.h"
#include "wake_job/batch_text.h"
#include "wake_job/wake_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Four texts separated by a 0xFF byte: user, password, folder, time.
  std::wstring parts[4];
  std::size_t part = 0, start = 0;
  for (std::size_t i = 0; i <= size && part < 4; ++i) {
    if (i == size || data[i] == 0xFF) {
      parts[part++] = FuzzText(data + start, i - start);
      start = i + 1;
    }
  }
  // A Windows folder cannot hold '"' or a control character.
  std::wstring folder = L"C:\\";
  for (wchar_t c : parts[2])
    if (c != L'"' && c >= 0x20) folder += c;
  // Only a time the Set command could read reaches the batch; jt.exe must read the same minute.
  const auto read = ParseHourMinute(parts[3]);
  const WakeJobInputs inputs{{2027, 1, 5, 7, 5}, L"1/5/2027", read ? parts[3] : L"07:05", parts[0], parts[1]};
  const auto batch = BuildAddTaskBatch(inputs, folder);
  if (!batch) return 0;

  const auto lines = BatchLines(*batch);
  if (lines.size() != 3 || batch->compare(batch->size() - 2, 2, L"\r\n") != 0) std::abort();  // three CR LF lines
  if (CmdReadsBatchLine(lines[0]) != L"cd \"" + folder + L"\"") std::abort();
  if (lines[1] != L"jt.exe /sd Resume.job") std::abort();
  if (CmdReadsBatchLine(lines[2]) != BuildToolLine(inputs, folder)) std::abort();
  // Unless jt.exe refuses the line, the time the past-time test read is among its triggers.
  const JtParse jt = ParseJtArguments(std::wstring_view(BuildToolLine(inputs, folder)).substr(7));
  bool found = !read || !jt.error.empty();
  // Every account the Set lets through (a user, no quote but one pair around it, no control character but the
  // tab) reaches it exactly; a user in its own quotes as the name inside.
  bool carried = !parts[0].empty() && IsBareOrWhollyQuoted(parts[0]), account = false;
  const std::wstring user = carried && parts[0][0] == L'"' ? parts[0].substr(1, parts[0].size() - 2) : parts[0];
  for (const wchar_t c : parts[0] + parts[1]) carried &= c >= 0x20 || c == L'\t';
  for (const JtCommand& c : jt.commands) {
    found |= c.kind == JtCommand::Kind::CreateTrigger && c.trigger.hour == read->hour && c.trigger.minute == read->minute;
    account |= c.kind == JtCommand::Kind::SetAccount && c.user == user && c.password == parts[1];
  }
  if (!found || (carried && !account)) std::abort();
  return 0;
}
