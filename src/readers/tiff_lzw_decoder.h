#pragma once
// LZW as TIFF writes it: codes most significant bit first, 9 to 12 bits
// wide, the width growing one code early, 256 clears and 257 ends.

#include <cstddef>
#include <cstdint>
#include <span>

#include "readers/decoder.h"

namespace lumivo {

class TTIFFLZWDecoder final : public TDecoder {
 public:
  // Decodes one strip or tile: every strip starts with a fresh table. Stops
  // at the end code, at the end of either buffer, or at a code that is not
  // defined yet; what is not reached keeps its content.
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;

 private:
  // A code's string always lies in the output already written, so an entry
  // is only where it was first written and how long it is.
  struct Entry {
    std::uint32_t offset;
    std::uint32_t length;
  };
  Entry table_[4096];
};

}  // namespace lumivo
