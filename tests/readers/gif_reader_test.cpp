#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <functional>
#include <vector>

#include "readers/gif_lzw_decoder.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::Bgr;
using test::PixelAt;

const std::filesystem::path kData = std::filesystem::path(LUMIVO_TEST_DATA) / "gif";

Bytes Fixture(const char* name) { return test::ReadFile(kData / name); }

Bitmap LoadGif(const Bytes& bytes) {
  Bitmap picture;
  kGIFGraphic.load(bytes, picture);
  return picture;
}

Bitmap AsBgr(Bitmap picture) {
  EXPECT_TRUE(picture.ConvertToBgr24());
  return picture;
}

// Qt's GIF decoder as the reference, transparent parts over white.
Bitmap ReferenceDecode(const Bytes& bytes) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "GIF"));
  image = image.convertToFormat(QImage::Format_ARGB32);
  return test::MakeBitmap(image.width(), image.height(), [&](int x, int y) {
    const QRgb c = image.pixel(x, y);
    const int a = qAlpha(c);
    auto over = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return Bgr{over(qBlue(c)), over(qGreen(c)), over(qRed(c))};
  });
}

void ExpectSamePixels(const Bitmap& actual, const Bitmap& expected, const std::string& what) {
  ASSERT_EQ(actual.width(), expected.width()) << what;
  ASSERT_EQ(actual.height(), expected.height()) << what;
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      ASSERT_EQ(PixelAt(actual, x, y), PixelAt(expected, x, y)) << what << " at " << x << "," << y;
}

// Where the first image descriptor starts (its separator byte).
std::size_t DescriptorAt(const Bytes& gif) {
  std::size_t at = 13;
  if (gif[10] & 0x80) at += 3 * (std::size_t{2} << (gif[10] & 7));
  while (gif.at(at) == 0x21) {
    at += 2;
    while (gif.at(at)) at += gif[at] + 1;
    ++at;
  }
  EXPECT_EQ(gif.at(at), 0x2C);
  return at;
}

TEST(GifReader, DecodesFilesFromImageMagickLikeQt) {
  // Noise fills the LZW table and clears it; the others cover 1-bit, 4-bit,
  // interlaced, animated, commented and transparent files.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kData)) {
    const Bytes bytes = test::ReadFile(entry.path());
    const Bitmap picture = LoadGif(bytes);
    EXPECT_EQ(picture.format(), PixelFormat::Indexed8);
    ExpectSamePixels(AsBgr(picture), ReferenceDecode(bytes), entry.path().filename().string());
    ++files;
  }
  EXPECT_GE(files, 7);
}

TEST(GifReader, PlacesInterlacedRowsInPassOrder) {
  // Height 5: the file's rows belong to rows 0, 4, 2, 1, 3.
  const Bytes bytes = Fixture("interlaced-rows.gif");
  ASSERT_TRUE(bytes[DescriptorAt(bytes) + 9] & 0x40) << "the fixture must be interlaced";
  const Bitmap picture = AsBgr(LoadGif(bytes));
  const Bgr rows[] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}, {255, 255, 0}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(picture, x, y), rows[y]) << x << "," << y;
}

