#include "platform/metafile_records.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/bitmap.h"
#include "core/byte_reader.h"

namespace lumivo::platform {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::size_t kWindowsHeaderSize = 18;
constexpr std::uint32_t kEnhancedSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kEnhancedHeaderType = 1;
constexpr std::uint32_t kEnhancedEndType = 14;
constexpr std::size_t kEnhancedHeaderSize = 88;

// Bitmaps inside records announce their own size; the libraries allocate
// and walk what they announce. A bitmap must fit the pixel limit, and its
// rows, unless run-length coded, must be in the record.
bool DibIsSound(std::span<const std::uint8_t> info, std::size_t dataBytes) {
  if (info.size() < 12) return false;
  const std::uint32_t headerSize = LoadU32LE(info.data());
  std::int64_t width = 0, height = 0, bits = 0, compression = 0;
  if (headerSize == 12) {
    width = LoadU16LE(&info[4]);
    height = LoadU16LE(&info[6]);
    bits = LoadU16LE(&info[10]);
  } else {
    // The header sizes Windows knows, all inside the record.
    if (!(headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 || headerSize == 108 ||
          headerSize == 124) ||
        headerSize > info.size())
      return false;
    width = static_cast<std::int32_t>(LoadU32LE(&info[4]));
    height = static_cast<std::int32_t>(LoadU32LE(&info[8]));
    bits = LoadU16LE(&info[14]);
    compression = LoadU32LE(&info[16]);
    // libwmf allocates the colour table it announces: it must be there.
    const std::uint64_t coloursUsed = LoadU32LE(&info[32]);
    if (coloursUsed * 4 > info.size() - headerSize) return false;
  }
  // Only the height has a sign (top-down rows); libwmf takes a negative
  // width for four thousand million pixels.
  if (width < 0) return false;
  if (height < 0) height = -height;
  if (!CheckPictureSize(width, height) || bits > 32) return false;
  constexpr std::int64_t kMostPixelsPerRunByte = 128;
  if (compression == 1 || compression == 2)
    return width * height <= kMostPixelsPerRunByte * static_cast<std::int64_t>(dataBytes);
  if (compression != 0 && compression != 3) return true;  // JPEG or PNG inside: the library decides
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  return stride * height <= static_cast<std::int64_t>(dataBytes);
}

// Windows metafile records that carry a device-independent bitmap, with the
// bitmap's offset in the record. The bits follow the bitmap's header and
// colour table up to the record's end.
constexpr std::array<std::pair<std::uint16_t, std::size_t>, 5> kWindowsBitmapRecords{{
    {0x0F43, 28},  // StretchDIB
    {0x0B41, 26},  // DIBStretchBlt
    {0x0940, 22},  // DIBBitBlt
    {0x0D33, 24},  // SetDIBToDev
    {0x0142, 10},  // DIBCreatePatternBrush
}};

bool WindowsBitmapIsSound(std::span<const std::uint8_t> record, std::uint16_t function) {
  for (const auto& [type, at] : kWindowsBitmapRecords) {
    if (type != function) continue;
    if (record.size() <= at) return true;  // the form without a bitmap
    // The colour table lies between header and bits; counting it as bits
    // errs only on the generous side.
    return DibIsSound(record.subspan(at), record.size() - at);
  }
  return true;
}

// Enhanced metafile records with a source bitmap, and where in the record
// its offsets and sizes (header, then bits) stand.
constexpr std::array<std::pair<std::uint32_t, std::size_t>, 10> kEnhancedBitmapRecords{{
    {76, 84}, {77, 84}, {78, 84}, {114, 84}, {116, 84},  // BitBlt, StretchBlt, MaskBlt, AlphaBlend, TransparentBlt
    {79, 96},                                            // PlgBlt
    {80, 48}, {81, 48},                                  // SetDIBitsToDevice, StretchDIBits
    {93, 16}, {94, 16},                                  // CreateMonoBrush, CreateDIBPatternBrushPt
}};

bool EnhancedBitmapIsSound(std::span<const std::uint8_t> record, std::uint32_t type) {
  for (const auto& [kind, at] : kEnhancedBitmapRecords) {
    if (kind != type) continue;
    if (record.size() < at + 16) return false;
    const std::uint64_t infoAt = LoadU32LE(&record[at]), infoSize = LoadU32LE(&record[at + 4]);
    const std::uint64_t bitsAt = LoadU32LE(&record[at + 8]), bitsSize = LoadU32LE(&record[at + 12]);
    if (infoSize == 0) return true;  // a blit without a source
    if (infoAt + infoSize > record.size() || bitsAt + bitsSize > record.size()) return false;
    return DibIsSound(record.subspan(infoAt, infoSize), bitsSize);
  }
  return true;
}

std::size_t WindowsHeaderAt(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 4 && LoadU32LE(bytes.data()) == kPlaceableKey ? kPlaceableHeaderSize : 0;
}

bool IsWindowsHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (bytes.size() < at + kWindowsHeaderSize) return false;
  const std::uint8_t* h = bytes.data() + at;
  const std::uint16_t type = LoadU16LE(h), headerWords = LoadU16LE(h + 2), version = LoadU16LE(h + 4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

bool WindowsRecordsAreSound(std::span<const std::uint8_t> bytes) {
  std::size_t at = WindowsHeaderAt(bytes) + kWindowsHeaderSize;
  while (at + 6 <= bytes.size()) {
    const std::uint64_t words = LoadU32LE(&bytes[at]);
    const std::uint16_t function = LoadU16LE(&bytes[at + 4]);
    if (words < 3 || words * 2 > bytes.size() - at) return false;
    if (function == 0) return words == 3;
    if (!WindowsBitmapIsSound(bytes.subspan(at, static_cast<std::size_t>(words * 2)), function)) return false;
    at += static_cast<std::size_t>(words * 2);
  }
  return false;
}

bool EnhancedRecordsAreSound(std::span<const std::uint8_t> bytes) {
  std::size_t at = 0;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t type = LoadU32LE(&bytes[at]);
    const std::uint32_t size = LoadU32LE(&bytes[at + 4]);
    if (size < 8 || size % 4 || size > bytes.size() - at) return false;
    if (at == 0 && (type != kEnhancedHeaderType || size < kEnhancedHeaderSize)) return false;
    if (type == kEnhancedEndType) return true;
    if (!EnhancedBitmapIsSound(bytes.subspan(at, size), type)) return false;
    at += size;
  }
  return false;
}

constexpr std::uint16_t kSetWindowOrigin = 0x020B;
constexpr std::uint16_t kSetWindowExtent = 0x020C;

}  // namespace

