#pragma once
// The working bitmap: what readers fill, what every adjustment changes in
// place, and what the encoder reads. Rows run top to bottom, each padded to
// 4 bytes so that Qt images can wrap them without a copy.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/pixel_memory.h"
#include "core/result.h"

namespace lumivo {

enum class PixelFormat : std::uint8_t {
  Indexed1,  // 8 pixels a byte, leftmost in the high bit
  Indexed4,  // 2 pixels a byte, leftmost in the high nibble
  Indexed8,
  Rgb15,     // 16-bit little-endian words: blue in bits 0-4, green 5-9, red 10-14
  Bgr24,
  Bgra32,
};

int BitsPerPixel(PixelFormat format);

struct PaletteEntry {
  std::uint8_t blue = 0, green = 0, red = 0, alpha = 255;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

class Bitmap {
 public:
  // Above this many pixels a picture is refused as too large. Fuzzing
  // builds refuse sooner: a few bytes can announce a picture at the limit,
  // and filling a gigabyte per input would leave a campaign at a few
  // inputs a second and report slowness, not faults.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  static constexpr std::int64_t kPixelLimit = std::int64_t{1} << 22;
#else
  static constexpr std::int64_t kPixelLimit = std::int64_t{1} << 28;
#endif

  Bitmap() = default;
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept { Swap(other); }
  Bitmap& operator=(Bitmap&& other) noexcept {
    Bitmap moved(std::move(other));
    Swap(moved);
    return *this;
  }
  void Swap(Bitmap& other) noexcept;

  // Gives the bitmap a new size and format; the pixel content is undefined.
  // The memory is kept and reused when it suffices: a run's bitmaps touch
  // fresh pages only for their largest picture.
  Status Allocate(int width, int height, PixelFormat format);
  // Like Allocate, every byte set to `fill` (255: white in the colour formats).
  Status Create(int width, int height, PixelFormat format, std::uint8_t fill = 255);
  // Changes the size, keeping the old pixels at the top left; new area white.
  Status Resize(int width, int height);
  // In place. Indexed, 15-bit and 32-bit pictures become BGR; a picture
  // marked transparent is laid over white at each pixel's alpha.
  Status ConvertToBgr24();

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  PixelFormat format() const { return format_; }
  std::size_t stride() const { return stride_; }
  std::size_t rowBytes() const;  // bytes of pixel data in a row, without padding

  std::uint8_t* Row(int y) { return data_.get() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return data_.get() + static_cast<std::size_t>(y) * stride_; }
  std::uint8_t* data() { return data_.get(); }
  const std::uint8_t* data() const { return data_.get(); }

  std::vector<PaletteEntry>& palette() { return palette_; }
  const std::vector<PaletteEntry>& palette() const { return palette_; }

  // Set by readers whose file declares real transparency (alpha samples, or
  // alpha in the palette). Only then does alpha count when turning to BGR.
  bool transparent() const { return transparent_; }
  void setTransparent(bool transparent) { transparent_ = transparent; }

  static std::size_t StrideFor(int width, PixelFormat format);

 private:
  Status Adopt(int width, int height, PixelFormat format, bool fillWhite, std::uint8_t fill);

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  std::size_t stride_ = 0;
  std::size_t bytes_ = 0;
  std::size_t capacity_ = 0;
  PixelMemory data_;
  std::vector<PaletteEntry> palette_;
  bool transparent_ = false;
};

// A picture's width and height in pixels.
struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size check every reader and every resize makes before allocating.
Status CheckPictureSize(std::int64_t width, std::int64_t height);

// The longest side a JPEG file can hold: every output is held to it, and
// so are drawings, which cost their full size however small their file.
inline constexpr int kJpegSideLimit = 65500;

// "Too large" when a side is beyond kJpegSideLimit.
Status CheckJpegSides(std::int64_t width, std::int64_t height);

// The largest single block a decoding route asks for: a picture at the
// pixel limit in 32 bits (1 GiB). Buffers a file's header sizes (planes,
// bands, unpacked data) are held to it as well.
inline constexpr std::size_t kAllocationLimit = static_cast<std::size_t>(Bitmap::kPixelLimit) * 4;

// `bytes` (nothing when its computation overflowed) if within the limit;
// throws TooLarge naming the picture's size otherwise.
std::size_t CheckAllocation(std::optional<std::size_t> bytes, std::int64_t width, std::int64_t height);

// What readers call before they write pixels: allocates the target, or
// throws TooLarge over the limits (never a "broken file" for a limit hit).
void AllocatePicture(Bitmap& target, std::int64_t width, std::int64_t height, PixelFormat format);

}  // namespace lumivo
