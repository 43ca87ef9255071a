#include "core/text_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 10> h;
  if (!PeekHeader(stream, h)) return false;
  return h[0] == 'P' && h[1] >= '1' && h[1] <= '6';
}

constexpr std::string_view kFormat = "PBM, PGM or PPM";

// The text of a portable map: header numbers and the samples of the text
// forms, separated by white space, with comments from "#" to the line end.
class MapText {
 public:
  explicit MapText(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t position() const { return at_; }
  std::span<const std::uint8_t> rest() const { return bytes_.subspan(at_); }

  // The next number; values above `ceiling` count as the ceiling.
  unsigned Number(unsigned ceiling) {
    SkipSeparators();
    if (!IsDigit(Peek())) InvalidPixel();
    std::uint64_t value = 0;
    while (at_ < bytes_.size() && IsDigit(bytes_[at_])) value = std::min<std::uint64_t>(value * 10 + (bytes_[at_++] - '0'), ceiling);
    return static_cast<unsigned>(value);
  }

  // A bitmap's text pixel is one digit; pixels need no white space between them.
  unsigned Digit() {
    SkipSeparators();
    if (!IsDigit(Peek())) InvalidPixel();
    return bytes_[at_++] - '0';
  }

  // The single white-space byte that ends a binary map's header.
  void EndOfHeader() {
    if (at_ < bytes_.size()) ++at_;
  }

 private:
  static bool IsDigit(int c) { return c >= '0' && c <= '9'; }
  int Peek() const { return at_ < bytes_.size() ? bytes_[at_] : -1; }

  void SkipSeparators() {
    while (at_ < bytes_.size()) {
      const std::uint8_t c = bytes_[at_];
      if (c == '#') {
        while (at_ < bytes_.size() && bytes_[at_] != '\n' && bytes_[at_] != '\r') ++at_;
      } else if (c == ' ' || (c >= '\t' && c <= '\r')) {
        ++at_;
      } else {
        return;
      }
    }
  }

  // Data that ends early reads as the stream's read error; anything else
  // that is not a number is no portable map.
  [[noreturn]] void InvalidPixel() const {
    if (at_ >= bytes_.size()) throw Failure(FormatText(texts::kStreamReadError, "PPM"));
    InvalidImageFormat(kFormat);
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// Samples of 0..maximum spread over 0..255.
std::vector<std::uint8_t> ScaleTable(unsigned maximum) {
  std::vector<std::uint8_t> table(maximum + 1);
  for (unsigned v = 0; v <= maximum; ++v) table[v] = static_cast<std::uint8_t>((v * 255 + maximum / 2) / maximum);
  return table;
}

// Binary samples: one byte up to a maximum of 255, two big-endian above.
class BinarySamples {
 public:
  BinarySamples(std::span<const std::uint8_t> bytes, unsigned maximum)
      : bytes_(bytes), wide_(maximum > 255), table_(ScaleTable(maximum)), maximum_(maximum) {}

  std::span<const std::uint8_t> Row(std::size_t samples) {
    const std::size_t size = samples << (wide_ ? 1 : 0);
    if (bytes_.size() - at_ < size) throw Failure(FormatText(texts::kStreamReadError, "PPM"));
    const auto row = bytes_.subspan(at_, size);
    at_ += size;
    return row;
  }
  std::uint8_t Sample(std::span<const std::uint8_t> row, std::size_t i) const {
    const unsigned v = wide_ ? LoadU16BE(&row[2 * i]) : row[i];
    return table_[std::min(v, maximum_)];
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool wide_;
  std::vector<std::uint8_t> table_;
  unsigned maximum_;
};

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] < '1' || bytes[1] > '6') InvalidImageFormat(kFormat);
  const int digit = bytes[1] - '0';
  const bool text = digit <= 3;
  const int kind = (digit - 1) % 3;  // 0 bitmap, 1 grey map, 2 pixel map
  MapText header(bytes.subspan(2));
  constexpr unsigned kLargest = 1u << 30;
  const unsigned width = header.Number(kLargest), height = header.Number(kLargest);
  const unsigned maximum = kind == 0 ? 1 : header.Number(65536);
  if (maximum == 0 || maximum > 65535) InvalidImageFormat(kFormat);

  TColorManager colours;
  colours.SetTarget(ColorLayout::Grey, kind == 0 ? 1 : 8);
  const PixelFormat format = kind == 0 ? PixelFormat::Indexed1 : kind == 1 ? PixelFormat::Indexed8 : PixelFormat::Bgr24;
  AllocatePicture(target, width, height, format);
  if (kind != 2) target.palette() = colours.MakeGreyPalette(kind == 0);

  const std::size_t samples = kind == 2 ? 3 : 1;
  const std::size_t w = width;
  if (text) {
    const std::vector<std::uint8_t> table = ScaleTable(maximum);
    for (unsigned y = 0; y < height; ++y) {
      std::uint8_t* row = target.Row(static_cast<int>(y));
      if (kind == 0) {
        std::memset(row, 0, target.rowBytes());
        for (std::size_t x = 0; x < w; ++x)
          if (header.Digit() & 1) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        continue;
      }
      for (std::size_t i = 0; i < w * samples; ++i) row[i] = table[header.Number(maximum)];
      if (kind == 2)
        for (std::size_t x = 0; x < w; ++x) std::swap(row[3 * x], row[3 * x + 2]);
    }
    return;
  }
  header.EndOfHeader();
  if (kind == 0) {
    BinarySamples data(header.rest(), 255);
    for (unsigned y = 0; y < height; ++y) {
      const auto row = data.Row(target.rowBytes());
      std::memcpy(target.Row(static_cast<int>(y)), row.data(), row.size());
    }
    return;
  }
  BinarySamples data(header.rest(), maximum);
  for (unsigned y = 0; y < height; ++y) {
    const auto source = data.Row(w * samples);
    std::uint8_t* row = target.Row(static_cast<int>(y));
    if (kind == 1) {
      for (std::size_t x = 0; x < w; ++x) row[x] = data.Sample(source, x);
    } else {
      for (std::size_t x = 0; x < w; ++x) {
        row[3 * x] = data.Sample(source, 3 * x + 2);
        row[3 * x + 1] = data.Sample(source, 3 * x + 1);
        row[3 * x + 2] = data.Sample(source, 3 * x);
      }
    }
  }
}

}  // namespace

const ReaderClass kPPMGraphic{"TPPMGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
