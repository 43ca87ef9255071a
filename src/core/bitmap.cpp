#include "core/bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/checked_math.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

using BgrTable = std::array<std::array<std::uint8_t, 3>, 256>;

std::uint8_t OverWhite(std::uint8_t colour, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 255 * (255 - alpha) + 127) / 255);
}

BgrTable PaletteTable(const std::vector<PaletteEntry>& palette, bool transparent) {
  BgrTable table{};
  for (std::size_t i = 0; i < palette.size() && i < table.size(); ++i) {
    const PaletteEntry& e = palette[i];
    const std::uint8_t alpha = transparent ? e.alpha : 255;
    table[i] = {OverWhite(e.blue, alpha), OverWhite(e.green, alpha), OverWhite(e.red, alpha)};
  }
  return table;
}

bool AnyAlpha(const Bitmap& bitmap) {
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.width(); ++x)
      if (row[4 * x + 3] != 0) return true;
  }
  return false;
}

void IndexedRow(const std::uint8_t* source, std::uint8_t* target, int width, int bits, const BgrTable& table) {
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    const int index = (source[x / perByte] >> shift) & mask;
    std::memcpy(target + 3 * x, table[index].data(), 3);
  }
}

}  // namespace

int BitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed1: return 1;
    case PixelFormat::Indexed4: return 4;
    case PixelFormat::Indexed8: return 8;
    case PixelFormat::Rgb15: return 16;
    case PixelFormat::Bgr24: return 24;
    case PixelFormat::Bgra32: return 32;
  }
  return 24;
}

Status CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (width < 0 || height < 0 || width > Bitmap::kPixelLimit || height > Bitmap::kPixelLimit ||
      width * height > Bitmap::kPixelLimit)
    return Error{FormatText(texts::kPictureTooLarge, width, height), ErrorKind::TooLarge};
  return {};
}

Status CheckJpegSides(std::int64_t width, std::int64_t height) {
  if (width > kJpegSideLimit || height > kJpegSideLimit)
    return Error{FormatText(texts::kPictureTooLarge, width, height), ErrorKind::TooLarge};
  return {};
}

std::size_t CheckAllocation(std::optional<std::size_t> bytes, std::int64_t width, std::int64_t height) {
  if (!bytes || *bytes > kAllocationLimit) throw TooLarge(FormatText(texts::kPictureTooLarge, width, height));
  return *bytes;
}

void AllocatePicture(Bitmap& target, std::int64_t width, std::int64_t height, PixelFormat format) {
  if (Status size = CheckPictureSize(width, height); !size) throw TooLarge(size.message());
  if (Status allocated = target.Allocate(static_cast<int>(width), static_cast<int>(height), format); !allocated)
    throw TooLarge(allocated.message());
}

std::size_t Bitmap::StrideFor(int width, PixelFormat format) {
  const std::size_t bits = static_cast<std::size_t>(std::max(width, 0)) * BitsPerPixel(format);
  return (bits + 31) / 32 * 4;
}

