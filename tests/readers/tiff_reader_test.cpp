#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <zlib.h>

#include "core/bitmap.h"
#include "core/memory_stream.h"
#include "readers/file_format_list.h"
#include "readers/registered_classes.h"
#include "readers/tiff_builder.h"
#include "readers/tiff_directory.h"
#include "readers/tiff_image.h"

namespace lumivo {
namespace {

using test::BasicTiff;
using test::LiteralLzw;
using test::TiffBuilder;

const std::filesystem::path kData = std::filesystem::path(LUMIVO_TEST_DATA) / "tiff";
constexpr std::string_view kInvalid = "Cannot load image. Invalid or unexpected TIF/TIFF image format.";
constexpr std::string_view kDataMissing = "Die Bilddaten der TIF/TIFF-Datei enden vor dem Ende des Bildes.";
constexpr std::string_view kUnsupportedCompression =
    "Cannot load image. The compression scheme is not supported for TIF/TIFF files.";

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Loads as the program does: the registry picks the class by content.
Bitmap Load(const std::vector<std::uint8_t>& bytes) {
  MemoryStream stream(bytes);
  const ReaderClass* reader = FileFormats().ReaderClassFromStream(stream);
  if (!reader) throw std::runtime_error("no reader class accepts the bytes");
  Bitmap bitmap;
  reader->load(bytes, bitmap);
  return bitmap;
}

std::string LoadError(const std::vector<std::uint8_t>& bytes) {
  try {
    Bitmap bitmap;
    LoadTiffImage(bytes, bitmap);
  } catch (const TooLarge& e) {
    return std::string("too large: ") + e.what();
  } catch (const Failure& e) {
    return e.what();
  }
  return "loaded";
}

TEST(TiffReader, AlphaIsKeptAndOnlyRealAlphaCounts) {
  const Bitmap rgba = Load(ReadFile(kData / "rgba8.tif"));
  EXPECT_EQ(rgba.format(), PixelFormat::Bgra32);
  EXPECT_TRUE(rgba.transparent());

  // Red under alpha 0 beside an opaque pixel: an unspecified extra sample
  // keeps the red, an alpha sample makes it white.
  for (const auto& [kind, red] : {std::pair{0u, 0xC8}, std::pair{2u, 0xFF}}) {
    TiffBuilder b = BasicTiff(2, 1, 4, 8, 1, 1);
    b.tags.push_back({338, 3, {kind}});
    b.strips = {{0xC8, 0, 0, 0, 1, 2, 3, 255}};
    Bitmap bitmap = Load(b.Build());
    ASSERT_TRUE(bitmap.ConvertToBgr24());
    EXPECT_EQ(bitmap.Row(0)[2], red) << "extra sample kind " << kind;
    EXPECT_EQ(bitmap.Row(0)[0], kind == 0 ? 0 : 0xFF);
  }
}

TEST(TiffReader, EightRowStripsOverTwentyRows) {
  TiffBuilder b = BasicTiff(3, 20, 1, 8, 1, 8);
  for (int strip = 0; strip < 3; ++strip) {
    std::vector<std::uint8_t> data;
    for (int row = strip * 8; row < std::min(20, strip * 8 + 8); ++row) data.insert(data.end(), 3, std::uint8_t(row * 10));
    b.strips.push_back(data);
  }
  const Bitmap bitmap = Load(b.Build());
  ASSERT_EQ(bitmap.height(), 20);
  EXPECT_EQ(bitmap.format(), PixelFormat::Indexed8);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(bitmap.Row(y)[2], y * 10) << "row " << y;
}

TEST(TiffReader, PredictorRowsAreUndoneWithinTheRow) {
  struct Case {
    const char* name;
    std::uint32_t width, samples, bits;
    bool big;
    std::vector<std::uint8_t> data, expectedFirstRowBgr;
  };
  const Case cases[] = {
      {"RGB 10 20 30 01 02 03", 2, 3, 8, false, {0x10, 0x20, 0x30, 0x01, 0x02, 0x03}, {0x30, 0x20, 0x10, 0x33, 0x22, 0x11}},
      {"one pixel: nothing to undo", 1, 3, 8, false, {0x10, 0x20, 0x30}, {0x30, 0x20, 0x10}},
      {"wraps modulo 256", 2, 3, 8, false, {0xF0, 0x20, 0x30, 0x20, 0x00, 0x00}, {0x30, 0x20, 0xF0, 0x30, 0x20, 0x10}},
      // 16-bit words: 0x00FF + 0x0001 carries into the high byte.
      {"16-bit MM carries", 2, 3, 16, true,
       {0x00, 0xFF, 0x10, 0x00, 0x20, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01, 0x00},
       {0x20, 0x10, 0x00, 0x21, 0x11, 0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TiffBuilder b = BasicTiff(c.width, 1, c.samples, c.bits, 5, 1);
    b.bigEndian = c.big;
    b.tags.push_back({317, 3, {2}});
    b.strips = {LiteralLzw(c.data)};
    const Bitmap bitmap = Load(b.Build());
    ASSERT_EQ(bitmap.format(), PixelFormat::Bgr24);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.Row(0), bitmap.Row(0) + c.expectedFirstRowBgr.size()),
              c.expectedFirstRowBgr);
  }
}

TEST(TiffReader, SixteenBitMotorolaSamplesBecomeEightBits) {
  TiffBuilder b = BasicTiff(1, 1, 3, 16, 1, 1);
  b.bigEndian = true;
  b.strips = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}};
  const Bitmap bitmap = Load(b.Build());
  ASSERT_EQ(bitmap.format(), PixelFormat::Bgr24);
  EXPECT_EQ(bitmap.Row(0)[2], 0x12);
  EXPECT_EQ(bitmap.Row(0)[1], 0x56);
  EXPECT_EQ(bitmap.Row(0)[0], 0x9A);
}

