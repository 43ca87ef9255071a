#include <algorithm>
#include <exception>

#include "core/byte_reader.h"
#include "metadata/exif_transfer.h"
#include "metadata/metadata_reader.h"

namespace lumivo {

namespace {

void Append(std::vector<std::uint8_t>& out, const JpegSection& section) {
  out.push_back(0xFF);
  out.push_back(section.marker);
  out.insert(out.end(), section.bytes.begin(), section.bytes.end());
}

// Where the encoder's stream goes on after its SOI and its own leading
// metadata: APP0, APP1, APP13 and COM, each once, in this order.
std::size_t CompressedStart(std::span<const std::uint8_t> jpeg) {
  std::size_t skip = 2;
  for (const std::uint8_t marker : {0xE0, 0xE1, 0xED, 0xFE}) {
    if (jpeg.size() < skip + 4 || jpeg[skip] != 0xFF || jpeg[skip + 1] != marker) continue;
    const std::size_t next = skip + 2 + LoadU16BE(&jpeg[skip + 2]);
    if (next <= jpeg.size()) skip = next;
  }
  return std::min(skip, jpeg.size());
}

}  // namespace

void MetadataReader::WriteHeaderSegments(std::vector<std::uint8_t>& out) const {
  out.push_back(0xFF);
  out.push_back(0xD8);
  if (const JpegSection* exif = exifSection())
    Append(out, *exif);
  else if (const JpegSection* header = headerSection())
    Append(out, *header);
  else
    out.insert(out.end(), std::begin(kDefaultJfifHeader), std::end(kDefaultJfifHeader));
  for (const JpegSection* app1 : otherApp1Sections()) Append(out, *app1);
  // The output's pixels are still in the source's colour space.
  for (const JpegSection* chunk : iccChunks()) Append(out, *chunk);
  if (const JpegSection* iptc = iptcSection()) Append(out, *iptc);
  if (const JpegSection* comment = commentSection()) Append(out, *comment);
}

std::vector<std::uint8_t> MetadataReader::WriteJpegWithMetadata(std::span<const std::uint8_t> jpeg, int width,
                                                                int height, bool adjustSize) {
  if (adjustSize && exif_ && exifInfo_) {
    std::vector<std::uint8_t>& block = sections_[*exif_].bytes;
    exifInfo_->UpdateDimensionTags(block, height, width);
    // The loader turned the picture upright by this orientation.
    exifInfo_->MarkUpright(block);
  }
  std::vector<std::uint8_t> out;
  WriteHeaderSegments(out);
  const std::size_t start = CompressedStart(jpeg);
  out.reserve(out.size() + jpeg.size() - start);
  out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(start), jpeg.end());
  return out;
}

std::optional<std::vector<std::uint8_t>> TransferExif(std::span<const std::uint8_t> jpeg, int width, int height,
                                                      const std::string& source) {
  try {
    if (!IsJpegContent(std::filesystem::path(source))) return std::nullopt;
    MetadataReader reader;
    // Written even when nothing was captured: then with the source's APP0
    // or the default JFIF header.
    (void)reader.ReadSourceMetadata(source);
    return reader.WriteJpegWithMetadata(jpeg, width, height, true);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace lumivo
