#pragma once
// ThunderScan 4-bit grey: two pixels a byte, high nibble first; each packed
// byte is a run of the last pixel, two or three small steps from it, or one
// raw value. Rows start afresh from pixel value 0.

#include "readers/decoder.h"

namespace lumivo {

class TThunderDecoder final : public TDecoder {
 public:
  explicit TThunderDecoder(std::size_t rowWidth) : rowWidth_(rowWidth) {}  // bytes per unpacked row
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;

 private:
  std::size_t rowWidth_;
};

}  // namespace lumivo