std::vector<std::uint8_t> WithSecondDirectory(std::vector<std::uint8_t> bytes, std::uint32_t nextOffset) {
  // The builder's directory is the last thing in the file; its next-IFD
  // offset is the last 4 bytes (little-endian files only).
  const std::size_t at = bytes.size() - 4;
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(nextOffset >> (8 * i));
  return bytes;
}

TEST(TiffReader, SubsampledYCbCrBlocksGiveEveryRowItsChroma) {
  // 4 x 2 pixels in two 2 x 2 blocks: four luma samples, then Cb and Cr.
  TiffBuilder b = BasicTiff(4, 2, 3, 8, 1, 2);
  std::erase_if(b.tags, [](const test::TiffTag& t) { return t.tag == 262; });
  b.tags.push_back({262, 3, {6}});
  b.tags.push_back({530, 3, {2, 2}});
  b.strips = {{10, 20, 50, 60, 128, 128, 100, 100, 100, 100, 128, 178}};
  const Bitmap bitmap = Load(b.Build());
  ASSERT_EQ(bitmap.format(), PixelFormat::Bgr24);
  const auto pixel = [&bitmap](int x, int y) {
    const std::uint8_t* p = bitmap.Row(y) + 3 * x;
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  EXPECT_EQ(pixel(0, 0), (std::array<int, 3>{10, 10, 10}));
  EXPECT_EQ(pixel(1, 0), (std::array<int, 3>{20, 20, 20}));
  EXPECT_EQ(pixel(0, 1), (std::array<int, 3>{50, 50, 50}));
  EXPECT_EQ(pixel(1, 1), (std::array<int, 3>{60, 60, 60}));
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) EXPECT_EQ(pixel(x, y), (std::array<int, 3>{100, 64, 170})) << x << "," << y;
}

std::vector<std::uint8_t> Deflated(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> packed(compressBound(bytes.size()));
  uLongf size = packed.size();
  if (compress2(packed.data(), &size, bytes.data(), bytes.size(), 6) != Z_OK) return {};
  packed.resize(size);
  return packed;
}