TEST(GifReader, LoadsTheFirstFrameAndShowsTransparentIndexWhite) {
  const Bitmap animated = AsBgr(LoadGif(Fixture("animated.gif")));
  EXPECT_EQ(animated.width(), 8);
  EXPECT_EQ(animated.height(), 6);
  EXPECT_EQ(PixelAt(animated, 7, 5), (Bgr{0, 0, 255})) << "red first frame, not the blue second";

  const Bitmap transparent = LoadGif(Fixture("transparent.gif"));
  EXPECT_TRUE(transparent.transparent());
  const Bitmap shown = AsBgr(transparent);
  EXPECT_EQ(PixelAt(shown, 0, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(shown, 3, 3), (Bgr{0, 0, 0}));
  EXPECT_EQ(PixelAt(shown, 5, 5), (Bgr{0, 0, 255}));
}

TEST(GifReader, ReadsRewrittenStructuresLikeTheOriginal) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> rewrite;
  };
  const Case cases[] = {
      {"width 0 takes the screen's", [](Bytes& g) { g[DescriptorAt(g) + 5] = g[DescriptorAt(g) + 6] = 0; }},
      {"height 0 takes the screen's", [](Bytes& g) { g[DescriptorAt(g) + 7] = g[DescriptorAt(g) + 8] = 0; }},
      {"only a local colour table",
       [](Bytes& g) {
         const std::uint8_t flags = g[10];
         const std::size_t tableBytes = 3 * (std::size_t{2} << (flags & 7));
         const Bytes table(g.begin() + 13, g.begin() + 13 + tableBytes);
         g.erase(g.begin() + 13, g.begin() + 13 + tableBytes);
         g[10] = flags & 0x7F;
         const std::size_t descriptor = DescriptorAt(g);
         g[descriptor + 9] |= 0x80 | (flags & 7);
         g.insert(g.begin() + descriptor + 10, table.begin(), table.end());
       }},
      {"unknown extensions are skipped as sub-blocks, separators inside them too",
       [](Bytes& g) {
         const Bytes extension = {0x21, 0x99, 3, 0x2C, 0x3B, 0x21, 2, 0x2C, 0x2C, 0};
         g.insert(g.begin() + DescriptorAt(g), extension.begin(), extension.end());
       }},
      {"stray bytes between blocks are passed over",
       [](Bytes& g) { g.insert(g.begin() + DescriptorAt(g), {0x00, 0x42}); }},
  };
  for (const char* name : {"comment.gif", "noise.gif", "plasma-interlaced.gif"}) {
    const Bytes original = Fixture(name);
    const Bitmap expected = AsBgr(LoadGif(original));
    for (const Case& c : cases) {
      Bytes rewritten = original;
      c.rewrite(rewritten);
      ExpectSamePixels(AsBgr(LoadGif(rewritten)), expected, std::string(name) + ": " + c.what);
    }
  }
}

TEST(GifReader, CutOffImageDataKeepsTheDecodedTopAndLeavesTheRestAtIndexZero) {
  const Bytes original = Fixture("noise.gif");
  const Bitmap full = LoadGif(original);
  Bytes cut = original;
  // The fourth sub-block's size becomes the terminator: the data ends early.
  std::size_t at = DescriptorAt(cut) + 11;
  for (int block = 0; block < 3; ++block) at += cut[at] + 1;
  cut[at] = 0;
  const Bitmap partial = LoadGif(cut);
  ASSERT_EQ(partial.width(), full.width());
  EXPECT_EQ(0, std::memcmp(partial.Row(0), full.Row(0), 96)) << "the first row is decoded";
  const int last = partial.height() - 1;
  EXPECT_EQ(Bytes(partial.Row(last), partial.Row(last) + 96), Bytes(96, 0));
}

TEST(GifReader, AnswersWhatIsWrongWithAFile) {
  Bitmap picture;
  const Bytes notGif = {'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
  try {
    kGIFGraphic.load(notGif, picture);
    ADD_FAILURE() << "not a GIF";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "Cannot load image. Invalid or unexpected GIF image format.");
  }

  const Bytes noImage = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0, 0, 0, 0x21, 0xFE, 1, 'x', 0, 0x3B};
  EXPECT_NO_THROW(kGIFGraphic.load(noImage, picture));
  EXPECT_TRUE(picture.empty()) << "no image before the trailer leaves the picture empty";

  Bytes huge = Fixture("bilevel.gif");
  const std::size_t descriptor = DescriptorAt(huge);
  for (int i : {5, 6, 7, 8}) huge[descriptor + i] = 0xFF;
  EXPECT_THROW(kGIFGraphic.load(huge, picture), TooLarge);

  const Bytes whole = Fixture("comment.gif");
  for (std::size_t size : {std::size_t{10}, std::size_t{30}, whole.size() - 12}) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    try {
      kGIFGraphic.load(cut, picture);
      ADD_FAILURE() << "cut at " << size;
    } catch (const TooLarge&) {
      ADD_FAILURE() << "a cut file is broken, not too large";
    } catch (const Failure&) {
    }
  }

  Bytes badCodeSize = Fixture("bilevel.gif");
  badCodeSize[DescriptorAt(badCodeSize) + 10] = 12;
  EXPECT_THROW(kGIFGraphic.load(badCodeSize, picture), Failure);
}

