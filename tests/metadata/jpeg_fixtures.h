#pragma once
// JPEG heads and EXIF blocks made in code: the segment orders and
// directory layouts the metadata tests walk.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumivo::test {

using Bytes = std::vector<std::uint8_t>;

struct Segment {
  std::uint8_t marker = 0;
  Bytes payload;  // without the length bytes
};

// FF D8, then each segment as FF, marker, big-endian length, payload.
Bytes JpegHead(const std::vector<Segment>& segments);
// The stored form of a captured segment: length bytes, then the payload.
Bytes Stored(const Segment& segment);

Segment Jfif(int dotsPerInch);
Segment Quantisation();  // DQT
Segment Frame();         // SOF0
Segment Huffman();       // DHT
Segment Scan();          // SOS
Segment Comment(std::string_view text);
Segment Iptc(std::string_view text);
Segment Xmp(std::string_view packet);
// APP2 chunk `number` of `total` of an ICC profile, `size` bytes of it.
Segment IccChunk(int number, int total, std::size_t size);

// One directory entry; a value of up to four bytes sits in the entry,
// a longer one in the block's data area.
struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  Bytes value;
};

// Numbers in the block's order, as an entry's value.
Bytes Short(std::uint16_t value, bool bigEndian);  // padded to four bytes
Bytes Long(std::uint32_t value, bool bigEndian);
Entry ShortEntry(std::uint16_t tag, std::uint16_t value, bool bigEndian);
Entry LongEntry(std::uint16_t tag, std::uint32_t value, bool bigEndian);

// "Exif\0\0" and a TIFF block: IFD0 at offset 8 (the header may say
// `ifd0Offset` instead), an Exif directory when `exif` has entries (IFD0
// gets the ExifOffset entry last), then the data area.
struct ExifLayout {
  bool bigEndian = false;
  std::vector<Entry> ifd0{};
  std::vector<Entry> exif{};
  std::uint32_t ifd0Offset = 8;
};
Segment ExifSegment(const ExifLayout& layout);

// Position of IFD0's entry `index` (its tag) in the stored section.
inline std::size_t Ifd0EntryPos(int index) { return 8 + 8 + 2 + 12 * static_cast<std::size_t>(index); }
// Position of the Exif directory's entry `index` in the stored section.
std::size_t ExifEntryPos(const ExifLayout& layout, int index);

}  // namespace lumivo::test
