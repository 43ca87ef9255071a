#include "readers/tiff_directory.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "core/byte_reader.h"
#include "core/checked_math.h"
#include "readers/tiff_failure.h"

namespace lumivo {

namespace {

enum TiffType : std::uint16_t {
  kByte = 1, kAscii, kShort, kLong, kRational, kSByte, kUndefined, kSShort, kSLong, kSRational, kFloat, kDouble,
  kIfd
};

// Far more than any real file has; a longer chain is a hostile one.
constexpr int kMaximumDirectories = 4096;

std::uint32_t Load32(const std::uint8_t* p, bool big) { return big ? LoadU32BE(p) : LoadU32LE(p); }
std::uint16_t Load16(const std::uint8_t* p, bool big) { return big ? LoadU16BE(p) : LoadU16LE(p); }

}  // namespace

std::size_t TiffTypeSize(std::uint16_t type) {
  static constexpr std::array<std::uint8_t, 14> kSizes = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
  return type < kSizes.size() ? kSizes[type] : 0;
}

std::optional<TiffDirectory> TiffDirectory::Read(std::span<const std::uint8_t> bytes, int index) {
  if (bytes.size() < 8) return std::nullopt;
  const bool little = bytes[0] == 'I' && bytes[1] == 'I', big = bytes[0] == 'M' && bytes[1] == 'M';
  if (!little && !big) return std::nullopt;
  if (Load16(&bytes[2], big) != 42) return std::nullopt;

  ByteReader reader(bytes);
  std::uint32_t offset = Load32(&bytes[4], big);
  std::unordered_set<std::uint32_t> visited;
  for (int walked = 0; offset != 0 && walked < kMaximumDirectories; ++walked) {
    if (!visited.insert(offset).second) return std::nullopt;  // a circle
    if (offset > bytes.size()) FailTiff();
    reader.Seek(offset);
    const std::uint16_t count = reader.U16(big);
    if (!reader.has(std::size_t{count} * 12 + 4)) FailTiff();
    if (index > 0) {
      reader.Skip(std::size_t{count} * 12);
      offset = reader.U32(big);
      --index;
      continue;
    }
    TiffDirectory directory;
    directory.file_ = bytes;
    directory.bigEndian_ = big;
    directory.entries_.resize(count);
    for (TiffEntry& entry : directory.entries_) {
      entry.tag = reader.U16(big);
      entry.type = reader.U16(big);
      entry.count = reader.U32(big);
      reader.Read(entry.field.data(), 4);
    }
    std::stable_sort(directory.entries_.begin(), directory.entries_.end(),
                     [](const TiffEntry& a, const TiffEntry& b) { return a.tag < b.tag; });
    return directory;
  }
  return std::nullopt;
}

const TiffEntry* TiffDirectory::Find(std::uint16_t tag) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), tag,
                                   [](const TiffEntry& entry, std::uint16_t t) { return entry.tag < t; });
  return it != entries_.end() && it->tag == tag ? &*it : nullptr;
}

std::span<const std::uint8_t> TiffDirectory::Values(const TiffEntry& entry) const {
  const auto size = CheckedMul(entry.count, TiffTypeSize(entry.type));
  if (!size) FailTiff();
  if (*size <= 4) return std::span(entry.field).first(*size);
  const std::uint32_t offset = Load32(entry.field.data(), bigEndian_);
  if (offset > file_.size() || *size > file_.size() - offset) FailTiff();
  return file_.subspan(offset, *size);
}

std::uint32_t TiffDirectory::Integer(std::uint16_t tag, std::uint32_t fallback) const {
  const TiffEntry* entry = Find(tag);
  if (!entry || entry->count == 0) return fallback;
  switch (entry->type) {
    case kByte:
    case kSByte:
    case kShort:
    case kSShort:
    case kLong:
    case kSLong:
    case kIfd: break;
    default: return fallback;
  }
  const auto values = Values(*entry);
  switch (entry->type) {
    case kByte:
    case kSByte: return values[0];
    case kShort:
    case kSShort: return Load16(values.data(), bigEndian_);
    default: return Load32(values.data(), bigEndian_);
  }
}

std::vector<std::uint32_t> TiffDirectory::Integers(std::uint16_t tag) const {
  const TiffEntry* entry = Find(tag);
  if (!entry) return {};
  const std::size_t size = TiffTypeSize(entry->type);
  if (entry->type != kByte && entry->type != kShort && entry->type != kLong && entry->type != kIfd &&
      entry->type != kSByte && entry->type != kSShort && entry->type != kSLong)
    return {};
  const auto values = Values(*entry);
  std::vector<std::uint32_t> result(entry->count);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const std::uint8_t* p = values.data() + i * size;
    result[i] = size == 1 ? *p : size == 2 ? Load16(p, bigEndian_) : Load32(p, bigEndian_);
  }
  return result;
}

std::span<const std::uint8_t> TiffDirectory::Bytes(std::uint16_t tag) const {
  const TiffEntry* entry = Find(tag);
  if (!entry || (entry->type != kByte && entry->type != kUndefined && entry->type != kSByte)) return {};
  return Values(*entry);
}

std::vector<double> TiffDirectory::Reals(std::uint16_t tag) const {
  const TiffEntry* entry = Find(tag);
  if (!entry) return {};
  if (entry->type != kRational && entry->type != kSRational && entry->type != kFloat && entry->type != kDouble) {
    const auto integers = Integers(tag);
    return {integers.begin(), integers.end()};
  }
  const auto values = Values(*entry);
  std::vector<double> result(entry->count);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const std::uint8_t* p = values.data() + i * TiffTypeSize(entry->type);
    switch (entry->type) {
      case kRational: {
        const std::uint32_t denominator = Load32(p + 4, bigEndian_);
        result[i] = denominator ? static_cast<double>(Load32(p, bigEndian_)) / denominator : 0.0;
        break;
      }
      case kSRational: {
        const auto numerator = static_cast<std::int32_t>(Load32(p, bigEndian_));
        const auto denominator = static_cast<std::int32_t>(Load32(p + 4, bigEndian_));
        result[i] = denominator ? static_cast<double>(numerator) / denominator : 0.0;
        break;
      }
      case kFloat: {
        const std::uint32_t bits = Load32(p, bigEndian_);
        float value;
        std::memcpy(&value, &bits, 4);
        result[i] = value;
        break;
      }
      default: {
        const std::uint64_t bits = bigEndian_ ? std::uint64_t{Load32(p, true)} << 32 | Load32(p + 4, true)
                                              : std::uint64_t{Load32(p + 4, false)} << 32 | Load32(p, false);
        double value;
        std::memcpy(&value, &bits, 8);
        result[i] = value;
      }
    }
  }
  return result;
}

}  // namespace lumivo
