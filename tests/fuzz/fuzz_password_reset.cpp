// "RESET" decoding of whatever a settings file may hold: never fails, gives
// 7-bit characters only, one per whole code; and "SET" of that gives a text
// that decodes back to the same password.
#include <cstdlib>

#include "fuzz_input.h"
#include "settings/password.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring stored = FuzzText(data, size);
  const auto password = ConvertPassword(L"RESET", stored);
  if (!password) std::abort();
  if (password->size() > stored.size() / 4) std::abort();
  for (wchar_t c : *password)
    if (static_cast<unsigned long>(c) >= 128) std::abort();
  const auto again = ConvertPassword(L"SET", *password);
  if (!again || again->size() != 4 * password->size()) std::abort();
  if (ConvertPassword(L"RESET", *again) != password) std::abort();
  return 0;
}
