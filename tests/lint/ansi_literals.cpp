// Build-time guard: a non-ASCII character in a narrow literal ("..." or u8"...")
// would reach an A function as UTF-8 bytes and show as garbage under code page
// 932. Japanese text must be a wide literal, which only reaches an A function
// through the explicit conversion (a wide string does not convert to char*).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {
int CheckFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", name);
    return 1;
  }
  const std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int faults = 0;
  int line = 1;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\n') {
      ++line;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      while (i + 1 < s.size() && s[i + 1] != '\n') ++i;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      for (i += 2; i + 1 < s.size() && !(s[i] == '*' && s[i + 1] == '/'); ++i) line += s[i] == '\n';
      ++i;
    } else if (c == '"' || c == '\'') {
      // The prefix decides the literal's type: L, u and U are wide; none and u8 are char.
      const bool wide = i > 0 && (s[i - 1] == 'L' || s[i - 1] == 'U' ||
                                  (s[i - 1] == 'u' && !(i > 1 && s[i - 2] == '8')));
      const int startLine = line;
      bool nonAscii = false;
      for (++i; i < s.size() && s[i] != c; ++i) {
        if (s[i] == '\\') ++i;
        else if (s[i] == '\n') ++line;
        else if (static_cast<unsigned char>(s[i]) >= 0x80) nonAscii = true;
      }
      if (nonAscii && !wide) {
        std::fprintf(stderr, "%s:%d: non-ASCII text in a narrow literal; use L\"...\" and ToAnsi\n",
                     name, startLine);
        ++faults;
      }
    }
  }
  return faults;
}
}  // namespace

int main(int argc, char** argv) {
  int faults = 0;
  for (int i = 1; i < argc; ++i) faults += CheckFile(argv[i]);
  std::printf("ansi_literals: %d file(s), %d fault(s)\n", argc - 1, faults);
  return faults == 0 ? 0 : 1;
}
