#pragma once
// JPEG-compressed TIFF strips and tiles (compression 7): each is a JPEG
// stream of its own that may leave its tables to tag 347.

#include <cstdint>
#include <span>
#include <vector>

#include "core/bitmap.h"
#include "readers/decoder.h"

namespace lumivo {

class TTIFFJPEGDecoder final : public TDecoder {
 public:
  // blockWidth: pixels of a strip or tile row; rows come out as BGR.
  TTIFFJPEGDecoder(std::span<const std::uint8_t> tables, std::uint32_t blockWidth)
      : tables_(tables), blockWidth_(blockWidth) {}

  // Throws Failure with the JPEG decoder's message when the data is broken.
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;

 private:
  std::span<const std::uint8_t> tables_;
  std::uint32_t blockWidth_;
  std::vector<std::uint8_t> stream_;
  Bitmap picture_;
};

}  // namespace lumivo
