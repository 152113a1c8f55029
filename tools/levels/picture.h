#pragma once
// A small RGB canvas for the level maps, and its PNG writer.
#include <cstdint>
#include <string>
#include <vector>

namespace levelkit {

struct Rgb {
    uint8_t r, g, b;
};

class Picture {
  public:
    Picture(int width, int height, Rgb background);
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(int x, int y, int w, int h, Rgb colour);
    void Line(int x0, int y0, int x1, int y1, Rgb colour, int thickness = 1);
    void Disc(int cx, int cy, int radius, Rgb colour);
    void Ring(int cx, int cy, int radius, Rgb colour);
    // A whole number in a 3 x 5 pixel font, each font pixel `scale` pixels square.
    void Number(int x, int y, int value, int scale, Rgb colour);
    // Copies another picture with its top left corner at (x, y).
    void Paste(const Picture& other, int x, int y);

    // False when the file cannot be written.
    bool SavePng(const std::string& path) const;

  private:
    void Plot(int x, int y, Rgb colour);
    int width_, height_;
    std::vector<uint8_t> pixels_;
};

} // namespace levelkit