TEST(TiffReader, EveryCompressionSchemeThroughTheReader) {
  // One row of 4-bit grey, four pixels: 5 5 5 6.
  const std::vector<std::uint8_t> row = {0x55, 0x56};
  struct Case {
    const char* name;
    std::uint32_t compression;
    std::vector<std::uint8_t> strip;
  };
  const Case cases[] = {
      {"none", 1, row},
      {"PackBits: a literal of two", 32773, {0x01, 0x55, 0x56}},
      {"ThunderScan: raw 5, then deltas 0, 0, +1", 32809, {0xC5, 0x41}},
      {"LZW", 5, LiteralLzw(row)},
      {"deflate", 8, Deflated(row)},
      {"deflate under its other number", 32946, Deflated(row)},
  };
  for (const Case& c : cases) {
    TiffBuilder b = BasicTiff(4, 1, 1, 4, c.compression, 1);
    b.strips = {c.strip};
    const Bitmap bitmap = Load(b.Build());
    ASSERT_EQ(bitmap.format(), PixelFormat::Indexed4) << c.name;
    EXPECT_EQ(bitmap.Row(0)[0] << 8 | bitmap.Row(0)[1], 0x5556) << c.name;
  }
}

TEST(TiffReader, OnlyTheFirstImageIsRead) {
  TiffBuilder b = BasicTiff(2, 1, 1, 8, 1, 1);
  b.strips = {{7, 9}};
  auto bytes = b.Build();
  const auto second = static_cast<std::uint32_t>(bytes.size());
  bytes = WithSecondDirectory(bytes, second);
  // A second directory that claims more entries than the file holds.
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0, 0});
  const Bitmap bitmap = Load(bytes);
  EXPECT_EQ(bitmap.Row(0)[1], 9);
  EXPECT_THROW(TiffDirectory::Read(bytes, 1), Failure);
}

