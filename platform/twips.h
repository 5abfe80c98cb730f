// Layouts are given in twips (1440 to the inch) and turned into pixels once,
// with the screen's DPI.
#pragma once

class Twips {
 public:
  explicit Twips(int dpi) : dpi_(dpi) {}
  int ToPixels(int twips) const {
    return static_cast<int>((static_cast<long long>(twips) * dpi_ + 720) / 1440);
  }
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
};
