#pragma once
// The variable-width LZW of GIF image data. Pixels come out in pieces of any
// length (a row at a time), so interlaced rows go straight to their place.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivo {

class TGIFLZWDecoder final {
 public:
  static constexpr int kMaxCodeSize = 8;  // pixels are bytes

  // `packed` is the image data with its sub-block sizes removed; it must
  // outlive the decoder. Throws Failure for an initial code size outside
  // 1..8, which no picture can have.
  TGIFLZWDecoder(int initialCodeSize, std::span<const std::uint8_t> packed);

  // Fills `pixels` with the next pixels and answers how many it wrote. Less
  // than asked means the data has ended: an end code, a code that cannot be
  // (corrupt data), or the packed bytes used up.
  std::size_t Decode(std::span<std::uint8_t> pixels);

 private:
  static constexpr int kMaxCodeWidth = 12;
  static constexpr int kTableSize = 1 << kMaxCodeWidth;
  static constexpr int kNone = -1;

  int NextCode();
  void Reset();
  // Writes the string of `code` into `target` (at least its length long).
  void Expand(int code, std::uint8_t* target) const;

  std::span<const std::uint8_t> packed_;
  std::size_t position_ = 0;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;

  int initialCodeSize_;
  int clearCode_;
  int endCode_;
  int codeWidth_ = 0;
  int nextFree_ = 0;
  int previous_ = kNone;
  bool ended_ = false;

  std::array<std::uint16_t, kTableSize> prefix_{};
  std::array<std::uint8_t, kTableSize> suffix_{};
  std::array<std::uint8_t, kTableSize> first_{};
  std::array<std::uint16_t, kTableSize> length_{};

  // The part of a string that did not fit into the caller's last piece.
  std::array<std::uint8_t, kTableSize> pending_{};
  std::size_t pendingStart_ = 0;
  std::size_t pendingEnd_ = 0;
};

}  // namespace lumivo