std::size_t Bitmap::rowBytes() const {
  return (static_cast<std::size_t>(width_) * BitsPerPixel(format_) + 7) / 8;
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      stride_(other.stride_),
      bytes_(other.bytes_),
      capacity_(other.bytes_),
      palette_(other.palette_),
      transparent_(other.transparent_) {
  if (other.data_ && bytes_ > 0) {
    data_ = AllocatePixelMemory(bytes_);
    if (!data_) throw std::bad_alloc();
    std::memcpy(data_.get(), other.data_.get(), bytes_);
  }
}

void Bitmap::Swap(Bitmap& other) noexcept {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  std::swap(format_, other.format_);
  std::swap(stride_, other.stride_);
  std::swap(bytes_, other.bytes_);
  std::swap(capacity_, other.capacity_);
  std::swap(data_, other.data_);
  std::swap(palette_, other.palette_);
  std::swap(transparent_, other.transparent_);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  if (!Allocate(other.width_, other.height_, other.format_)) {
    *this = Bitmap(other);  // out of memory: the copy throws std::bad_alloc like any copy
    return *this;
  }
  if (bytes_ > 0) std::memcpy(data_.get(), other.data_.get(), bytes_);
  palette_ = other.palette_;
  transparent_ = other.transparent_;
  return *this;
}

Status Bitmap::Adopt(int width, int height, PixelFormat format, bool fillWhite, std::uint8_t fill) {
  if (Status size = CheckPictureSize(width, height); !size) return size;
  const std::size_t stride = StrideFor(width, format);
  const auto bytes = CheckedMul(stride, static_cast<std::size_t>(height));
  if (!bytes || *bytes > kAllocationLimit) return Error{FormatText(texts::kPictureTooLarge, width, height), ErrorKind::TooLarge};
  // Never without memory, not even empty: a reader's row loop over a picture
  // 0 pixels wide then copies nothing from a valid address.
  if (*bytes > capacity_ || !data_) {
    const std::size_t size = std::max<std::size_t>(*bytes, 1);
    PixelMemory data = AllocatePixelMemory(size);
    if (!data) return Error{std::string(texts::kOutOfMemory), ErrorKind::TooLarge};
    data_ = std::move(data);
    capacity_ = size;
  }
  if (fillWhite && *bytes > 0) std::memset(data_.get(), fill, *bytes);
  width_ = width;
  height_ = height;
  format_ = format;
  stride_ = stride;
  bytes_ = *bytes;
  transparent_ = false;
  if (format != PixelFormat::Indexed1 && format != PixelFormat::Indexed4 && format != PixelFormat::Indexed8)
    palette_.clear();
  return {};
}

Status Bitmap::Allocate(int width, int height, PixelFormat format) {
  return Adopt(width, height, format, false, 0);
}

Status Bitmap::Create(int width, int height, PixelFormat format, std::uint8_t fill) {
  return Adopt(width, height, format, true, fill);
}

Status Bitmap::Resize(int width, int height) {
  if (width == width_ && height == height_) return {};
  Bitmap grown;
  if (Status made = grown.Create(width, height, format_); !made) return made;
  const std::size_t keep = std::min(rowBytes(), grown.rowBytes());
  for (int y = 0; y < std::min(height, height_); ++y) std::memcpy(grown.Row(y), Row(y), keep);
  grown.palette_ = palette_;
  grown.transparent_ = transparent_;
  *this = std::move(grown);
  return {};
}

Status Bitmap::ConvertToBgr24() {
  if (format_ == PixelFormat::Bgr24) return {};
  Bitmap target;
  if (Status made = target.Allocate(width_, height_, PixelFormat::Bgr24); !made) return made;

  switch (format_) {
    case PixelFormat::Indexed1:
    case PixelFormat::Indexed4:
    case PixelFormat::Indexed8: {
      std::vector<PaletteEntry> palette = palette_;
      if (palette.empty()) {  // a picture without palette reads as grey levels
        const int levels = 1 << BitsPerPixel(format_);
        for (int i = 0; i < levels; ++i) {
          const auto v = static_cast<std::uint8_t>(i * 255 / (levels - 1));
          palette.push_back({v, v, v, 255});
        }
      }
      const BgrTable table = PaletteTable(palette, transparent_);
      for (int y = 0; y < height_; ++y) IndexedRow(Row(y), target.Row(y), width_, BitsPerPixel(format_), table);
      break;
    }
    case PixelFormat::Rgb15: {
      std::array<std::uint8_t, 32> expand{};
      for (int v = 0; v < 32; ++v) expand[v] = static_cast<std::uint8_t>(v << 3 | v >> 2);
      for (int y = 0; y < height_; ++y) {
        const std::uint8_t* source = Row(y);
        std::uint8_t* out = target.Row(y);
        for (int x = 0; x < width_; ++x) {
          const int word = source[2 * x] | source[2 * x + 1] << 8;
          out[3 * x] = expand[word & 31];
          out[3 * x + 1] = expand[(word >> 5) & 31];
          out[3 * x + 2] = expand[(word >> 10) & 31];
        }
      }
      break;
    }
    case PixelFormat::Bgra32: {
      const bool blend = transparent_ && AnyAlpha(*this);
      for (int y = 0; y < height_; ++y) {
        const std::uint8_t* source = Row(y);
        std::uint8_t* out = target.Row(y);
        if (blend) {
          for (int x = 0; x < width_; ++x) {
            const std::uint8_t alpha = source[4 * x + 3];
            out[3 * x] = OverWhite(source[4 * x], alpha);
            out[3 * x + 1] = OverWhite(source[4 * x + 1], alpha);
            out[3 * x + 2] = OverWhite(source[4 * x + 2], alpha);
          }
        } else {
          for (int x = 0; x < width_; ++x) std::memcpy(out + 3 * x, source + 4 * x, 3);
        }
      }
      break;
    }
    case PixelFormat::Bgr24: break;
  }
  *this = std::move(target);
  return {};
}

}  // namespace lumivo
