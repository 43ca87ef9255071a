#include <gtest/gtest.h>

#include <cstring>

#include "core/bitmap.h"
#include "imaging/jpeg_output.h"
#include "imaging/picture_loading.h"
#include "jpeg_fixtures.h"
#include "metadata/exif_transfer.h"
#include "metadata/metadata_reader.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using namespace test;

constexpr std::uint16_t kOrientation = 0x112, kExifImageWidth = 0xA002, kExifImageLength = 0xA003;

// A real compressed output: SOI, the encoder's own APP0, DQT ...
Bytes Compressed(int width, int height) {
  Bitmap picture = MakeBitmap(width, height, [](int x, int y) { return Bgr{x * 9, y * 5, 128}; });
  JpegImage jpeg;
  EXPECT_TRUE(CompressOutput(picture, jpeg, 75).ok());
  return jpeg.stream();
}

// The compressed output after its SOI and its APP0.
Bytes Body(const Bytes& stream) {
  EXPECT_EQ(stream[2], 0xFF);
  EXPECT_EQ(stream[3], 0xE0);
  const std::size_t app0 = 2 + (stream[4] << 8 | stream[5]);
  return Bytes(stream.begin() + 2 + static_cast<std::ptrdiff_t>(app0), stream.end());
}

Bytes Concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

const Segment kDefaultJfif{0xE0, {'J', 'F', 'I', 'F', 0, 1, 2, 1, 1, 0x2C, 1, 0x2C, 0, 0}};

ExifLayout Sizes(std::uint32_t width, std::uint32_t height, bool big = false) {
  return {.bigEndian = big, .exif = {LongEntry(kExifImageWidth, width, big), LongEntry(kExifImageLength, height, big)}};
}

std::vector<Segment> Picture() { return {Quantisation(), Frame(), Huffman(), Scan()}; }

std::vector<Segment> Join(std::vector<Segment> head) {
  for (const Segment& s : Picture()) head.push_back(s);
  return head;
}

TEST(TransferExif, OutputLayout) {
  const int width = 800, height = 600;
  const Bytes stream = Compressed(16, 16);
  const Segment exif = ExifSegment(Sizes(4000, 3000));
  const Segment patched = ExifSegment(Sizes(800, 600));
  ExifLayout sideways{.bigEndian = true,
                      .ifd0 = {ShortEntry(kOrientation, 6, true)},
                      .exif = {ShortEntry(kExifImageWidth, 4000, true), ShortEntry(kExifImageLength, 3000, true)}};
  const Segment turned = ExifSegment(sideways);
  sideways.ifd0 = {ShortEntry(kOrientation, 1, true)};
  sideways.exif = {ShortEntry(kExifImageWidth, 800, true), ShortEntry(kExifImageLength, 600, true)};
  const Segment upright = ExifSegment(sideways);
  const Segment icc1 = IccChunk(1, 3, 65000), icc2 = IccChunk(2, 3, 65000), icc3 = IccChunk(3, 3, 900);

  struct Case {
    const char* name;
    std::string sourceName;
    std::vector<Segment> source;
    std::vector<Segment> expected;  // between SOI and the compressed body
  } cases[] = {
      {"EXIF replaces every APP0 and is patched", "a.jpg", Join({Jfif(72), exif}), {patched}},
      {"no metadata: the source's APP0 unchanged", "a.jpg", Join({Jfif(72)}), {Jfif(72)}},
      {"no APP0, no metadata: the default JFIF header", "a.jpg", Join({}), {kDefaultJfif}},
      {"EXIF, IPTC and comment in this order", "a.jpeg",
       Join({Comment("c"), Iptc("i"), exif}), {patched, Iptc("i"), Comment("c")}},
      {"the stored size leaves the APP1 as it was", "a.jpe", Join({ExifSegment(Sizes(800, 600))}),
       {ExifSegment(Sizes(800, 600))}},
      {"a .jfif source is not read", "a.jfif", Join({Jfif(72), exif}), {kDefaultJfif}},
      {"names in capitals are read", "A.JPG", Join({exif}), {patched}},
      {"EXIF followed by XMP keeps both", "a.jpg", Join({exif, Xmp("<x:xmpmeta/>")}), {patched, Xmp("<x:xmpmeta/>")}},
      {"XMP alone follows the APP0", "a.jpg", Join({Jfif(96), Xmp("<x/>")}), {Jfif(96), Xmp("<x/>")}},
      {"an ICC profile in three chunks arrives in three", "a.jpg",
       Join({Jfif(72), icc1, icc2, icc3}), {Jfif(72), icc1, icc2, icc3}},
      {"a sideways photo: orientation 1, the upright sizes", "a.jpg", Join({turned}), {upright}},
  };
  TempDir temp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto source = temp.Write(c.sourceName, JpegHead(c.source));
    const auto output = TransferExif(stream, width, height, source.string());
    ASSERT_TRUE(output);
    EXPECT_EQ(*output, Concat(JpegHead(c.expected), Body(stream)));
  }
}

TEST(TransferExif, OnlyJpegContent) {
  TempDir temp;
  const Bytes stream = Compressed(8, 8);
  const auto tiff = temp.Write("a.jpg", Bytes{'I', 'I', 42, 0, 8, 0, 0, 0});
  const auto tiny = temp.Write("b.jpg", Bytes{0xFF});
  EXPECT_FALSE(TransferExif(stream, 8, 8, tiff.string()));
  EXPECT_FALSE(TransferExif(stream, 8, 8, tiny.string()));
  EXPECT_FALSE(TransferExif(stream, 8, 8, (temp / "missing.jpg").string()));
  // A .tif name over JPEG content: written, but nothing read.
  const auto named = temp.Write("c.tif", JpegHead(Join({Jfif(72), ExifSegment(Sizes(1, 2))})));
  const auto output = TransferExif(stream, 8, 8, named.string());
  ASSERT_TRUE(output);
  EXPECT_EQ(*output, Concat(JpegHead({kDefaultJfif}), Body(stream)));
}

TEST(TransferExif, OutputDecodes) {
  TempDir temp;
  const Bytes stream = Compressed(24, 16);
  const auto source = temp.Write("a.jpg", JpegHead(Join({ExifSegment(Sizes(48, 32)), Xmp("<x/>"), IccChunk(1, 1, 100),
                                                         Iptc("i"), Comment("c")})));
  const auto output = TransferExif(stream, 24, 16, source.string());
  ASSERT_TRUE(output);
  Bitmap plain, carried;
  ASSERT_TRUE(LoadPictureBytes(stream, "plain.jpg", plain).ok());
  ASSERT_TRUE(LoadPictureBytes(*output, "carried.jpg", carried).ok());
  ASSERT_EQ(carried.width(), 24);
  ASSERT_EQ(carried.height(), 16);
  for (int y = 0; y < 16; ++y)
    EXPECT_EQ(std::memcmp(plain.Row(y), carried.Row(y), plain.rowBytes()), 0);
}

}  // namespace
}  // namespace lumivo
