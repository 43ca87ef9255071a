#pragma once
// Carrying a JPEG source's metadata into the output picture.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumivo {

// The output file's bytes: the compressed output (`width` x `height`) with
// the source's metadata segments, the EXIF sizes patched. Nothing when the
// source is not JPEG content or a step fails: the caller then saves the
// output as it is. A JPEG source without metadata still gets its APP0 or
// the default JFIF header.
std::optional<std::vector<std::uint8_t>> TransferExif(std::span<const std::uint8_t> jpeg, int width, int height,
                                                      const std::string& source);

}  // namespace lumivo
