#include "readers/reader_class.h"

#include <algorithm>
#include <string>

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

std::optional<std::uint64_t> PeekHeader(std::istream& stream, std::span<std::uint8_t> header,
                                        std::uint64_t minimumRemaining) {
  if (!stream.good()) return std::nullopt;
  const std::istream::pos_type start = stream.tellg();
  if (start == std::istream::pos_type(-1)) return std::nullopt;
  stream.seekg(0, std::ios::end);
  const std::istream::pos_type end = stream.tellg();
  stream.seekg(start);
  if (end == std::istream::pos_type(-1) || !stream.good()) return std::nullopt;
  const auto remaining = static_cast<std::uint64_t>(end - start);
  if (remaining <= std::max<std::uint64_t>(header.size(), minimumRemaining)) return std::nullopt;
  stream.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
  const bool complete = stream.gcount() == static_cast<std::streamsize>(header.size());
  stream.clear();
  stream.seekg(start);
  if (!complete) return std::nullopt;
  return remaining;
}

void ReaderNotAvailable(std::string_view format) {
  throw Failure(FormatText(texts::kReaderNotAvailable, format));
}

void InvalidImageFormat(std::string_view format) {
  throw Failure(FormatText(texts::kInvalidImageFormat, format));
}

}  // namespace lumivo
