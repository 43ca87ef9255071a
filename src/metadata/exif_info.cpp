#include "metadata/exif_info.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "core/checked_math.h"
#include "core/result.h"
#include "core/rounding.h"

namespace lumivo {

namespace {

constexpr std::size_t kTiffHeader = 8;  // offsets count from here

constexpr std::uint16_t kImageWidth = 0x100, kImageLength = 0x101, kOrientation = 0x112, kSubIfds = 0x14A,
                        kExifOffset = 0x8769, kGpsInfo = 0x8825, kExifImageWidth = 0xA002,
                        kExifImageLength = 0xA003, kInteroperabilityOffset = 0xA005;

// All bytes in the block's order, kept to the low 32 bits.
std::uint32_t Integer(std::span<const std::uint8_t> raw, bool bigEndian) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (bigEndian)
      value = value << 8 | raw[i];
    else if (i < 4)
      value |= static_cast<std::uint32_t>(raw[i]) << (8 * i);
  }
  return value;
}

std::int32_t Rounded(double value) {
  if (!std::isfinite(value)) return 0;
  const long double clamped = std::clamp<long double>(value, INT32_MIN, INT32_MAX);
  return static_cast<std::int32_t>(RoundTiesEven(clamped));
}

}  // namespace

double ConvertValue(std::span<const std::uint8_t> raw, std::uint16_t type, bool bigEndian) {
  using namespace tiff_type;
  switch (type) {
    case kByte: case kShort: case kLong: case kSByte: case kSShort: case kSLong:
      return static_cast<std::int32_t>(Integer(raw, bigEndian));
    case kRational: case kSRational: {
      if (raw.size() < 8) return 0;
      const std::uint32_t numerator = Integer(raw.first(4), bigEndian);
      const std::uint32_t denominator = Integer(raw.subspan(4, 4), bigEndian);
      if (denominator == 0) return 0;
      if (type == kRational) return static_cast<double>(numerator) / denominator;
      return static_cast<double>(static_cast<std::int32_t>(numerator)) / static_cast<std::int32_t>(denominator);
    }
    case kFloat:
      return raw.size() < 4 ? 0 : std::bit_cast<float>(Integer(raw.first(4), bigEndian));
    case kDouble: {
      if (raw.size() < 8) return 0;
      const std::uint64_t high = Integer(raw.first(4), bigEndian), low = Integer(raw.subspan(4, 4), bigEndian);
      return std::bit_cast<double>(bigEndian ? high << 32 | low : low << 32 | high);
    }
    default:
      return 0;
  }
}

ExifInfo::ExifInfo(std::span<const std::uint8_t> section) {
  if (section.size() < kTiffHeader + 2) {
    problem_ = ExifProblem::Alignment;
    return;
  }
  const std::uint8_t first = section[kTiffHeader], second = section[kTiffHeader + 1];
  if (first != second || (first != 'I' && first != 'M')) {
    problem_ = ExifProblem::Alignment;
    return;
  }
  order_ = ByteOrderReader(section, first == 'M');
  if (!order_.Holds(kTiffHeader + 4, 4)) {
    problem_ = ExifProblem::DirectorySize;
    return;
  }
  std::uint32_t offset = order_.U32At(kTiffHeader + 4);
  if (offset == 0) offset = kTiffHeader;  // taken as the header's own size
  try {
    WalkDirectory(std::size_t{offset} + kTiffHeader, kTiffHeader);
  } catch (const Failure&) {
    // A read past the block ends the walk; what was found stays.
  }
}

