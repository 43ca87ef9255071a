// The in-process floor of a batch run: libjpeg-turbo's own decode of every
// source photograph and encode of a picture of its output size, on one
// core, without process starts or file output. Prints the seconds.
//
//   lumivo_jpeg_floor_bench PERCENT QUALITY RUNS FILE...

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench_timing.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Full-size BGR rows, as the run's decoder produces them.
void Decode(const Bytes& file, Bytes& pixels, int& width, int& height) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  pixels.resize(static_cast<std::size_t>(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

// Baseline 4:2:0 at the quality, into memory, as the run's encoder does.
std::size_t Encode(const Bytes& pixels, int width, int height, int quality) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(pixels.data()) + static_cast<std::size_t>(info.next_scanline) * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::free(out);
  return size;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: lumivo_jpeg_floor_bench PERCENT QUALITY RUNS FILE...\n");
    return 2;
  }
  lumivo::bench::PinToOneCore();
  const int percent = std::atoi(argv[1]);
  const int quality = std::atoi(argv[2]);
  const int runs = std::atoi(argv[3]);
  std::vector<Bytes> files;
  for (int i = 4; i < argc; ++i) files.push_back(ReadAll(argv[i]));

  // The pictures to encode: each source's pixels at the output size (made
  // outside the timing; the encoder's cost depends on the size and content).
  std::vector<Bytes> outputs(files.size());
  std::vector<int> outputWidths(files.size()), outputHeights(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    Bytes full;
    int width = 0, height = 0;
    Decode(files[i], full, width, height);
    const int w = width * percent / 100, h = height * percent / 100;
    outputs[i].resize(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c)
          outputs[i][(static_cast<std::size_t>(y) * w + x) * 3 + c] =
              full[(static_cast<std::size_t>(y * height / h) * width + x * width / w) * 3 + c];
    outputWidths[i] = w;
    outputHeights[i] = h;
  }

  Bytes decoded;
  std::size_t written = 0;
  const double seconds = lumivo::bench::BestSeconds(runs, [&] {
    for (std::size_t i = 0; i < files.size(); ++i) {
      int width = 0, height = 0;
      Decode(files[i], decoded, width, height);
      written += Encode(outputs[i], outputWidths[i], outputHeights[i], quality);
    }
  });
  std::printf("%.3f\n", seconds);
  return written > 0 ? 0 : 1;
}
