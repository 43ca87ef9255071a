#pragma once
// The compressed output picture of a run and the routines around it.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// The compressed output: its size and the complete JPEG stream (FF D8 ...).
class JpegImage {
 public:
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return stream_.empty(); }
  const std::vector<std::uint8_t>& stream() const { return stream_; }

  void Assign(int width, int height, std::vector<std::uint8_t> stream) {
    width_ = width;
    height_ = height;
    stream_ = std::move(stream);
  }
  void Clear() { Assign(0, 0, {}); }
  // Hands the stream's memory out for reuse by the next compression.
  std::vector<std::uint8_t> ReleaseStream() {
    width_ = height_ = 0;
    return std::move(stream_);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> stream_;
};

// Compresses the finished working bitmap at quality 0..100 (clamped). A one-row
// picture first gains a white second row; an empty one compresses to nothing.
Status CompressOutput(Bitmap& working, JpegImage& jpeg, int quality);

// Writes the compressed stream to the path, replacing a file of that name.
Status SaveJpeg(const JpegImage& jpeg, const std::filesystem::path& path);

// The quality preview: the source as it looks after compression at quality.
[[nodiscard]] bool RenderAtQuality(const Bitmap& source, Bitmap& output, int quality);

}  // namespace lumivo
