// Decoding a 12-megapixel RGB and RGBA PNG (zlib level 6, filters chosen by
// libpng) on one core, against libspng and libpng in the same run.
#include <png.h>
#include <sched.h>
#include <spng.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "photo_fixture.h"
#include "readers/reader_classes.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

template <typename F>
double BestSeconds(int runs, F work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

Bytes EncodePng(const lumivo::Bitmap& photo, bool alpha) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* target = static_cast<Bytes*>(png_get_io_ptr(p));
        target->insert(target->end(), data, data + size);
      },
      nullptr);
  png_set_compression_level(png, 6);
  png_set_IHDR(png, info, photo.width(), photo.height(), 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const int channels = alpha ? 4 : 3;
  Bytes row(static_cast<std::size_t>(photo.width()) * channels);
  for (int y = 0; y < photo.height(); ++y) {
    const std::uint8_t* p = photo.Row(y);
    for (int x = 0; x < photo.width(); ++x) {
      row[channels * x] = p[3 * x + 2];
      row[channels * x + 1] = p[3 * x + 1];
      row[channels * x + 2] = p[3 * x];
      if (alpha) row[channels * x + 3] = static_cast<std::uint8_t>((x / 16 + y / 16) % 2 ? 255 : x * 255 / photo.width());
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
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

void DecodeLibpng(const Bytes& file, Bytes& out) {
  struct Source {
    const Bytes* bytes;
    std::size_t at = 0;
  } source{&file};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, [](png_structp p, png_bytep data, png_size_t size) {
    auto* s = static_cast<Source*>(png_get_io_ptr(p));
    if (s->at + size > s->bytes->size()) png_error(p, "end of data");
    std::memcpy(data, s->bytes->data() + s->at, size);
    s->at += size;
  });
  png_read_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  out.resize(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
}

}  // namespace

int main() {
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(0, &one);
  sched_setaffinity(0, sizeof one, &one);

  const lumivo::Bitmap photo = lumivo::bench::MakePhoto(4000, 3000, 1);
  constexpr int kRuns = 5;
  std::printf("%-28s %10s %10s %10s %8s\n", "12 MP PNG, level 6", "lumivo", "libspng", "libpng", "ratio");
  for (bool alpha : {false, true}) {
    const Bytes file = EncodePng(photo, alpha);
    lumivo::Bitmap ours;
    Bytes buffer;
    const double lumivo = BestSeconds(kRuns, [&] { lumivo::kPNGGraphic.load(file, ours); });
    const double spng = BestSeconds(kRuns, [&] { DecodeSpng(file, alpha, buffer); });
    const double libpng = BestSeconds(kRuns, [&] { DecodeLibpng(file, buffer); });
    std::printf("%-28s %9.3fs %9.3fs %9.3fs %7.2fx\n", alpha ? "RGBA" : "RGB", lumivo, spng, libpng, lumivo / spng);
  }
  return 0;
}
