#include <gtest/gtest.h>

#include "jpeg_fixtures.h"
#include "metadata/metadata_reader.h"

namespace lumivo {
namespace {

using namespace test;

Segment TinyExif() { return ExifSegment({.ifd0 = {ShortEntry(0x112, 1, false)}}); }

Bytes Walk(MetadataReader& reader, const Bytes& file, bool& result) {
  SpanInput input(file);
  result = reader.WalkJpegSegments(input);
  return file;
}

std::string PayloadText(const JpegSection* section) {
  return section ? std::string(section->bytes.begin() + 2, section->bytes.end()) : "(none)";
}

struct WalkCase {
  const char* name;
  Bytes file;
  bool result;
  int sections;
  bool header, exif;
  std::string comment = "(none)";
  int otherApp1 = 0;
};

TEST(SegmentWalk, SegmentOrders) {
  std::vector<Segment> twentyFive;
  for (int i = 0; i < 25; ++i) twentyFive.push_back(Comment("c" + std::to_string(i)));
  Bytes filled = JpegHead({Jfif(72)});
  const Bytes rest = JpegHead({Comment("after fill"), Scan()});
  filled.insert(filled.end(), {0xFF, 0xFF, 0xFF});
  filled.insert(filled.end(), rest.begin() + 2, rest.end());
  Bytes cut = JpegHead({Jfif(72), Comment("kept"), Comment("cut short")});
  cut.resize(cut.size() - 3);
  Bytes badLength = JpegHead({Comment("kept")});
  badLength.insert(badLength.end(), {0xFF, 0xFE, 0x00, 0x01});

  const WalkCase cases[] = {
      {"APP0 APP1 DQT SOF0 DHT SOS stops at the scan",
       JpegHead({Jfif(72), TinyExif(), Quantisation(), Frame(), Huffman(), Scan(), Comment("behind")}), true, 6, true,
       true},
      {"APP1 after DQT DQT DHT is the fifth section: not taken",
       JpegHead({Jfif(72), Quantisation(), Quantisation(), Huffman(), TinyExif(), Comment("late")}), false, 5, true,
       false},
      {"EXIF then XMP: the EXIF block stays, XMP is carried beside it",
       JpegHead({TinyExif(), Xmp("<x/>"), Scan()}), true, 3, false, true, "(none)", 1},
      {"an APP1 sixth after a comment is dropped and its slot reused",
       JpegHead({Jfif(72), Comment("c"), Quantisation(), Quantisation(), Frame(), TinyExif(), Huffman(), Scan()}),
       true, 7, true, false, "c"},
      {"of two comments the second counts", JpegHead({Comment("first"), Comment("second"), Scan()}), true, 3, false,
       false, "second"},
      {"fill bytes before a marker are skipped", filled, true, 3, true, false, "after fill"},
      {"at most twenty sections", JpegHead(twentyFive), true, 20, false, false, "c19"},
      {"the end of the file ends the walk with what was captured", cut, true, 2, true, false, "kept"},
      {"a length below 2 fails, keeping what was captured", badLength, false, 1, false, false, "kept"},
      {"no FF D8: nothing", Bytes{0xFF, 0xD9, 0xFF, 0xFE, 0, 3, 'x'}, false, 0, false, false},
      {"metadata-free head", JpegHead({Jfif(72), Quantisation(), Frame(), Huffman(), Scan()}), false, 5, true, false},
  };
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.name);
    MetadataReader reader;
    bool result = false;
    Walk(reader, c.file, result);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(reader.sectionCount(), c.sections);
    EXPECT_EQ(reader.headerSection() != nullptr, c.header);
    EXPECT_EQ(reader.exifSection() != nullptr, c.exif);
    EXPECT_EQ(PayloadText(reader.commentSection()), c.comment);
    EXPECT_EQ(static_cast<int>(reader.otherApp1Sections().size()), c.otherApp1);
  }
}

TEST(SegmentWalk, CapturedSegmentsKeepTheirBytes) {
  const Segment exif = TinyExif();
  const Segment first = Iptc("first"), second = Iptc("second");
  MetadataReader reader;
  bool result = false;
  Walk(reader, JpegHead({exif, first, second, Scan()}), result);
  ASSERT_TRUE(result);
  ASSERT_NE(reader.exifSection(), nullptr);
  EXPECT_EQ(reader.exifSection()->marker, 0xE1);
  EXPECT_EQ(reader.exifSection()->bytes, Stored(exif));
  ASSERT_NE(reader.iptcSection(), nullptr);  // the first APP13 counts
  EXPECT_EQ(reader.iptcSection()->bytes, Stored(first));
}

TEST(SegmentWalk, IccProfileOnlyWhole) {
  struct Case {
    const char* name;
    std::vector<Segment> chunks;
    std::vector<int> expected;  // chunk numbers carried, in order
  } cases[] = {
      {"three chunks in order", {IccChunk(1, 3, 40), IccChunk(2, 3, 40), IccChunk(3, 3, 10)}, {1, 2, 3}},
      {"chunks out of order come in sequence", {IccChunk(2, 2, 5), IccChunk(1, 2, 5)}, {1, 2}},
      {"a missing chunk carries none", {IccChunk(1, 3, 5), IccChunk(3, 3, 5)}, {}},
      {"a doubled chunk carries none", {IccChunk(1, 2, 5), IccChunk(1, 2, 5)}, {}},
      {"a count of 0 carries none", {IccChunk(0, 0, 5)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Segment> segments = c.chunks;
    segments.push_back(Scan());
    MetadataReader reader;
    bool result = false;
    Walk(reader, JpegHead(segments), result);
    std::vector<int> carried;
    for (const JpegSection* chunk : reader.iccChunks()) carried.push_back(chunk->bytes[14]);
    EXPECT_EQ(carried, c.expected);
  }
}

}  // namespace
}  // namespace lumivo
