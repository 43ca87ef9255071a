#pragma once
// A TIFF header and one image file directory: the entries sorted by tag so
// that a tag is found by bisection, every value read in the file's byte
// order and only from inside the file.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumivo {

struct TiffEntry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::array<std::uint8_t, 4> field{};  // the value or its offset, as stored
};

class TiffDirectory {
 public:
  // `bytes` start at the TIFF header (an EPS preview starts inside its
  // file). Nothing when the header is not a TIFF header or the chain of
  // directories ends, or runs in a circle, before image `index`. Throws
  // Failure when a directory lies outside the file.
  static std::optional<TiffDirectory> Read(std::span<const std::uint8_t> bytes, int index);

  bool bigEndian() const { return bigEndian_; }
  const std::vector<TiffEntry>& entries() const { return entries_; }
  const TiffEntry* Find(std::uint16_t tag) const;

  // The first value of an integer tag; `fallback` when the tag is missing,
  // empty or not of an integer type.
  std::uint32_t Integer(std::uint16_t tag, std::uint32_t fallback) const;
  // Every value of an integer tag (empty when missing). These and the
  // readers below throw Failure when the values lie outside the file.
  std::vector<std::uint32_t> Integers(std::uint16_t tag) const;
  // The values of a BYTE or UNDEFINED tag as they are in the file.
  std::span<const std::uint8_t> Bytes(std::uint16_t tag) const;
  // RATIONAL and SRATIONAL as quotients, FLOAT, DOUBLE and integers as they are.
  std::vector<double> Reals(std::uint16_t tag) const;

 private:
  std::span<const std::uint8_t> Values(const TiffEntry& entry) const;

  std::span<const std::uint8_t> file_;
  bool bigEndian_ = false;
  std::vector<TiffEntry> entries_;
};

// Bytes a value of the TIFF type takes; 0 for a type we do not know.
std::size_t TiffTypeSize(std::uint16_t type);

}  // namespace lumivo
