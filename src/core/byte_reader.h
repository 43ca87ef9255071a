#pragma once
// The one bounded reader every reader and parser uses: it never reads past
// the bytes it has, and fails with an error instead.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/result.h"

namespace lumivo {

// The failure of data that ends before what it announces: what the byte
// reader throws, and what decoders' callers throw when the packed data runs
// out before the pixels are complete.
[[noreturn]] void ThrowDataEnd();

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  std::size_t position() const { return position_; }
  std::size_t remaining() const { return bytes_.size() - position_; }
  bool has(std::size_t count) const { return count <= remaining(); }

  void Seek(std::size_t position) {
    if (position > bytes_.size()) Fail();
    position_ = position;
  }
  void Skip(std::size_t count) {
    if (!has(count)) Fail();
    position_ += count;
  }

  std::span<const std::uint8_t> Bytes(std::size_t count) {
    if (!has(count)) Fail();
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
  }
  void Read(void* target, std::size_t count) {
    const auto part = Bytes(count);
    if (count) std::memcpy(target, part.data(), count);
  }

  std::uint8_t U8() { return Bytes(1)[0]; }
  std::uint16_t U16LE() { const auto b = Bytes(2); return static_cast<std::uint16_t>(b[0] | b[1] << 8); }
  std::uint16_t U16BE() { const auto b = Bytes(2); return static_cast<std::uint16_t>(b[0] << 8 | b[1]); }
  std::uint32_t U32LE() {
    const auto b = Bytes(4);
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }
  std::uint32_t U32BE() {
    const auto b = Bytes(4);
    return static_cast<std::uint32_t>(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
  }
  std::uint16_t U16(bool bigEndian) { return bigEndian ? U16BE() : U16LE(); }
  std::uint32_t U32(bool bigEndian) { return bigEndian ? U32BE() : U32LE(); }

 private:
  [[noreturn]] static void Fail() { ThrowDataEnd(); }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Little helpers on a header already in hand (content tests read fixed-size
// headers and then look at offsets inside them).
inline std::uint16_t LoadU16LE(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint16_t LoadU16BE(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }
inline std::uint32_t LoadU32LE(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint32_t LoadU32BE(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace lumivo
