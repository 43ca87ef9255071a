#pragma once
// Numbers inside an EXIF block, in the block's own byte order ("II" little-,
// "MM" big-endian). Every read is bounded by the block.

#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivo {

class ByteOrderReader {
 public:
  ByteOrderReader() = default;
  ByteOrderReader(std::span<const std::uint8_t> block, bool bigEndian) : block_(block), bigEndian_(bigEndian) {}

  bool bigEndian() const { return bigEndian_; }
  std::span<const std::uint8_t> block() const { return block_; }
  // True when `count` bytes from `position` lie inside the block.
  bool Holds(std::size_t position, std::size_t count) const;

  // Throw Failure when the value's bytes pass the block's end.
  std::uint16_t U16At(std::size_t position) const;
  std::uint32_t U32At(std::size_t position) const;

  // Into a byte string of the same layout (the block's stored bytes).
  void WriteU16(std::span<std::uint8_t> bytes, std::size_t position, std::uint16_t value) const;
  void WriteU32(std::span<std::uint8_t> bytes, std::size_t position, std::uint32_t value) const;

 private:
  std::span<const std::uint8_t> block_;
  bool bigEndian_ = false;
};

}  // namespace lumivo
