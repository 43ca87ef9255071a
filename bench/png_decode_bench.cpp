// Decoding a 12-megapixel RGB and RGBA PNG (zlib level 6, filters chosen by
// libpng) on one core, against libspng and libpng in the same run.
#include <png.h>
#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_timing.h"
#include "photo_fixture.h"
#include "readers/registered_classes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// libpng's own choices: level 6, filters picked per row.
Bytes EncodePng(const lumivo::Bitmap& photo, bool alpha) {
  const int channels = alpha ? 4 : 3;
  Bytes pixels(static_cast<std::size_t>(photo.width()) * photo.height() * channels);
  for (int y = 0; y < photo.height(); ++y) {
    const std::uint8_t* p = photo.Row(y);
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(y) * photo.width() * channels;
    for (int x = 0; x < photo.width(); ++x) {
      out[channels * x] = p[3 * x + 2];
      out[channels * x + 1] = p[3 * x + 1];
      out[channels * x + 2] = p[3 * x];
      if (!alpha) continue;
      // Opaque squares beside squares that fade out to the left.
      out[channels * x + 3] = static_cast<std::uint8_t>((x / 16 + y / 16) % 2 ? 255 : x * 255 / photo.width());
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(photo.width());
  image.height = static_cast<png_uint_32>(photo.height());
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) std::abort();
  Bytes file(size);
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr)) std::abort();
  file.resize(size);
  return file;
}

void DecodeSpng(const Bytes& file, bool alpha, Bytes& out) {
  spng_ctx* ctx = spng_ctx_new(0);
  spng_set_png_buffer(ctx, file.data(), file.size());
  const int format = alpha ? SPNG_FMT_RGBA8 : SPNG_FMT_RGB8;
  std::size_t size = 0;
  if (spng_decoded_image_size(ctx, format, &size) != 0) std::abort();
  out.resize(size);
  if (spng_decode_image(ctx, out.data(), size, format, 0) != 0) std::abort();
  spng_ctx_free(ctx);
}

void DecodeLibpng(const Bytes& file, bool alpha, Bytes& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) std::abort();
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  out.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.data(), 0, nullptr)) std::abort();
}

}  // namespace

int main() {
  lumivo::bench::PinToOneCore();

  const lumivo::Bitmap photo = lumivo::bench::MakePhoto(4000, 3000, 1);
  constexpr int kRuns = 5;
  std::printf("%-28s %10s %10s %10s %8s\n", "12 MP PNG, level 6", "lumivo", "libspng", "libpng", "ratio");
  for (bool alpha : {false, true}) {
    const Bytes file = EncodePng(photo, alpha);
    lumivo::Bitmap ours;
    Bytes buffer;
    const double lumivo = lumivo::bench::BestSeconds(kRuns, [&] { lumivo::kPNGGraphic.load(file, ours); });
    const double spng = lumivo::bench::BestSeconds(kRuns, [&] { DecodeSpng(file, alpha, buffer); });
    const double libpng = lumivo::bench::BestSeconds(kRuns, [&] { DecodeLibpng(file, alpha, buffer); });
    std::printf("%-28s %9.3fs %9.3fs %9.3fs %7.2fx\n", alpha ? "RGBA" : "RGB", lumivo, spng, libpng, lumivo / spng);
  }
  return 0;
}
