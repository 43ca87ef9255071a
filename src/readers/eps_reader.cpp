
#include <array>

#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "readers/tiff_failure.h"
#include "readers/tiff_image.h"

namespace lumivo {

namespace {

// The binary header of an EPS file: marker, then start and length of the
// PostScript, the metafile preview and the TIFF preview.
constexpr std::size_t kHeaderSize = 30;
constexpr std::size_t kTiffStartAt = 20;
constexpr std::size_t kTiffLengthAt = 24;

bool HasMarker(const std::uint8_t* h) { return h[0] == 0xC5 && h[1] == 0xD0 && h[2] == 0xD3 && h[3] == 0xC6; }

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, kHeaderSize> h;
  if (!PeekHeader(stream, h)) return false;
  const std::uint64_t position = static_cast<std::uint64_t>(stream.tellg());
  return HasMarker(h.data()) && position + kHeaderSize < LoadU32LE(&h[kTiffStartAt]) &&
         LoadU32LE(&h[kTiffLengthAt]) > 0;
}

// Only the preview is read, through the TIFF reader, bounded by its length.
void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  if (bytes.size() < kHeaderSize || !HasMarker(bytes.data())) FailTiff();
  const std::size_t start = LoadU32LE(&bytes[kTiffStartAt]), length = LoadU32LE(&bytes[kTiffLengthAt]);
  if (start >= bytes.size() || length == 0) FailTiff();
  LoadTiffImage(bytes.subspan(start, std::min(length, bytes.size() - start)), target);
}

}  // namespace

const ReaderClass kEPSGraphic{"TEPSGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
