
#include <algorithm>
#include <array>
#include <vector>

#include "core/checked_math.h"
#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "readers/run_length_decoders.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 512> h;
  if (!PeekHeader(stream, h)) return false;
  return LoadU16BE(&h[0]) == 474 && OneOf(h[3], {1, 2}) && OneOf(LoadU16BE(&h[4]), {1, 2, 3});
}

constexpr std::string_view kFormat = "sgi, bw or rgb(a)";
constexpr std::size_t kHeaderSize = 512;

// The rows of one channel, stored bottom row first, verbatim or run-length
// coded with tables of row starts and sizes.
class ChannelRows {
 public:
  ChannelRows(std::span<const std::uint8_t> bytes, bool runLength, std::size_t height, std::size_t channels,
              std::size_t rowBytes, int sampleBits)
      : bytes_(bytes), height_(height), rowBytes_(rowBytes), decoder_(sampleBits) {
    if (!runLength) return;
    ByteReader in(bytes);
    in.Seek(kHeaderSize);
    const auto entries = CheckedMul(height, channels);
    if (!entries || *entries > in.remaining() / 8) ThrowDataEnd();
    starts_.resize(*entries);
    sizes_.resize(*entries);
    for (auto& start : starts_) start = in.U32BE();
    for (auto& size : sizes_) size = in.U32BE();
  }

  // Channel c of stored row r into `samples` (rowBytes bytes).
  void Read(std::size_t c, std::size_t r, std::span<std::uint8_t> samples) {
    const std::size_t index = c * height_ + r;
    if (starts_.empty()) {
      const auto start = CheckedMul(index, rowBytes_);
      ByteReader in(bytes_);
      in.Seek(kHeaderSize);
      if (!start) ThrowDataEnd();
      in.Skip(*start);
      in.Read(samples.data(), rowBytes_);
      return;
    }
    if (starts_[index] >= bytes_.size()) ThrowDataEnd();
    const auto packed = bytes_.subspan(starts_[index]);
    // A row that ends early (at its zero count) leaves black samples.
    std::fill(samples.begin(), samples.end(), std::uint8_t{0});
    decoder_.DecodeBlock(packed.first(std::min<std::size_t>(sizes_[index], packed.size())), samples);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t height_;
  std::size_t rowBytes_;
  TSGIRLEDecoder decoder_;
  std::vector<std::uint32_t> starts_, sizes_;
};

// One channel is grey; two are grey and alpha, three RGB, four RGBA; more
// are read as four.
void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto h = in.Bytes(kHeaderSize);
  const int sampleBytes = h[3];
  if (LoadU16BE(&h[0]) != 474 || (sampleBytes != 1 && sampleBytes != 2)) InvalidImageFormat(kFormat);
  const bool runLength = h[2] == 1;
  const int width = LoadU16BE(&h[6]), height = LoadU16BE(&h[8]);
  const int stored = h[11];  // the low byte of the channel count
  if (stored == 0) InvalidImageFormat(kFormat);
  const int channels = std::min(stored, 4);

  static constexpr std::array<ColorLayout, 4> kSource = {ColorLayout::Grey, ColorLayout::GreyAlpha, ColorLayout::RGB,
                                                         ColorLayout::RGBA};
  static constexpr std::array<ColorLayout, 4> kTarget = {ColorLayout::Grey, ColorLayout::BGRA, ColorLayout::BGR,
                                                         ColorLayout::BGRA};
  TColorManager colours;
  colours.SetSource(kSource[channels - 1], 8 * sampleBytes);
  colours.SetSourceByteSwap(true);
  colours.SetTarget(kTarget[channels - 1], 8);
  AllocatePicture(target, width, height, *colours.PixelFormatFor(TColorManager::Side::Target));
  if (channels == 1) target.palette() = colours.MakeGreyPalette(false);
  target.setTransparent(channels == 2 || channels == 4);

  const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(sampleBytes);
  ChannelRows rows(bytes, runLength, static_cast<std::size_t>(height), static_cast<std::size_t>(stored), rowBytes,
                   8 * sampleBytes);
  std::vector<std::uint8_t> buffer(rowBytes * static_cast<std::size_t>(channels));
  std::array<std::span<const std::uint8_t>, 4> planes;
  for (int c = 0; c < channels; ++c) planes[c] = std::span(buffer).subspan(c * rowBytes, rowBytes);
  for (int r = 0; r < height; ++r) {
    for (int c = 0; c < channels; ++c)
      rows.Read(static_cast<std::size_t>(c), static_cast<std::size_t>(r), std::span(buffer).subspan(c * rowBytes, rowBytes));
    colours.ConvertRow(std::span(planes).first(static_cast<std::size_t>(channels)),
                       std::span(target.Row(height - 1 - r), target.rowBytes()), static_cast<std::size_t>(width));
  }
}

}  // namespace

const ReaderClass kSGIGraphic{"TSGIGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
