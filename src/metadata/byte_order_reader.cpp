#include "metadata/byte_order_reader.h"

#include "core/byte_reader.h"

namespace lumivo {

bool ByteOrderReader::Holds(std::size_t position, std::size_t count) const {
  return position <= block_.size() && count <= block_.size() - position;
}

std::uint16_t ByteOrderReader::U16At(std::size_t position) const {
  ByteReader reader(block_);
  reader.Seek(position);
  return reader.U16(bigEndian_);
}

std::uint32_t ByteOrderReader::U32At(std::size_t position) const {
  ByteReader reader(block_);
  reader.Seek(position);
  return reader.U32(bigEndian_);
}

void ByteOrderReader::WriteU16(std::span<std::uint8_t> bytes, std::size_t position, std::uint16_t value) const {
  if (position > bytes.size() || bytes.size() - position < 2) return;
  const auto high = static_cast<std::uint8_t>(value >> 8), low = static_cast<std::uint8_t>(value);
  bytes[position] = bigEndian_ ? high : low;
  bytes[position + 1] = bigEndian_ ? low : high;
}

void ByteOrderReader::WriteU32(std::span<std::uint8_t> bytes, std::size_t position, std::uint32_t value) const {
  if (position > bytes.size() || bytes.size() - position < 4) return;
  for (std::size_t i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint8_t>(value >> (8 * i));
    bytes[bigEndian_ ? position + 3 - i : position + i] = byte;
  }
}

}  // namespace lumivo
