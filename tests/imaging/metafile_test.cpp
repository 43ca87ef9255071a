#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "imaging/platform_loader.h"
#include "support/gui_application.h"
#include "support/picture_files.h"

namespace lumivo {
namespace {

[[maybe_unused]] const bool kGui = test::RegisterGuiApplication();

using Bytes = std::vector<std::uint8_t>;
using test::Bgr;
using test::PixelAt;

// Little-endian record writer.
struct Writer {
  Bytes bytes;
  Writer& U16(int v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  Writer& U32(std::int64_t v) { return U16(static_cast<int>(v & 0xFFFF)).U16(static_cast<int>((v >> 16) & 0xFFFF)); }
  Writer& Append(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
};

constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;

// A 2 x 2 green 24-bit DIB (bottom-up rows of 8 bytes with padding).
Bytes GreenDib() {
  Writer dib;
  dib.U32(40).U32(2).U32(2).U16(1).U16(24).U32(0).U32(16).U32(3780).U32(3780).U32(0).U32(0);
  for (int row = 0; row < 2; ++row) dib.Append({0, 255, 0, 0, 255, 0, 0, 0});
  return dib.bytes;
}

// What every fixture draws on its 100 x 80 picture: a red square filled from
// (10,10) to (40,40), a blue line 5 wide from (50,10) to (90,10), green
// pixels from (60,40) to (80,60), and a word at (10,55).
struct Samples {
  static void Check(const Bitmap& picture, const std::string& what) {
    ASSERT_EQ(picture.width(), 100) << what;
    ASSERT_EQ(picture.height(), 80) << what;
    EXPECT_EQ(PixelAt(picture, 25, 25), (Bgr{0, 0, 255})) << what << ": inside the polygon";
    EXPECT_EQ(PixelAt(picture, 70, 10), (Bgr{255, 0, 0})) << what << ": on the line";
    EXPECT_EQ(PixelAt(picture, 70, 50), (Bgr{0, 255, 0})) << what << ": inside the bitmap";
    EXPECT_EQ(PixelAt(picture, 95, 75), (Bgr{255, 255, 255})) << what << ": undrawn parts are white";
    EXPECT_EQ(PixelAt(picture, 5, 5), (Bgr{255, 255, 255})) << what;
    int dark = 0;
    for (int y = 55; y < 75; ++y)
      for (int x = 10; x < 50; ++x) dark += PixelAt(picture, x, y)[1] < 128;
    EXPECT_GT(dark, 10) << what << ": the text is drawn";
  }
};

Bytes Wmf(bool placeable, int bboxRight = 100, int bboxBottom = 80, int unitsPerInch = 96) {
  Writer records;
  auto record = [&](int function, std::initializer_list<int> words, const Bytes& tail = {}) {
    records.U32(3 + static_cast<std::int64_t>(words.size()) + static_cast<std::int64_t>(tail.size() / 2)).U16(function);
    for (int w : words) records.U16(w);
    records.Append(tail);
  };
  record(0x020B, {0, 0});    // window origin
  record(0x020C, {80, 100});  // window extent: height, width
  record(0x0102, {1});        // transparent text background
  record(0x02FC, {0, kRed & 0xFFFF, kRed >> 16, 0});                      // solid red brush: object 0
  record(0x02FA, {0, 1, 0, kRed & 0xFFFF, kRed >> 16});                    // red pen: object 1
  record(0x012D, {0});
  record(0x012D, {1});
  record(0x0324, {4, 10, 10, 40, 10, 40, 40, 10, 40});                     // polygon
  record(0x02FA, {0, 5, 0, kBlue & 0xFFFF, kBlue >> 16});                  // blue pen 5 wide: object 2
  record(0x012D, {2});
  record(0x0214, {10, 50});  // move to (50,10): y first
  record(0x0213, {10, 90});
  {
    Writer font;  // LOGFONT, 16 units high, "Arial"
    font.U16(-16).U16(0).U16(0).U16(0).U16(700);
    font.Append({0, 0, 0, 0, 0, 0, 0, 0});
    Bytes face(32, 0);
    const std::string name = "Arial";
    std::copy(name.begin(), name.end(), face.begin());
    font.Append(face);
    record(0x02FB, {}, font.bytes);  // object 3
  }
  record(0x012D, {3});
  {
    Writer text;
    const std::string word = "Wort";
    text.U16(static_cast<int>(word.size())).Append(Bytes(word.begin(), word.end())).U16(55).U16(10);
    record(0x0521, {}, text.bytes);
  }
  {
    Writer dib;
    dib.U32(0x00CC0020).U16(0).U16(2).U16(2).U16(0).U16(0).U16(20).U16(20).U16(40).U16(60).Append(GreenDib());
    record(0x0F43, {}, dib.bytes);
  }
  record(0x0000, {});

  Writer file;
  if (placeable) {
    Writer header;
    header.U32(0x9AC6CDD7).U16(0).U16(0).U16(0).U16(bboxRight).U16(bboxBottom).U16(unitsPerInch).U32(0);
    int checksum = 0;
    for (std::size_t i = 0; i < header.bytes.size(); i += 2) checksum ^= header.bytes[i] | header.bytes[i + 1] << 8;
    file.Append(header.bytes).U16(checksum);
  }
  const std::int64_t words = 9 + static_cast<std::int64_t>(records.bytes.size() / 2);
  file.U16(1).U16(9).U16(0x0300).U32(words).U16(4).U32(64).U16(0).Append(records.bytes);
  return file.bytes;
}

// Frame in hundredths of a millimetre: 100 x 80 pixels at 96 dpi.
Bytes Emf(std::int64_t frameRight = 2646, std::int64_t frameBottom = 2117, std::int64_t textOptions = 0) {
  Writer records;
  int count = 1;
  auto record = [&](std::uint32_t type, const Bytes& body) {
    records.U32(type).U32(static_cast<std::int64_t>(8 + body.size())).Append(body);
    ++count;
  };
  auto words = [](std::initializer_list<std::int64_t> values) {
    Writer w;
    for (auto v : values) w.U32(v);
    return w.bytes;
  };
  record(18, words({1}));                                  // transparent background
  record(39, words({1, 0, kRed, 0}));                       // brush 1
  record(38, words({2, 0, 1, 0, kRed}));                    // pen 2
  record(37, words({1}));
  record(37, words({2}));
  {
    Writer polygon;
    polygon.Append(words({10, 10, 40, 40, 4}));
    for (int v : {10, 10, 40, 10, 40, 40, 10, 40}) polygon.U16(v);
    record(86, polygon.bytes);
  }
  record(38, words({3, 0, 5, 0, kBlue}));  // pen 3, as CreatePen writes it
  record(37, words({3}));
  record(27, words({50, 10}));
  record(54, words({90, 10}));
  {
    Writer font;
    font.Append(words({4, static_cast<std::uint32_t>(-16), 0, 0, 0, 700}));
    font.Append({0, 0, 0, 0, 0, 0, 0, 0});
    Bytes face(64, 0);
    const std::string name = "Arial";
    for (std::size_t i = 0; i < name.size(); ++i) face[2 * i] = static_cast<std::uint8_t>(name[i]);
    font.Append(face);
    record(82, font.bytes);
  }
  record(37, words({4}));
  {
    const std::string word = "Wort";
    Writer text;
    text.Append(words({10, 55, 60, 75, 1, 0, 0}));   // bounds, graphics mode, two zero scales
    const std::int64_t stringAt = 8 + 16 + 12 + 40;
    text.Append(words({10, 55, static_cast<std::int64_t>(word.size()), stringAt, textOptions, 0, 0, 0, 0, 0}));
    for (char c : word) text.U16(c);
    record(84, text.bytes);
  }
  {
    const Bytes dib = GreenDib();
    Writer stretch;
    stretch.Append(words({60, 40, 80, 60, 60, 40, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 20, 20}));
    stretch.Append(dib);
    record(81, stretch.bytes);
  }
  record(14, words({0, 16, 20}));

  Writer header;
  header.U32(1).U32(88).U32(0).U32(0).U32(99).U32(79);              // bounds in pixels
  header.U32(0).U32(0).U32(frameRight).U32(frameBottom);            // frame
  header.U32(0x464D4520).U32(0x10000).U32(88 + static_cast<std::int64_t>(records.bytes.size())).U32(count);
  header.U16(5).U16(0).U32(0).U32(0).U32(0).U32(960).U32(960).U32(254).U32(254);
  return header.Append(records.bytes).bytes;
}

Status Load(const Bytes& bytes, Bitmap& picture) { return LoadPlatformPicture(bytes, "fixture", picture).status(); }

TEST(Metafiles, DrawAtTheirNaturalSizeOnWhite) {
  const std::pair<const char*, Bytes> files[] = {{"placeable WMF", Wmf(true)}, {"EMF", Emf()}};
  for (const auto& [what, bytes] : files) {
    Bitmap picture;
    const Status loaded = Load(bytes, picture);
    ASSERT_TRUE(loaded) << what << ": " << (loaded ? "" : loaded.message());
    EXPECT_EQ(picture.format(), PixelFormat::Bgr24);
    Samples::Check(picture, what);
  }
}

TEST(Metafiles, TextLeavesFontconfigToTheRestOfTheProgram) {
  // Held by us, the configuration outlives a teardown, and a new one would
  // take its place as the current one.
  FcConfig* config = FcConfigGetCurrent();
  ASSERT_NE(config, nullptr);
  FcConfigReference(config);
  constexpr std::int64_t kGlyphIndices = 0x10;  // ETO_GLYPH_INDEX, as Office writes text
  Bitmap picture;
  ASSERT_TRUE(Load(Emf(2646, 2117, kGlyphIndices), picture));
  EXPECT_EQ(FcConfigGetCurrent(), config);
  FcConfigDestroy(config);
}

TEST(Metafiles, APlainWindowsMetafileTakesItsSizeFromItsWindow) {
  Bitmap picture;
  const Status loaded = Load(Wmf(false), picture);
  ASSERT_TRUE(loaded) << loaded.message();
  Samples::Check(picture, "plain WMF");
}

TEST(Metafiles, AnAbsurdFrameIsRefusedAsTooLarge) {
  // A million pixels each way: 26,458,333 hundredths of a millimetre. The
  // thin strip is within the pixel limit but wider than any JPEG.
  const std::pair<const char*, Bytes> files[] = {{"EMF", Emf(26'458'333, 26'458'333)},
                                                 {"placeable WMF", Wmf(true, 32767, 32767, 1)},
                                                 {"EMF 80,000 x 80 pixels", Emf(2'116'667, 2'117)}};
  for (const auto& [what, bytes] : files) {
    Bitmap picture;
    const Status loaded = Load(bytes, picture);
    ASSERT_FALSE(loaded) << what;
    EXPECT_EQ(loaded.kind(), ErrorKind::TooLarge) << what << ": " << loaded.message();
  }
}

TEST(Metafiles, DamagedFilesAnswerFalse) {
  struct Case {
    std::string what;
    Bytes bytes;
  };
  std::vector<Case> cases;
  for (const auto& [kind, good, firstRecord] :
       {std::tuple{"EMF", Emf(), std::size_t{88}}, std::tuple{"WMF", Wmf(true), std::size_t{40}}}) {
    for (std::size_t size : {std::size_t{60}, firstRecord + 4, good.size() / 2, good.size() - 1})
      cases.push_back({std::string(kind) + " cut to " + std::to_string(size), Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size))});
    for (std::uint32_t wrong : {0u, 1u, 0x7FFFFFFFu, static_cast<std::uint32_t>(good.size())}) {
      Bytes bytes = good;
      const std::size_t sizeAt = firstRecord + (std::string(kind) == "EMF" ? 4 : 0);
      for (int i = 0; i < 4; ++i) bytes[sizeAt + i] = static_cast<std::uint8_t>(wrong >> (8 * i));
      cases.push_back({std::string(kind) + " record size " + std::to_string(wrong), bytes});
    }
    {
      // The bitmap announces 30000 x 30000 pixels but holds four.
      Bytes bytes = good;
      const Bytes dibHeader = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
      const auto dib = std::search(bytes.begin(), bytes.end(), dibHeader.begin(), dibHeader.end());
      dib[4] = dib[8] = 0x30;
      dib[5] = dib[9] = 0x75;
      cases.push_back({std::string(kind) + " bitmap larger than its record", bytes});
      // A colour table of 0xFF000000 entries that the record cannot hold.
      bytes = good;
      const auto table = std::search(bytes.begin(), bytes.end(), dibHeader.begin(), dibHeader.end());
      table[35] = 0xFF;
      cases.push_back({std::string(kind) + " colour table larger than its record", bytes});
      // A width of -2: libwmf would allocate gigabytes for it.
      bytes = good;
      const auto negative = std::search(bytes.begin(), bytes.end(), dibHeader.begin(), dibHeader.end());
      std::fill(negative + 4, negative + 8, 0xFF);
      negative[4] = 0xFE;
      cases.push_back({std::string(kind) + " bitmap of negative width", bytes});
    }
    std::mt19937 random(7);
    Bytes noise(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(firstRecord));
    for (int i = 0; i < 400; ++i) noise.push_back(static_cast<std::uint8_t>(random()));
    cases.push_back({std::string(kind) + " random records", noise});
  }
  for (const Case& c : cases) {
    Bitmap picture;
    const Status loaded = Load(c.bytes, picture);
    EXPECT_FALSE(loaded) << c.what;
    if (!loaded) {
      EXPECT_EQ(loaded.kind(), ErrorKind::Broken) << c.what;
    }
  }
}

}  // namespace
}  // namespace lumivo
