#pragma once
// The EXIF block of a JPEG source, parsed just deep enough to patch it: its
// byte order and where the picture's width, height and orientation lie.
// Nothing is re-encoded; the block's bytes stay the reader's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "metadata/byte_order_reader.h"
#include "readers/tiff_types.h"

namespace lumivo {

// TIFF type codes that matter here.
namespace tiff_type {
inline constexpr std::uint16_t kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kSByte = 6,
                               kUndefined = 7, kSShort = 8, kSLong = 9, kSRational = 10, kFloat = 11, kDouble = 12;
}

// The raw bytes of an entry as a number: integers from all bytes in the
// block's order (kept to 32 bits, signed), rationals as a quotient (0 when
// it fails), ASCII and UNDEFINED as 0.
double ConvertValue(std::span<const std::uint8_t> raw, std::uint16_t type, bool bigEndian);

enum class ExifProblem : std::uint8_t {
  None,
  Alignment,      // no "II" or "MM" at position 8
  DirectorySize,  // an entry table passes the block's end
};

// A width or height entry; `position` is its 4-byte value field.
struct DimensionEntry {
  std::size_t position = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  bool width = false;
  std::int32_t value = 0;
};

class ExifInfo final {
 public:
  // Positions in a walk that ever lead anywhere: directories and entries.
  static constexpr int kMaximumDirectories = 32;
  static constexpr int kMaximumEntries = 8192;

  // The stored EXIF section: its two length bytes, "Exif", two bytes, then
  // the TIFF header at position 8, to which every offset is relative.
  // Never throws; what cannot be read stays unset.
  explicit ExifInfo(std::span<const std::uint8_t> section);

  ExifProblem problem() const { return problem_; }
  bool bigEndian() const { return order_.bigEndian(); }

  // The last width and height entries met, 0 until one is.
  std::int32_t widthValue() const { return last(true) ? last(true)->value : 0; }
  std::int32_t heightValue() const { return last(false) ? last(false)->value : 0; }
  std::optional<std::size_t> widthPos() const { return last(true) ? std::optional(last(true)->position) : std::nullopt; }

  // IFD0's orientation, 0 without one.
  int orientation() const { return orientation_; }

  // Writes the output's size into every width and height entry that can
  // hold it (one SHORT or LONG), in the block's order, when both sizes are
  // known and differ. `section` is the stored section this was parsed from.
  void UpdateDimensionTags(std::span<std::uint8_t> section, int height, int width) const;
  // The picture was turned upright: orientation 2 to 8 becomes 1.
  void MarkUpright(std::span<std::uint8_t> section) const;

 private:
  void WalkDirectory(std::size_t dirPos, std::size_t basePos);
  void WalkSubDirectory(std::size_t valuePos, std::size_t basePos);
  void Remember(std::size_t entry, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                std::span<const std::uint8_t> raw, bool ifd0);
  const DimensionEntry* last(bool width) const;
  void WriteValue(std::span<std::uint8_t> section, std::size_t position, std::uint16_t type,
                  std::uint32_t value) const;

  ByteOrderReader order_;
  ExifProblem problem_ = ExifProblem::None;
  std::vector<DimensionEntry> dimensions_;
  int orientation_ = 0;
  std::size_t orientationPos_ = 0;
  std::uint16_t orientationType_ = 0;
  std::vector<std::size_t> walked_;  // directory positions, so none is walked twice
  int entries_ = 0;
};

}  // namespace lumivo
