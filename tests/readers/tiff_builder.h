#pragma once
// Small TIFF files made in code for the reader tests: a header, the strips
// and one directory, with the strip offsets and byte counts filled in.

#include <cstdint>
#include <vector>

namespace lumivo::test {

struct TiffTag {
  std::uint16_t tag;
  std::uint16_t type;  // 1 BYTE, 3 SHORT, 4 LONG, 7 UNDEFINED
  std::vector<std::uint32_t> values;
};

struct TiffBuilder {
  bool bigEndian = false;
  std::vector<TiffTag> tags;  // any order; 273 and 279 are added from `strips`
  std::vector<std::vector<std::uint8_t>> strips;
  bool withStrips = true;

  std::vector<std::uint8_t> Build() const;
};

// An RGB or grey picture's usual tags: width, height, bits, samples,
// photometric, compression, rows per strip.
TiffBuilder BasicTiff(std::uint32_t width, std::uint32_t height, std::uint32_t samples, std::uint32_t bits,
                      std::uint32_t compression, std::uint32_t rowsPerStrip);

// LZW data that a TIFF decoder reads back as `bytes`: every byte a literal
// 9-bit code, the table cleared before it would grow the code width.
std::vector<std::uint8_t> LiteralLzw(const std::vector<std::uint8_t>& bytes);

}  // namespace lumivo::test
