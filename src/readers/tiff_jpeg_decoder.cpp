#include "readers/tiff_jpeg_decoder.h"

#include <algorithm>
#include <cstring>

#include "readers/jpeg_decoding.h"

namespace lumivo {

namespace {

bool EndsWithEndOfImage(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[bytes.size() - 2] == 0xFF && bytes.back() == 0xD9;
}

}  // namespace

DecodedBlock TTIFFJPEGDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  std::span<const std::uint8_t> stream = packed;
  if (LooksLikeJpeg(tables_) && LooksLikeJpeg(packed)) {
    // The tables' stream without its end, then the strip's without its start.
    const std::size_t tables = tables_.size() - (EndsWithEndOfImage(tables_) ? 2 : 0);
    stream_.assign(tables_.begin(), tables_.begin() + static_cast<std::ptrdiff_t>(tables));
    stream_.insert(stream_.end(), packed.begin() + 2, packed.end());
    stream = stream_;
  }
  if (const auto decoded = DecodeJpeg(stream, picture_); !decoded) {
    if (decoded.kind() == ErrorKind::TooLarge) throw TooLarge(decoded.message());
    throw Failure(decoded.message());
  }
  const std::size_t rowBytes = std::size_t{blockWidth_} * 3;
  const std::size_t copy = std::min(rowBytes, static_cast<std::size_t>(picture_.width()) * 3);
  const std::size_t rows = std::min(unpacked.size() / rowBytes, static_cast<std::size_t>(picture_.height()));
  for (std::size_t y = 0; y < rows; ++y) {
    std::uint8_t* out = unpacked.data() + y * rowBytes;
    std::memcpy(out, picture_.Row(static_cast<int>(y)), copy);
    std::memset(out + copy, 0, rowBytes - copy);
  }
  return {packed.size(), rows * rowBytes};
}

}  // namespace lumivo
