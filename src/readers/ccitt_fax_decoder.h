#pragma once
// Fax pictures as TIFF stores them (ITU-T T.4): modified Huffman rows, and
// group 3 rows after end-of-line codes, one- or two-dimensionally coded.
// Output rows are one bit a pixel, leftmost in the high bit, 1 for black.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "readers/decoder.h"

namespace lumivo {

class TCCITTDecoder : public TDecoder {
 public:
  // Decodes rows of (width + 7) / 8 bytes until the unpacked buffer is full
  // or the data ends; a row that cannot be decoded keeps what was read of it
  // and the next end-of-line code, where there is one, starts afresh.
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;

 protected:
  enum class Coding : std::uint8_t { ModifiedHuffman, Group3 };
  // options: the T.4 options of tag 292 (bit 0 two-dimensional, bit 1
  // uncompressed mode, bit 2 end-of-line codes padded to a byte boundary).
  TCCITTDecoder(Coding coding, std::uint32_t options, std::uint32_t width, bool reversedBitOrder, bool wordAligned);

 private:
  class Bits;
  bool DecodeRow(Bits& bits, bool twoDimensional);
  bool DecodeRow1D(Bits& bits);
  bool DecodeRow2D(Bits& bits);

  Coding coding_;
  std::uint32_t options_;
  int width_;
  bool reversed_;
  bool wordAligned_;
  // Changing elements (positions where the colour flips, white first) of the
  // row being decoded and of the row above; two width sentinels end each.
  std::vector<int> current_, reference_;
};

// Compression 2 and, word-aligned, 32771: rows start on a byte (or 16-bit
// word) boundary, no end-of-line codes.
class TCCITTMHDecoder final : public TCCITTDecoder {
 public:
  TCCITTMHDecoder(std::uint32_t options, std::uint32_t width, bool reversedBitOrder, bool wordAligned = false)
      : TCCITTDecoder(Coding::ModifiedHuffman, options, width, reversedBitOrder, wordAligned) {}
};

// Compression 3: rows after end-of-line codes, 2D coded with option bit 0.
class TCCITTFax3Decoder final : public TCCITTDecoder {
 public:
  TCCITTFax3Decoder(std::uint32_t options, std::uint32_t width, bool reversedBitOrder)
      : TCCITTDecoder(Coding::Group3, options, width, reversedBitOrder, false) {}
};

}  // namespace lumivo
