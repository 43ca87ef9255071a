// Decoding a 12-megapixel RGB TIFF, LZW and deflate, on one core: our
// reader against libtiff's TIFFReadRGBAImage on the same files.
#include <tiffio.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "photo_fixture.h"
#include "readers/tiff_image.h"

namespace {

// The photo as an RGB TIFF with libtiff's usual strips of about 8 KiB.
std::filesystem::path CachedPhotoTiff(const std::filesystem::path& file, int compression, int predictor) {
  if (std::filesystem::exists(file)) return file;
  std::filesystem::create_directories(file.parent_path());
  const lumivo::Bitmap photo = lumivo::bench::MakePhoto(4000, 3000, 1);
  TIFF* tiff = TIFFOpen(file.c_str(), "w");
  if (!tiff) std::abort();
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, photo.width());
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, photo.height());
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
  if (predictor != 1) TIFFSetField(tiff, TIFFTAG_PREDICTOR, predictor);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
  std::vector<std::uint8_t> row(static_cast<std::size_t>(photo.width()) * 3);
  for (int y = 0; y < photo.height(); ++y) {
    const std::uint8_t* bgr = photo.Row(y);
    for (int x = 0; x < photo.width(); ++x) {
      row[3 * x] = bgr[3 * x + 2];
      row[3 * x + 1] = bgr[3 * x + 1];
      row[3 * x + 2] = bgr[3 * x];
    }
    if (TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) < 0) std::abort();
  }
  TIFFClose(tiff);
  return file;
}

}  // namespace

int main(int argc, char* argv[]) {
  lumivo::bench::PinToOneCore();
  TIFFSetWarningHandler(nullptr);

  const std::filesystem::path cache = argc > 1 ? argv[1] : "bench/cache";
  struct Case {
    const char* name;
    const char* file;
    int compression, predictor;
  };
  const Case cases[] = {
      {"LZW", "photo-12mp-lzw.tif", COMPRESSION_LZW, 1},
      {"LZW, predictor 2", "photo-12mp-lzw-predictor.tif", COMPRESSION_LZW, 2},
      {"deflate", "photo-12mp-deflate.tif", COMPRESSION_ADOBE_DEFLATE, 1},
  };
  constexpr int kRuns = 5;
  std::printf("%-20s %12s %12s %8s\n", "12 MP RGB TIFF", "lumivo", "libtiff", "ratio");
  for (const Case& c : cases) {
    const auto file = CachedPhotoTiff(cache / c.file, c.compression, c.predictor);
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    lumivo::Bitmap picture;
    const double ours = lumivo::bench::BestSeconds(kRuns, [&] { lumivo::LoadTiffImage(bytes, picture); });
    std::vector<std::uint32_t> raster(4000u * 3000u);
    const double theirs = lumivo::bench::BestSeconds(kRuns, [&] {
      TIFF* tiff = TIFFOpen(file.c_str(), "r");
      if (!tiff || !TIFFReadRGBAImage(tiff, 4000, 3000, raster.data(), 0)) std::abort();
      TIFFClose(tiff);
    });
    std::printf("%-20s %10.3f s %10.3f s %8.2f\n", c.name, ours, theirs, ours / theirs);
  }
}
