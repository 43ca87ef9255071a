#include "metadata/metadata_reader.h"

#include <cstring>
#include <exception>
#include <string>

#include "core/byte_reader.h"

namespace lumivo {

namespace {

// Dropped late APP1 segments do not count as sections; this bounds them too.
constexpr int kMaximumSegmentsRead = 100;
// Fill bytes before one marker; real files have a handful.
constexpr std::size_t kMaximumFillBytes = std::size_t{1} << 16;

constexpr std::uint8_t kApp0 = 0xE0, kApp1 = 0xE1, kApp2 = 0xE2, kApp13 = 0xED, kComment = 0xFE,
                       kEndOfImage = 0xD9, kStartOfScan = 0xDA;

bool Signed(const JpegSection& section, std::string_view signature) {
  return section.bytes.size() >= 2 + signature.size() &&
         std::memcmp(section.bytes.data() + 2, signature.data(), signature.size()) == 0;
}

bool IsExifBlock(const JpegSection& section) { return Signed(section, "Exif"); }

// "ICC_PROFILE", a zero, the chunk's 1-based number and the chunk count.
bool IsIccChunk(const JpegSection& section) {
  return Signed(section, std::string_view("ICC_PROFILE\0", 12)) && section.bytes.size() >= 16;
}

std::string LowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension;
}

}  // namespace

void MetadataReader::ClearState() {
  sections_.clear();
  exif_.reset();
  header_.reset();
  iptc_.reset();
  comment_.reset();
  otherApp1_.clear();
  icc_.clear();
  exifInfo_.reset();
}

bool MetadataReader::ReadSourceMetadata(const std::filesystem::path& source) {
  ClearState();
  try {
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) return false;
    // Only JPEG names are read. TIFF names (.tif, .tiff, .nef) would want a
    // TIFF file, and only JPEG content reaches this reader.
    const std::string extension = LowerExtension(source);
    if (extension != ".jpg" && extension != ".jpeg" && extension != ".jpe") return false;
    FileInput input(source);
    return input.open() && WalkJpegSegments(input);
  } catch (const std::exception&) {
    return false;
  }
}

bool MetadataReader::WalkJpegSegments(SegmentInput& input) {
  ClearState();
  std::uint8_t start[2];
  if (input.Read(start, 2) != 2 || start[0] != 0xFF || start[1] != 0xD8) return false;
  sections_.reserve(kMaximumSections);
  for (int read = 0; sections_.size() < kMaximumSections && read < kMaximumSegmentsRead; ++read) {
    std::uint8_t marker = 0xFF;
    for (std::size_t fill = 0; marker == 0xFF; ++fill)
      if (fill > kMaximumFillBytes || input.Read(&marker, 1) != 1) return HasAnyMetadata();
    std::uint8_t length[2];
    if (input.Read(length, 2) != 2) return HasAnyMetadata();
    const std::size_t size = LoadU16BE(length);
    if (size < 2) return false;
    JpegSection section;
    section.marker = marker;
    section.bytes.resize(size);
    std::memcpy(section.bytes.data(), length, 2);
    // A segment cut short by the end of the file is not taken.
    if (input.Read(section.bytes.data() + 2, size - 2) != size - 2) return HasAnyMetadata();
    sections_.push_back(std::move(section));

    const std::size_t count = sections_.size();
    if (count == kMetadataWithin && !HasAnyMetadata()) break;
    if (marker == kEndOfImage || marker == kStartOfScan) break;
    if (marker == kApp1 && count > kMetadataWithin) {
      sections_.pop_back();  // the next segment takes its place
      continue;
    }
    Handle(count - 1);
  }
  return HasAnyMetadata();
}

void MetadataReader::Handle(std::size_t index) {
  const JpegSection& section = sections_[index];
  switch (section.marker) {
    case kApp0:
      header_ = index;
      break;
    case kApp1:
      // An EXIF block is never displaced by an APP1 of another kind (XMP);
      // those are carried beside it.
      if (IsExifBlock(section)) {
        exif_ = index;
        exifInfo_.emplace(section.bytes);
      } else {
        otherApp1_.push_back(index);
      }
      break;
    case kApp2:
      if (IsIccChunk(section)) icc_.push_back(index);
      break;
    case kApp13:
      if (!iptc_) iptc_ = index;
      break;
    case kComment:
      comment_ = index;
      break;
    default:
      break;
  }
}

bool MetadataReader::HasAnyMetadata() const {
  return exif_ || iptc_ || comment_ || !otherApp1_.empty() || !icc_.empty();
}

std::vector<const JpegSection*> MetadataReader::otherApp1Sections() const {
  std::vector<const JpegSection*> found;
  for (const std::size_t index : otherApp1_) found.push_back(&sections_[index]);
  return found;
}

std::vector<const JpegSection*> MetadataReader::iccChunks() const {
  if (icc_.empty()) return {};
  const std::size_t total = sections_[icc_.front()].bytes[15];
  if (total == 0 || icc_.size() != total) return {};
  std::vector<const JpegSection*> chunks(total, nullptr);
  for (const std::size_t index : icc_) {
    const JpegSection& chunk = sections_[index];
    const std::size_t number = chunk.bytes[14];
    if (chunk.bytes[15] != total || number == 0 || number > total || chunks[number - 1]) return {};
    chunks[number - 1] = &chunk;
  }
  return chunks;
}

bool IsJpegContent(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

bool IsJpegContent(const std::filesystem::path& file) {
  FileInput input(file);
  std::uint8_t start[2];
  return input.Read(start, 2) == 2 && IsJpegContent(start);
}

}  // namespace lumivo
