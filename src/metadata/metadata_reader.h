#pragma once
// The metadata of one JPEG source: its header segments, walked up to the
// start of scan, with the metadata-bearing ones kept whole as bytes. One
// reader serves one transfer.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "metadata/exif_info.h"
#include "metadata/segment_input.h"

namespace lumivo {

// One captured segment: its two big-endian length bytes (the length counts
// them), then its payload. The FF and the marker byte are not stored.
struct JpegSection {
  std::uint8_t marker = 0;
  std::vector<std::uint8_t> bytes;
};

// An APP0 "JFIF" 1.02 at 300 dots per inch without a thumbnail, marker first.
inline constexpr std::uint8_t kDefaultJfifHeader[18] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                                                        0x01, 0x02, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

class MetadataReader final {
 public:
  static constexpr int kMaximumSections = 20;
  // Without metadata among the first five sections the walk stops there,
  // and an APP1 after the fifth is not taken.
  static constexpr int kMetadataWithin = 5;

  // Captures the head segments of a source named .jpg, .jpeg or .jpe (any
  // case); other names capture nothing. True when metadata was captured.
  // Never throws; what was captured before a failure stays captured.
  bool ReadSourceMetadata(const std::filesystem::path& source);

  // The marker walk over an input starting with FF D8. True when metadata
  // was captured; a broken segment length ends the walk with false, the end
  // of the input ends it with what was captured.
  bool WalkJpegSegments(SegmentInput& input);

  // EXIF, another APP1 (XMP), a complete ICC profile, IPTC or a comment.
  // The APP0 header does not count.
  bool HasAnyMetadata() const;

  int sectionCount() const { return static_cast<int>(sections_.size()); }
  const JpegSection* exifSection() const { return Section(exif_); }
  const JpegSection* headerSection() const { return Section(header_); }
  const JpegSection* iptcSection() const { return Section(iptc_); }
  const JpegSection* commentSection() const { return Section(comment_); }
  // APP1 segments that are not an EXIF block (XMP), in file order.
  std::vector<const JpegSection*> otherApp1Sections() const;
  // The ICC profile's APP2 chunks in sequence order; none unless every
  // chunk was captured.
  std::vector<const JpegSection*> iccChunks() const;
  const ExifInfo* exifInfo() const { return exifInfo_ ? &*exifInfo_ : nullptr; }

  // The output file: SOI, the header segments, then `jpeg` (a complete
  // stream from the encoder) without its SOI and its leading metadata.
  // With `adjustSize`, the EXIF block's sizes become width x height and a
  // turned picture's orientation 1.
  std::vector<std::uint8_t> WriteJpegWithMetadata(std::span<const std::uint8_t> jpeg, int width, int height,
                                                  bool adjustSize);
  // SOI, then EXIF (or the source's APP0, or the default JFIF header),
  // other APP1, ICC chunks, IPTC and the comment.
  void WriteHeaderSegments(std::vector<std::uint8_t>& out) const;

 private:
  void ClearState();
  void Handle(std::size_t index);
  const JpegSection* Section(const std::optional<std::size_t>& index) const {
    return index ? &sections_[*index] : nullptr;
  }

  std::vector<JpegSection> sections_;
  std::optional<std::size_t> exif_, header_, iptc_, comment_;
  std::vector<std::size_t> otherApp1_, icc_;
  std::optional<ExifInfo> exifInfo_;
};

// True when the file holds at least two bytes and they are FF D8.
bool IsJpegContent(const std::filesystem::path& file);
bool IsJpegContent(std::span<const std::uint8_t> bytes);

}  // namespace lumivo