TEST(TiffReader, BrokenAndHostileFilesFailCleanly) {
  TiffBuilder good = BasicTiff(2, 2, 1, 8, 1, 2);
  good.strips = {{1, 2, 3, 4}};
  const auto goodBytes = good.Build();

  const auto patched = [&](std::uint16_t tag, std::uint16_t type, std::vector<std::uint32_t> values) {
    TiffBuilder b = good;
    std::erase_if(b.tags, [tag](const test::TiffTag& t) { return t.tag == tag; });
    b.tags.push_back({tag, type, std::move(values)});
    return b.Build();
  };
  const auto withCount = [&](std::uint16_t tag, std::uint32_t count) {
    // The entry's count field, rewritten after building.
    auto bytes = goodBytes;
    const std::uint32_t directory = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | std::uint32_t(bytes[7]) << 24;
    const int entries = bytes[directory] | bytes[directory + 1] << 8;
    for (int i = 0; i < entries; ++i) {
      std::uint8_t* e = &bytes[directory + 2 + 12 * i];
      if ((e[0] | e[1] << 8) == tag) std::memcpy(e + 4, &count, 4);
    }
    return bytes;
  };
  auto noStrips = good;
  noStrips.withStrips = false;
  auto looped = WithSecondDirectory(goodBytes, goodBytes[4] | goodBytes[5] << 8);
  auto version43 = goodBytes;
  version43[2] = 43;
  auto huge = BasicTiff(60000, 60000, 1, 8, 1, 60000);
  huge.strips = good.strips;
  auto wideBand = BasicTiff(16384, 16384, 3, 16, 1, 16384);  // at the pixel limit, a 1.5 GB strip
  wideBand.strips = good.strips;
  auto directoryPastEnd = goodBytes;
  directoryPastEnd[5] = 0x7F;

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"the good file", goodBytes, "loaded"},
      {"a directory chain in a circle", looped, "loaded"},
      {"no strips at all", noStrips.Build(), std::string(kDataMissing)},
      {"strip offset past the end", patched(273, 4, {100000}), std::string(kDataMissing)},
      {"strip cut short", patched(279, 4, {3}), std::string(kDataMissing)},
      {"a billion strip offsets", withCount(273, 1'000'000'000), std::string(kInvalid)},
      {"a billion bits per sample values", withCount(258, 1'000'000'000), std::string(kInvalid)},
      {"version 43", version43, std::string(kInvalid)},
      {"width 0", patched(256, 4, {0}), std::string(kInvalid)},
      {"17 bits a sample", patched(258, 3, {17}),
       "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16."},
      {"5 samples a pixel", patched(277, 3, {5}),
       "Sample count per pixel does not correspond to the given color scheme."},
      {"a transparency mask", patched(262, 3, {4}), "Color conversion failed. Could not find a proper method."},
      {"group 4 fax", patched(259, 3, {4}), std::string(kUnsupportedCompression)},
      {"old-style JPEG", patched(259, 3, {6}), std::string(kUnsupportedCompression)},
      {"an unknown compression", patched(259, 3, {12345}), std::string(kUnsupportedCompression)},
      {"60000 x 60000 pixels", huge.Build(), "too large: Das Bild ist zu groß (60000 × 60000 Pixel)."},
      {"a band beyond the allocation limit", wideBand.Build(), "too large: Das Bild ist zu groß (16384 × 16384 Pixel)."},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadError(c.bytes), c.expected) << c.name;

  EXPECT_FALSE(TiffDirectory::Read(looped, 5)) << "the circle ends the walk";
  EXPECT_THROW(TiffDirectory::Read(directoryPastEnd, 0), Failure);
}

TEST(TiffReader, ModifiedHuffmanRowsInEveryAlignmentAndBitOrder) {
  // Width 16: a white row (white 16), then white 4, black 8, white 4.
  struct Case {
    const char* name;
    std::uint32_t compression, fillOrder;
    std::vector<std::uint8_t> data;
  };
  const Case cases[] = {
      {"byte-aligned rows", 2, 1, {0xA8, 0xB1, 0x6C}},
      {"word-aligned rows", 32771, 1, {0xA8, 0x00, 0xB1, 0x6C}},
      {"lowest bit first", 2, 2, {0x15, 0x8D, 0x36}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TiffBuilder b = BasicTiff(16, 2, 1, 1, c.compression, 2);
    std::erase_if(b.tags, [](const test::TiffTag& t) { return t.tag == 262; });
    b.tags.push_back({262, 3, {0}});
    b.tags.push_back({266, 3, {c.fillOrder}});
    b.strips = {c.data};
    const Bitmap bitmap = Load(b.Build());
    ASSERT_EQ(bitmap.format(), PixelFormat::Indexed1);
    EXPECT_EQ(bitmap.Row(0)[0] << 8 | bitmap.Row(0)[1], 0x0000);
    EXPECT_EQ(bitmap.Row(1)[0] << 8 | bitmap.Row(1)[1], 0x0FF0);
    EXPECT_EQ(bitmap.palette()[1], (PaletteEntry{0, 0, 0, 255})) << "min-is-white: 1 is black";
  }
}

std::vector<std::uint8_t> Eps(const std::vector<std::uint8_t>& tiff, std::uint32_t declaredLength) {
  const std::string postscript = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 37 23\nshowpage\n";
  std::vector<std::uint8_t> out = {0xC5, 0xD0, 0xD3, 0xC6};
  const auto put32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto tiffAt = static_cast<std::uint32_t>(30 + postscript.size());
  for (std::uint32_t v : {30u, static_cast<std::uint32_t>(postscript.size()), 0u, 0u, tiffAt, declaredLength}) put32(v);
  out.insert(out.end(), {0xFF, 0xFF});
  out.insert(out.end(), postscript.begin(), postscript.end());
  out.insert(out.end(), tiff.begin(), tiff.end());
  return out;
}

TEST(EpsReader, ReadsTheTiffPreview) {
  const auto tiff = ReadFile(kData / "rgb8-lzw-mm.tif");
  const auto eps = Eps(tiff, static_cast<std::uint32_t>(tiff.size()));
  MemoryStream stream(eps);
  EXPECT_EQ(FileFormats().ReaderClassFromStream(stream), &kEPSGraphic);
  const Bitmap preview = Load(eps), direct = Load(tiff);
  ASSERT_EQ(preview.height(), direct.height());
  for (int y = 0; y < direct.height(); ++y)
    EXPECT_EQ(std::memcmp(preview.Row(y), direct.Row(y), direct.rowBytes()), 0) << "row " << y;

  EXPECT_EQ(LoadError(Eps(tiff, 100)), kInvalid) << "the preview ends before its strips";
}

}  // namespace
}  // namespace lumivo
