#include "readers/tiff_lzw_decoder.h"

#include <cstring>

namespace lumivo {

namespace {

constexpr std::uint32_t kClear = 256;
constexpr std::uint32_t kEnd = 257;
constexpr std::uint32_t kFirstFree = 258;
constexpr std::uint32_t kTableSize = 4096;

// Bits most significant first from a bounded buffer; past the end it reads
// zeros and says so.
class MsbBits {
 public:
  explicit MsbBits(std::span<const std::uint8_t> bytes)
      : begin_(bytes.data()), data_(bytes.data()), end_(bytes.data() + bytes.size()) {}

  bool Take(int width, std::uint32_t& code) {
    if (count_ < width) {
      Refill();
      if (count_ < width) return false;
    }
    code = static_cast<std::uint32_t>(buffer_ >> (64 - width));
    buffer_ <<= width;
    count_ -= width;
    return true;
  }
  std::size_t consumed() const { return static_cast<std::size_t>(data_ - begin_) - count_ / 8; }

 private:
  void Refill() {
    if (end_ - data_ >= 8 && count_ <= 32) {
      // Four bytes at once while the data lasts.
      const std::uint64_t word = static_cast<std::uint64_t>(data_[0]) << 24 | data_[1] << 16 | data_[2] << 8 | data_[3];
      buffer_ |= word << (32 - count_);
      count_ += 32;
      data_ += 4;
    }
    while (count_ <= 56 && data_ < end_) {
      buffer_ |= static_cast<std::uint64_t>(*data_++) << (56 - count_);
      count_ += 8;
    }
  }

  const std::uint8_t* begin_;
  const std::uint8_t* data_;
  const std::uint8_t* end_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

}  // namespace

DecodedBlock TTIFFLZWDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  MsbBits bits(packed);
  std::uint8_t* const out = unpacked.data();
  const std::size_t limit = unpacked.size();
  std::size_t written = 0;
  std::uint32_t next = kFirstFree;
  int width = 9;
  bool havePrevious = false;
  Entry previous{0, 0};

  std::uint32_t code;
  while (written < limit && bits.Take(width, code)) {
    if (code == kEnd) break;
    if (code == kClear) {
      next = kFirstFree;
      width = 9;
      havePrevious = false;
      continue;
    }
    Entry current;
    if (code < 256) {
      out[written] = static_cast<std::uint8_t>(code);
      current = {static_cast<std::uint32_t>(written), 1};
    } else if (code < next && code >= kFirstFree) {
      current = table_[code];
      if (current.length <= 16 && limit - written >= 16) {
        // Most strings are short: one fixed 16-byte copy through a register
        // beats a call. Bytes past the string are written again later.
        std::uint8_t chunk[16];
        std::memcpy(chunk, out + current.offset, 16);
        std::memcpy(out + written, chunk, 16);
      } else {
        std::memcpy(out + written, out + current.offset, std::min<std::size_t>(current.length, limit - written));
      }
      current.offset = static_cast<std::uint32_t>(written);
    } else if (code == next && havePrevious) {
      // The string being defined right now: the previous one and its own
      // first byte. The copy overlaps its source, so it goes byte by byte.
      const std::size_t length = std::min<std::size_t>(previous.length + 1, limit - written);
      for (std::size_t i = 0; i < length; ++i) out[written + i] = out[previous.offset + i];
      current = {static_cast<std::uint32_t>(written), previous.length + 1};
    } else {
      break;  // undefined code: the data is broken here
    }
    if (havePrevious && next < kTableSize) {
      table_[next++] = {previous.offset, previous.length + 1};
      if (next + 1 >= (1u << width) && width < 12) ++width;
    }
    written += std::min<std::size_t>(current.length, limit - written);
    previous = current;
    havePrevious = true;
  }
  return {bits.consumed(), written};
}

}  // namespace lumivo
