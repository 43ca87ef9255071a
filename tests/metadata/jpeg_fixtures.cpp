#include "jpeg_fixtures.h"

namespace lumivo::test {

namespace {

void Put16(Bytes& out, std::uint16_t v, bool big) {
  out.push_back(static_cast<std::uint8_t>(big ? v >> 8 : v));
  out.push_back(static_cast<std::uint8_t>(big ? v : v >> 8));
}

void Put32(Bytes& out, std::uint32_t v, bool big) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * (big ? 3 - i : i))));
}

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Appends a directory; long values go to `data`, whose offset is known.
void PutDirectory(Bytes& out, const std::vector<Entry>& entries, bool big, Bytes& data, std::uint32_t dataOffset) {
  Put16(out, static_cast<std::uint16_t>(entries.size()), big);
  for (const Entry& e : entries) {
    Put16(out, e.tag, big);
    Put16(out, e.type, big);
    Put32(out, e.count, big);
    if (e.value.size() <= 4) {
      Bytes field = e.value;
      field.resize(4);
      out.insert(out.end(), field.begin(), field.end());
    } else {
      Put32(out, dataOffset + static_cast<std::uint32_t>(data.size()), big);
      data.insert(data.end(), e.value.begin(), e.value.end());
    }
  }
  Put32(out, 0, big);
}

std::uint32_t DirectoryBytes(std::size_t entries) { return static_cast<std::uint32_t>(2 + 12 * entries + 4); }

}  // namespace

Bytes Stored(const Segment& segment) {
  Bytes out;
  Put16(out, static_cast<std::uint16_t>(segment.payload.size() + 2), true);
  out.insert(out.end(), segment.payload.begin(), segment.payload.end());
  return out;
}

Bytes JpegHead(const std::vector<Segment>& segments) {
  Bytes out{0xFF, 0xD8};
  for (const Segment& s : segments) {
    out.push_back(0xFF);
    out.push_back(s.marker);
    const Bytes stored = Stored(s);
    out.insert(out.end(), stored.begin(), stored.end());
  }
  return out;
}

Segment Jfif(int dotsPerInch) {
  Bytes p = Text(std::string_view("JFIF\0\x01\x01\x01", 8));
  Put16(p, static_cast<std::uint16_t>(dotsPerInch), true);
  Put16(p, static_cast<std::uint16_t>(dotsPerInch), true);
  p.push_back(0);
  p.push_back(0);
  return {0xE0, p};
}

Segment Quantisation() {
  Bytes p(65, 1);
  p[0] = 0;
  return {0xDB, p};
}

Segment Frame() { return {0xC0, {8, 0, 16, 0, 16, 1, 1, 0x11, 0}}; }
Segment Huffman() {
  Bytes p(17, 0);
  p[1] = 1;
  p.push_back(0);
  return {0xC4, p};
}
Segment Scan() { return {0xDA, {1, 1, 0, 0, 63, 0}}; }
Segment Comment(std::string_view text) { return {0xFE, Text(text)}; }
Segment Iptc(std::string_view text) {
  Bytes p = Text(std::string_view("Photoshop 3.0\0", 14));
  const Bytes t = Text(text);
  p.insert(p.end(), t.begin(), t.end());
  return {0xED, p};
}
Segment Xmp(std::string_view packet) {
  Bytes p = Text(std::string_view("http://ns.adobe.com/xap/1.0/\0", 29));
  const Bytes t = Text(packet);
  p.insert(p.end(), t.begin(), t.end());
  return {0xE1, p};
}

Segment IccChunk(int number, int total, std::size_t size) {
  Bytes p = Text(std::string_view("ICC_PROFILE\0", 12));
  p.push_back(static_cast<std::uint8_t>(number));
  p.push_back(static_cast<std::uint8_t>(total));
  for (std::size_t i = 0; i < size; ++i) p.push_back(static_cast<std::uint8_t>(i * 7 + number));
  return {0xE2, p};
}

Bytes Short(std::uint16_t value, bool bigEndian) {
  Bytes out;
  Put16(out, value, bigEndian);
  out.resize(4);
  return out;
}

Bytes Long(std::uint32_t value, bool bigEndian) {
  Bytes out;
  Put32(out, value, bigEndian);
  return out;
}

Entry ShortEntry(std::uint16_t tag, std::uint16_t value, bool bigEndian) { return {tag, 3, 1, Short(value, bigEndian)}; }
Entry LongEntry(std::uint16_t tag, std::uint32_t value, bool bigEndian) { return {tag, 4, 1, Long(value, bigEndian)}; }

Segment ExifSegment(const ExifLayout& layout) {
  const bool big = layout.bigEndian;
  std::vector<Entry> ifd0 = layout.ifd0;
  const std::uint32_t exifOffset = 8 + DirectoryBytes(ifd0.size() + (layout.exif.empty() ? 0 : 1));
  if (!layout.exif.empty()) ifd0.push_back(LongEntry(0x8769, exifOffset, big));
  const std::uint32_t dataOffset = layout.exif.empty() ? exifOffset : exifOffset + DirectoryBytes(layout.exif.size());

  Bytes tiff = Text(big ? "MM" : "II");
  Put16(tiff, 42, big);
  Put32(tiff, layout.ifd0Offset, big);
  Bytes data;
  PutDirectory(tiff, ifd0, big, data, dataOffset);
  if (!layout.exif.empty()) PutDirectory(tiff, layout.exif, big, data, dataOffset);
  tiff.insert(tiff.end(), data.begin(), data.end());

  Bytes p = Text(std::string_view("Exif\0\0", 6));
  p.insert(p.end(), tiff.begin(), tiff.end());
  return {0xE1, p};
}

std::size_t ExifEntryPos(const ExifLayout& layout, int index) {
  return 8 + 8 + DirectoryBytes(layout.ifd0.size() + 1) + 2 + 12 * static_cast<std::size_t>(index);
}

}  // namespace lumivo::test
