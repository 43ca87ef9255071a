#include "resources/pictures.h"

#include <algorithm>
#include <cmath>

namespace lumivo::resources {

namespace {

struct Colour {
  double r, g, b;
};

constexpr Colour kWhite{255, 255, 255};

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void Put(RawPicture& picture, int x, int y, Colour c, double alpha = 1.0) {
  std::uint8_t* p =
      picture.pixels.data() + (static_cast<std::size_t>(y) * picture.width + x) * picture.bytesPerPixel;
  p[0] = Byte(c.b);
  p[1] = Byte(c.g);
  p[2] = Byte(c.r);
  if (picture.bytesPerPixel == 4) p[3] = Byte(alpha * 255.0);
}

RawPicture Blank(int width, int height, int bytesPerPixel, std::uint8_t fill) {
  RawPicture picture{width, height, bytesPerPixel, {}};
  picture.pixels.assign(static_cast<std::size_t>(width) * height * bytesPerPixel, fill);
  return picture;
}

// Fraction of the pixel (x, y) covered by a shape, from 4 x 4 samples.
template <typename Inside>
double Coverage(int x, int y, Inside inside) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
  return hits / 16.0;
}

bool InTriangle(double px, double py, double ax, double ay, double bx, double by, double cx, double cy) {
  auto side = [&](double x1, double y1, double x2, double y2) { return (px - x2) * (y1 - y2) - (x1 - x2) * (py - y2); };
  const double d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
  return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
}

bool InRoundedRect(double x, double y, double left, double top, double right, double bottom, double radius) {
  const double cx = std::clamp(x, left + radius, right - radius);
  const double cy = std::clamp(y, top + radius, bottom - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius && x >= left && x <= right && y >= top &&
         y <= bottom;
}

}  // namespace

RawPicture ProgramLogo() {
  // A rounded tile from evening blue to teal with a white lens and a warm
  // sun inside it: a photograph being turned into light.
  RawPicture logo = Blank(64, 64, 4, 0);
  const Colour top{38, 70, 160}, bottom{20, 170, 160}, sun{255, 190, 60};
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const double tile = Coverage(x, y, [](double px, double py) { return InRoundedRect(px, py, 2, 2, 62, 62, 12); });
      if (tile == 0) continue;
      Colour c = Mix(top, bottom, y / 63.0);
      const double ring = Coverage(x, y, [](double px, double py) {
        const double d = std::hypot(px - 32, py - 32);
        return d <= 20 && d >= 15;
      });
      const double core = Coverage(x, y, [](double px, double py) { return std::hypot(px - 35, py - 29) <= 8; });
      c = Mix(c, kWhite, ring);
      c = Mix(c, sun, core);
      Put(logo, x, y, c, tile);
    }
  }
  return logo;
}

RawPicture FailurePicture() {
  RawPicture picture = Blank(225, 188, 3, 255);
  const Colour red{220, 24, 24}, black{0, 0, 0};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const double triangle =
          Coverage(x, y, [](double px, double py) { return InTriangle(px, py, 112.5, 12, 12, 176, 213, 176); });
      if (triangle == 0) continue;
      const double mark = Coverage(x, y, [](double px, double py) {
        const bool bar = InRoundedRect(px, py, 104, 66, 121, 132, 5) && px - 104 >= (py - 66) * 0.04 &&
                         121 - px >= (py - 66) * 0.04;
        const bool dot = std::hypot(px - 112.5, py - 147) <= 9;
        return bar || dot;
      });
      Colour c = Mix(kWhite, red, triangle);
      c = Mix(c, black, mark);
      Put(picture, x, y, c);
    }
  }
  return picture;
}

RawPicture TestPicture() {
  RawPicture picture = Blank(123, 105, 3, 255);
  constexpr int kBarsBottom = 78;
  constexpr int kBarWidth = 24;
  const Colour red{230, 0, 0}, green{0, 180, 0}, blue{0, 0, 230}, black{0, 0, 0};
  for (int y = 0; y < kBarsBottom; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int bar = std::min(x / kBarWidth, 4);
      Colour c = kWhite;
      switch (bar) {
        case 0: c = red; break;
        case 1: c = green; break;
        case 2: c = (y / 3) % 2 == 0 ? black : kWhite; break;
        case 3: c = blue; break;
        default: c = black; break;
      }
      if (bar >= 3) {
        const double centreX = bar * kBarWidth + (bar == 4 ? 27 : kBarWidth) / 2.0;
        for (double centreY : {20.0, 56.0}) {
          const double ring = Coverage(x, y, [&](double px, double py) {
            const double d = std::hypot(px - centreX, py - centreY);
            return d <= 9 && d >= 6;
          });
          c = Mix(c, kWhite, ring);
        }
      }
      Put(picture, x, y, c);
    }
  }
  // Gradient swatches: each runs from black to one colour, left to right.
  const Colour swatches[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, kWhite};
  constexpr int kSwatchWidth = 15, kGap = 2, kSwatchTop = 84, kSwatchBottom = 100;
  for (int i = 0; i < 7; ++i) {
    const int left = 4 + i * (kSwatchWidth + kGap);
    for (int y = kSwatchTop; y < kSwatchBottom; ++y)
      for (int x = 0; x < kSwatchWidth; ++x) Put(picture, left + x, y, Mix(black, swatches[i], x / (kSwatchWidth - 1.0)));
  }
  return picture;
}

}  // namespace lumivo::resources
