// The batch file's escaping: for any account and folder, either the batch is
// refused, or cmd.exe's reading of each line gives back exactly what jt.exe
// and cd must receive, and no text of the user's becomes a command.
#include <cstdlib>

#include "fuzz_input.h"
#include "tests/support/cmd_model.h"
#include "wake_job/batch_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Three texts separated by a 0xFF byte: user, password, folder.
  std::wstring parts[3];
  std::size_t part = 0, start = 0;
  for (std::size_t i = 0; i <= size && part < 3; ++i) {
    if (i == size || data[i] == 0xFF) {
      parts[part++] = FuzzText(data + start, i - start);
      start = i + 1;
    }
  }
  // A Windows folder cannot hold '"'.
  std::wstring folder = L"C:\\";
  for (wchar_t c : parts[2])
    if (c != L'"') folder += c;
  const WakeJobInputs inputs{L"1/5/2027", L"07:05", parts[0], parts[1]};
  const auto batch = BuildAddTaskBatch(inputs, folder);
  if (!batch) return 0;

  const auto lines = BatchLines(*batch);
  if (lines.size() != 3 || batch->compare(batch->size() - 2, 2, L"\r\n") != 0) std::abort();  // three CR LF lines
  if (CmdReadsBatchLine(lines[0]) != L"cd \"" + folder + L"\"") std::abort();
  if (lines[1] != L"jt.exe /sd Resume.job") std::abort();
  if (CmdReadsBatchLine(lines[2]) != BuildToolLine(inputs, folder)) std::abort();
  return 0;
}