// Packs codes least significant bit first, each at its own width.
Bytes PackCodes(const std::vector<std::pair<int, int>>& codes) {
  Bytes packed;
  std::uint32_t bits = 0;
  int count = 0;
  for (const auto& [code, width] : codes) {
    bits |= static_cast<std::uint32_t>(code) << count;
    count += width;
    for (; count >= 8; count -= 8, bits >>= 8) packed.push_back(static_cast<std::uint8_t>(bits));
  }
  if (count) packed.push_back(static_cast<std::uint8_t>(bits));
  return packed;
}

TEST(GifLzwDecoder, DecodesAndStopsOnCodesThatCannotBe) {
  // Initial code size 2: clear 4, end 5, first free 6, three bits wide.
  struct Case {
    const char* what;
    Bytes packed;
    Bytes expected;
  };
  const Case cases[] = {
      {"roots then the end code", PackCodes({{4, 3}, {1, 3}, {2, 3}, {5, 3}, {3, 3}}), {1, 2}},
      {"the code being defined (KwKwK)", PackCodes({{4, 3}, {1, 3}, {6, 3}, {5, 3}}), {1, 1, 1}},
      {"widens to four bits after entry 7",
       PackCodes({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {0, 4}, {8, 4}, {5, 4}}), {1, 2, 3, 0, 3, 0}},
      {"a clear code starts the table again: 6 is no longer 1 2",
       PackCodes({{4, 3}, {1, 3}, {2, 3}, {4, 3}, {2, 3}, {6, 3}, {5, 3}}), {1, 2, 2, 2, 2}},
      {"a code beyond the table stops", PackCodes({{4, 3}, {1, 3}, {7, 3}, {2, 3}}), {1}},
      {"the next free code right after a clear stops", PackCodes({{4, 3}, {6, 3}, {1, 3}}), {}},
      {"data ending inside a code stops", Bytes{0x0C}, {1}},
  };
  for (const Case& c : cases) {
    TGIFLZWDecoder decoder(2, c.packed);
    Bytes out(16, 0xEE);
    out.resize(decoder.Decode(out));
    EXPECT_EQ(out, c.expected) << c.what;
  }
}

TEST(GifLzwDecoder, HandsOutLongStringsInPiecesOfAnySize) {
  // Strings of 1, 2, 3 and 4 pixels: ten ones.
  const Bytes packed = PackCodes({{4, 3}, {1, 3}, {6, 3}, {7, 3}, {8, 4}, {5, 4}});
  for (std::size_t piece : {1, 3, 7, 16}) {
    TGIFLZWDecoder decoder(2, packed);
    Bytes all;
    for (;;) {
      Bytes out(piece);
      const std::size_t got = decoder.Decode(out);
      all.insert(all.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(got));
      if (got < piece) break;
    }
    EXPECT_EQ(all, Bytes(10, 1)) << "pieces of " << piece;
  }
  EXPECT_THROW(TGIFLZWDecoder(0, packed), Failure);
  EXPECT_THROW(TGIFLZWDecoder(9, packed), Failure);
}

TEST(GifLzwDecoder, AFullTableKeepsItsLastEntryAndTwelveBits) {
  // Alternating roots 1, 2 add one entry each until code 4095 holds "2 1";
  // an encoder that defers its clear may then still use it.
  std::vector<std::pair<int, int>> codes = {{4, 3}};
  const auto widthFor = [](int nextFree) {
    int width = 3;
    while (width < 12 && nextFree >= 1 << width) ++width;
    return width;
  };
  int nextFree = 6;
  for (int i = 0; i <= 4090; ++i) {
    codes.push_back({i % 2 ? 2 : 1, widthFor(nextFree)});
    if (i > 0) ++nextFree;
  }
  ASSERT_EQ(nextFree, 4096);
  codes.push_back({4095, 12});
  codes.push_back({5, 12});
  const Bytes packed = PackCodes(codes);  // the decoder reads it in place
  TGIFLZWDecoder decoder(2, packed);
  Bytes out(5000);
  ASSERT_EQ(decoder.Decode(out), 4093u);
  EXPECT_EQ(out[4091], 2);
  EXPECT_EQ(out[4092], 1);
}

}  // namespace
}  // namespace lumivo