bool IsPlaceable(std::span<const std::uint8_t> bytes) { return WindowsHeaderAt(bytes) != 0; }

void SetLongestRecord(std::span<std::uint8_t> bytes) {
  const std::size_t header = WindowsHeaderAt(bytes);
  if (!IsWindowsHeader(bytes, header)) return;
  std::uint32_t longest = 3;
  std::size_t at = header + kWindowsHeaderSize;
  while (at + 6 <= bytes.size()) {
    const std::uint32_t words = LoadU32LE(&bytes[at]);
    if (words < 3 || std::uint64_t{words} * 2 > bytes.size() - at) break;
    longest = std::max(longest, words);
    at += std::size_t{words} * 2;
  }
  for (int i = 0; i < 4; ++i) bytes[header + 12 + i] = static_cast<std::uint8_t>(longest >> (8 * i));
}

std::optional<LogicalWindow> WindowOf(std::span<const std::uint8_t> bytes) {
  std::optional<LogicalWindow> window;
  bool haveOrigin = false;
  LogicalWindow found;
  std::size_t at = WindowsHeaderAt(bytes) + kWindowsHeaderSize;
  while (at + 10 <= bytes.size()) {
    const std::uint64_t words = LoadU32LE(&bytes[at]);
    const std::uint16_t function = LoadU16LE(&bytes[at + 4]);
    if (words < 3 || words * 2 > bytes.size() - at || function == 0) break;
    // Both records hold y before x.
    const auto y = static_cast<std::int16_t>(LoadU16LE(&bytes[at + 6]));
    const auto x = static_cast<std::int16_t>(LoadU16LE(&bytes[at + 8]));
    if (function == kSetWindowOrigin && !haveOrigin && words >= 5) {
      found.left = x;
      found.top = y;
      haveOrigin = true;
    } else if (function == kSetWindowExtent && !window && words >= 5) {
      found.width = x;
      found.height = y;
      window = found;
    }
    at += static_cast<std::size_t>(words * 2);
  }
  if (window && haveOrigin) {
    window->left = found.left;
    window->top = found.top;
  }
  return window;
}

MetafileKind MetafileKindOf(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= kEnhancedHeaderSize && LoadU32LE(bytes.data()) == kEnhancedHeaderType &&
      LoadU32LE(&bytes[40]) == kEnhancedSignature)
    return MetafileKind::Enhanced;
  if (IsWindowsHeader(bytes, WindowsHeaderAt(bytes))) return MetafileKind::Windows;
  return MetafileKind::None;
}

bool RecordsAreSound(std::span<const std::uint8_t> bytes, MetafileKind kind) {
  switch (kind) {
    case MetafileKind::Windows: return WindowsRecordsAreSound(bytes);
    case MetafileKind::Enhanced: return EnhancedRecordsAreSound(bytes);
    case MetafileKind::None: break;
  }
  return false;
}

std::optional<PixelSize> EnhancedFrameSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kEnhancedHeaderSize) return std::nullopt;
  auto coordinate = [&](std::size_t at) { return static_cast<std::int64_t>(static_cast<std::int32_t>(LoadU32LE(&bytes[at]))); };
  const std::int64_t width = coordinate(32) - coordinate(24);
  const std::int64_t height = coordinate(36) - coordinate(28);
  if (width < 0 || height < 0) return std::nullopt;
  // Hundredths of a millimetre at 96 dots per inch: 2540 of them an inch.
  return PixelSize{(width * 96 + 1270) / 2540, (height * 96 + 1270) / 2540};
}

}  // namespace lumivo::platform
