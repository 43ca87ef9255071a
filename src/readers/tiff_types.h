#pragma once
// The value types of TIFF directories, shared by the TIFF reader and the
// EXIF blocks (which are TIFF directories too).

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace lumivo {

// Bytes of one value of the type; 0 for type 0 and types above 12.
inline std::size_t TiffTypeSize(std::uint16_t type) {
  static constexpr std::size_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type < std::size(kSizes) ? kSizes[type] : 0;
}

}  // namespace lumivo
