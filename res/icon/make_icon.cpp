// Draws the program icon and writes it as a 32 x 32, 16-colour .ico:
// a yellow digital clock whose black display shows 23:58 in green
// seven-segment digits.  c++ -std=c++17 make_icon.cpp -o make_icon && ./make_icon reveilo.ico
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
enum Colour : std::uint8_t { kBlack = 0, kGreen = 2, kDarkYellow = 3, kGrey = 8, kYellow = 11, kWhite = 15, kTransparent = 16 };

// The 16-colour VGA palette, as B, G, R, 0.
const std::uint8_t kPalette[16][4] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

std::uint8_t pixels[32][32];  // [y][x], y = 0 at the top

void Fill(int x0, int y0, int x1, int y1, std::uint8_t c) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) pixels[y][x] = c;
}

// Segments a..g of a 5 x 9 digit whose top-left corner is (x, y).
void Digit(int x, int y, int value) {
  static const std::uint8_t kSegments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
  const std::uint8_t s = kSegments[value];
  if (s & 0x01) Fill(x + 1, y, x + 3, y, kGreen);          // a
  if (s & 0x02) Fill(x + 4, y + 1, x + 4, y + 3, kGreen);  // b
  if (s & 0x04) Fill(x + 4, y + 5, x + 4, y + 7, kGreen);  // c
  if (s & 0x08) Fill(x + 1, y + 8, x + 3, y + 8, kGreen);  // d
  if (s & 0x10) Fill(x, y + 5, x, y + 7, kGreen);          // e
  if (s & 0x20) Fill(x, y + 1, x, y + 3, kGreen);          // f
  if (s & 0x40) Fill(x + 1, y + 4, x + 3, y + 4, kGreen);  // g
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Fill(0, 0, 31, 31, kTransparent);
  // The clock's case: two bells on top, a rounded yellow body, two feet.
  Fill(5, 3, 9, 5, kDarkYellow);
  Fill(22, 3, 26, 5, kDarkYellow);
  Fill(1, 7, 30, 27, kYellow);
  Fill(0, 8, 0, 26, kDarkYellow);
  Fill(31, 8, 31, 26, kDarkYellow);
  Fill(1, 6, 30, 6, kDarkYellow);
  Fill(1, 28, 30, 28, kDarkYellow);
  Fill(0, 6, 0, 7, kTransparent);
  Fill(31, 6, 31, 7, kTransparent);
  Fill(0, 27, 0, 28, kTransparent);
  Fill(31, 27, 31, 28, kTransparent);
  Fill(4, 29, 7, 30, kGrey);
  Fill(24, 29, 27, 30, kGrey);
  // The display, with a white glint on the case above it.
  Fill(2, 10, 29, 23, kBlack);
  Fill(3, 8, 12, 8, kWhite);
  Digit(3, 12, 2);
  Digit(9, 12, 3);
  Fill(15, 14, 15, 14, kGreen);
  Fill(15, 18, 15, 18, kGreen);
  Digit(17, 12, 5);
  Digit(23, 12, 8);

  std::vector<std::uint8_t> image;
  Put32(image, 40);  // BITMAPINFOHEADER
  Put32(image, 32);
  Put32(image, 64);  // colour and mask
  Put16(image, 1);
  Put16(image, 4);
  Put32(image, 0);
  Put32(image, 32 * 32 / 2 + 32 * 4);
  Put32(image, 0);
  Put32(image, 0);
  Put32(image, 16);
  Put32(image, 0);
  for (const auto& colour : kPalette) image.insert(image.end(), colour, colour + 4);
  for (int y = 31; y >= 0; --y) {  // bottom-up rows
    for (int x = 0; x < 32; x += 2) {
      const auto p = [&](int px) { return pixels[y][px] == kTransparent ? 0 : pixels[y][px]; };
      image.push_back(static_cast<std::uint8_t>((p(x) << 4) | p(x + 1)));
    }
  }
  for (int y = 31; y >= 0; --y) {
    for (int byte = 0; byte < 4; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (pixels[y][byte * 8 + bit] == kTransparent) bits |= 0x80 >> bit;
      image.push_back(bits);
    }
  }

  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // icon
  Put16(file, 1);  // one image
  file.push_back(32);
  file.push_back(32);
  file.push_back(16);
  file.push_back(0);
  Put16(file, 1);
  Put16(file, 4);
  Put32(file, static_cast<unsigned>(image.size()));
  Put32(file, 6 + 16);
  file.insert(file.end(), image.begin(), image.end());

  FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && ok ? 0 : 1;
}
