#include "photo_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "imaging/jpeg_output.h"

namespace lumivo::bench {

Bitmap MakePhoto(int width, int height, std::uint32_t seed) {
  Bitmap photo;
  if (!photo.Allocate(width, height, PixelFormat::Bgr24)) std::abort();
  std::uint32_t noise = seed * 2654435761u + 1;
  const double sx = 1.0 / width, sy = 1.0 / height;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = photo.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      const double u = x * sx, v = y * sy;
      const double sky = 0.5 + 0.5 * std::sin(6.0 * u + seed) * std::cos(4.0 * v);
      const bool hill = v > 0.6 + 0.1 * std::sin(9.0 * u + seed);
      const double shade = hill ? 0.35 + 0.3 * std::sin(40.0 * u * v) : sky;
      const int r = static_cast<int>(hill ? 60 + 90 * shade : 120 + 120 * shade) + grain;
      const int g = static_cast<int>(hill ? 90 + 110 * shade : 150 + 90 * shade) + grain;
      const int b = static_cast<int>(hill ? 40 + 50 * shade : 200 + 50 * shade) + grain;
      row[3 * x] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
      row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
      row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
    }
  }
  return photo;
}

std::filesystem::path CachedPhotoJpeg(const std::filesystem::path& file, int width, int height, std::uint32_t seed) {
  if (std::filesystem::exists(file)) return file;
  std::filesystem::create_directories(file.parent_path());
  Bitmap photo = MakePhoto(width, height, seed);
  JpegImage jpeg;
  if (!CompressOutput(photo, jpeg, 90)) std::abort();
  const auto partial = file.string() + ".part";
  if (!SaveJpeg(jpeg, partial)) std::abort();
  std::filesystem::rename(partial, file);
  return file;
}

}  // namespace lumivo::bench
