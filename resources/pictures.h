#pragma once
// The three built-in pictures, drawn in code so that every front end and
// every test gets them without a GUI or a file.

#include <cstdint>
#include <vector>

namespace lumivo::resources {

// Tightly packed rows, top row first; 3 bytes a pixel (blue, green, red) or
// 4 (blue, green, red, alpha).
struct RawPicture {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 3;
  std::vector<std::uint8_t> pixels;
};

RawPicture ProgramLogo();     // 64 x 64, with alpha
RawPicture FailurePicture();  // 225 x 188: red warning triangle, black "!" on white
RawPicture TestPicture();     // 123 x 105 colour test card

}  // namespace lumivo::resources