void ExifInfo::WalkDirectory(std::size_t dirPos, std::size_t basePos) {
  if (static_cast<int>(walked_.size()) >= kMaximumDirectories) return;
  // A pointer back to a directory walked before (its own parent, say) ends here.
  if (std::find(walked_.begin(), walked_.end(), dirPos) != walked_.end()) return;
  const bool ifd0 = walked_.empty();
  walked_.push_back(dirPos);

  const std::size_t blockSize = order_.block().size();
  if (!order_.Holds(dirPos, 2)) {
    problem_ = ExifProblem::DirectorySize;
    return;
  }
  const std::size_t count = order_.U16At(dirPos);
  const auto tableEnd = CheckedAdd(dirPos + 2, 12 * count);
  if (!tableEnd || *tableEnd > blockSize) {
    problem_ = ExifProblem::DirectorySize;
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (++entries_ > kMaximumEntries) return;
    const std::size_t entry = dirPos + 2 + 12 * i;
    const std::uint16_t tag = order_.U16At(entry);
    const std::uint16_t type = order_.U16At(entry + 2);
    const std::uint32_t values = order_.U32At(entry + 4);
    const auto byteCount = CheckedMul(values, TiffTypeSize(type));
    if (!byteCount || *byteCount == 0) continue;
    std::size_t valuePos = entry + 8;
    if (*byteCount > 4) {
      const auto at = CheckedAdd(order_.U32At(entry + 8), basePos);
      if (!at) continue;
      valuePos = *at;
    }
    // Cut short at the block's end; a position outside it reads nothing.
    const std::span<const std::uint8_t> raw =
        valuePos < blockSize ? order_.block().subspan(valuePos, std::min(*byteCount, blockSize - valuePos))
                             : std::span<const std::uint8_t>{};
    switch (tag) {
      case kSubIfds:
      case kExifOffset:
      case kInteroperabilityOffset:
      case kGpsInfo:
        WalkSubDirectory(valuePos, basePos);
        break;
      default:
        if (raw.size() == *byteCount) Remember(entry, tag, type, values, raw, ifd0);
        break;
    }
  }
}

void ExifInfo::WalkSubDirectory(std::size_t valuePos, std::size_t basePos) {
  try {
    if (const auto at = CheckedAdd(order_.U32At(valuePos), basePos)) WalkDirectory(*at, basePos);
  } catch (const Failure&) {
    // A broken sub-directory ends its own walk; the parent goes on.
  }
}

void ExifInfo::Remember(std::size_t entry, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                        std::span<const std::uint8_t> raw, bool ifd0) {
  const std::int32_t value = Rounded(ConvertValue(raw, type, order_.bigEndian()));
  switch (tag) {
    case kImageWidth:
    case kExifImageWidth:
      dimensions_.push_back({entry + 8, type, count, true, value});
      break;
    case kImageLength:
    case kExifImageLength:
      dimensions_.push_back({entry + 8, type, count, false, value});
      break;
    case kOrientation:
      if (ifd0 && count == 1 && (type == tiff_type::kShort || type == tiff_type::kLong)) {
        orientation_ = value;
        orientationPos_ = entry + 8;
        orientationType_ = type;
      }
      break;
    default:
      break;
  }
}

const DimensionEntry* ExifInfo::last(bool width) const {
  for (auto it = dimensions_.rbegin(); it != dimensions_.rend(); ++it)
    if (it->width == width) return &*it;
  return nullptr;
}

void ExifInfo::WriteValue(std::span<std::uint8_t> section, std::size_t position, std::uint16_t type,
                          std::uint32_t value) const {
  if (type == tiff_type::kShort && value <= 0xFFFF) {
    order_.WriteU16(section, position, static_cast<std::uint16_t>(value));
    order_.WriteU16(section, position + 2, 0);
  } else if (type == tiff_type::kLong) {
    order_.WriteU32(section, position, value);
  }
}

void ExifInfo::UpdateDimensionTags(std::span<std::uint8_t> section, int height, int width) const {
  if (widthValue() <= 0 || heightValue() <= 0 || width <= 0 || height <= 0) return;
  // Every entry, not only the last: a stale IFD0 width beside a patched
  // Exif one would misstate the picture.
  for (const DimensionEntry& entry : dimensions_) {
    const int wanted = entry.width ? width : height;
    if (entry.value == wanted || entry.count != 1) continue;  // a value elsewhere has no room in the field
    WriteValue(section, entry.position, entry.type, static_cast<std::uint32_t>(wanted));
  }
}

void ExifInfo::MarkUpright(std::span<std::uint8_t> section) const {
  if (orientation_ >= 2 && orientation_ <= 8) WriteValue(section, orientationPos_, orientationType_, 1);
}

}  // namespace lumivo
