#include <gtest/gtest.h>

#include <functional>

#include "readers/png_files.h"
#include "readers/png_filters.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo {
namespace {

using test::Bytes;
using test::Chunk;

Bitmap LoadPng(const Bytes& file) {
  Bitmap picture;
  kPNGGraphic.load(file, picture);
  return picture;
}

std::string ErrorOf(const Bytes& file) {
  try {
    LoadPng(file);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "loaded";
}

Bytes OverWhite(Bitmap picture) {
  EXPECT_TRUE(picture.ConvertToBgr24());
  Bytes bgr;
  for (int y = 0; y < picture.height(); ++y)
    bgr.insert(bgr.end(), picture.Row(y), picture.Row(y) + picture.rowBytes());
  return bgr;
}

void ExpectSameAsReference(const Bytes& file, const std::string& what) {
  int width = 0, height = 0;
  const Bytes expected = test::ReferenceOverWhite(file, width, height);
  const Bitmap picture = LoadPng(file);
  ASSERT_EQ(picture.width(), width) << what;
  ASSERT_EQ(picture.height(), height) << what;
  EXPECT_EQ(OverWhite(picture), expected) << what;
}

// A tRNS chunk for a pattern picture: for grey and RGB the colour of its
// pixel (1, 0), which recurs every five columns; for indexed ones alphas.
Bytes TransparencyFor(const test::PngPicture& p) {
  if (p.colourType == 3) {
    const Bytes alphas = {0, 128, 255, 64, 200};
    return Bytes(alphas.begin(), alphas.begin() + std::min(5, 1 << p.depth));
  }
  const int channels = p.colourType == 2 ? 3 : 1;
  Bytes key;
  for (int c = 0; c < channels; ++c) {
    const std::size_t index = static_cast<std::size_t>(channels + c);
    unsigned v;
    if (p.depth == 16) {
      v = p.samples[2 * index] << 8 | p.samples[2 * index + 1];
    } else {
      const std::size_t bit = index * static_cast<std::size_t>(p.depth);
      v = (p.samples[bit / 8] >> (8 - p.depth - bit % 8)) & ((1u << p.depth) - 1);
    }
    key.push_back(static_cast<std::uint8_t>(v >> 8));
    key.push_back(static_cast<std::uint8_t>(v));
  }
  return key;
}

TEST(PngReader, DecodesEveryColourTypeDepthAndInterlaceLikeLibpng) {
  const std::pair<int, std::vector<int>> formats[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  const std::pair<int, int> sizes[] = {{13, 11}, {1, 9}, {9, 1}};
  int files = 0;
  for (const auto& [colourType, depths] : formats)
    for (int depth : depths)
      for (bool interlaced : {false, true})
        for (auto [width, height] : sizes)
          for (bool withTrns : {false, true}) {
            if (withTrns && (colourType == 4 || colourType == 6)) continue;
            test::PngPicture picture = test::PatternPicture(width, height, colourType, depth, interlaced);
            if (withTrns) picture.transparency = TransparencyFor(picture);
            const std::string what = "type " + std::to_string(colourType) + " depth " + std::to_string(depth) +
                                     (interlaced ? " interlaced " : " ") + std::to_string(width) + "x" +
                                     std::to_string(height) + (withTrns ? " tRNS" : "");
            ExpectSameAsReference(test::WritePng(picture), what);
            ++files;
          }
  EXPECT_EQ(files, 2 * 3 * (15 + 11));
}

TEST(PngReader, KeepsDepthsAsTheirBitmapFormats) {
  struct Case {
    int colourType, depth;
    PixelFormat format;
    bool transparent;
  };
  const Case cases[] = {
      {0, 1, PixelFormat::Indexed1, false}, {0, 2, PixelFormat::Indexed4, false},
      {0, 16, PixelFormat::Indexed8, false}, {3, 2, PixelFormat::Indexed4, false},
      {2, 16, PixelFormat::Bgr24, false},    {6, 16, PixelFormat::Bgra32, true},
      {4, 8, PixelFormat::Bgra32, true},
  };
  for (const Case& c : cases) {
    const Bitmap picture = LoadPng(test::WritePng(test::PatternPicture(6, 2, c.colourType, c.depth, false)));
    EXPECT_EQ(picture.format(), c.format) << c.colourType << "/" << c.depth;
    EXPECT_EQ(picture.transparent(), c.transparent) << c.colourType << "/" << c.depth;
  }
  const Bitmap grey2 = LoadPng(test::WritePng(test::PatternPicture(6, 2, 0, 2, false)));
  ASSERT_EQ(grey2.palette().size(), 16u);
  EXPECT_EQ(grey2.palette()[5], (PaletteEntry{85, 85, 85, 255})) << "level 1 of 3 on the 4-bit grey palette";
}

TEST(PngReader, LaysTransparentPixelsOverWhite) {
  // RGBA: opaque blue, fully transparent red, half-transparent black.
  const Bytes rows = {0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 0, 128};
  Bitmap picture = LoadPng(test::MakePng(3, 1, 8, 6, rows));
  ASSERT_TRUE(picture.transparent());
  const Bytes bgr = OverWhite(picture);
  EXPECT_EQ(bgr, (Bytes{255, 0, 0, 255, 255, 255, 127, 127, 127}));

  // Grey with alpha keeps its alpha for the same purpose.
  EXPECT_EQ(OverWhite(LoadPng(test::MakePng(2, 1, 8, 4, {0, 0, 0, 0, 255}))), (Bytes{255, 255, 255, 0, 0, 0}));
}

TEST(PngReader, UndoesTheRowFilters) {
  struct Case {
    const char* what;
    std::uint8_t filter;
    Bytes row, prior;
    std::size_t bpp;
    Bytes expected;
  };
  const Case cases[] = {
      {"sub on 8-bit RGB", 1, {10, 20, 30, 1, 2, 3}, {}, 3, {10, 20, 30, 11, 22, 33}},
      {"up", 2, {1, 2, 250}, {10, 20, 10}, 1, {11, 22, 4}},
      {"up on a first row", 2, {1, 2}, {}, 1, {1, 2}},
      {"average", 3, {4, 4}, {10, 20}, 1, {9, 4 + (9 + 20) / 2}},
      {"average on a first row", 3, {8, 4}, {}, 1, {8, 8}},
      {"paeth takes above for left 10, above 20, upper-left 10", 4, {0, 0}, {10, 20}, 1, {10, 20}},
      {"paeth takes left", 4, {231, 0}, {30, 20}, 1, {5, 5}},
      {"paeth on a first row is sub", 4, {5, 1}, {}, 1, {5, 6}},
      {"none", 0, {7, 8}, {1, 1}, 1, {7, 8}},
      {"unknown leaves the row", 9, {7, 8}, {1, 1}, 1, {7, 8}},
      {"sub on 16-bit grey with alpha", 1, {1, 2, 3, 4, 5, 6, 7, 8}, {}, 4, {1, 2, 3, 4, 6, 8, 10, 12}},
  };
  for (const Case& c : cases) {
    Bytes row = c.row;
    UnfilterPngRow(c.filter, row, c.prior, c.bpp);
    EXPECT_EQ(row, c.expected) << c.what;
  }
}

TEST(PngReader, ReadsImageDataSplitOverChunksAndSkipsAncillaryOnes) {
  const Bytes whole = test::WritePng(test::PatternPicture(13, 11, 2, 8, true));
  std::vector<Chunk> chunks = test::SplitChunks(whole);
  std::vector<Chunk> split;
  for (const Chunk& chunk : chunks) {
    if (chunk.type != "IDAT") {
      if (chunk.type == "IEND") split.push_back({"tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'x'}});
      split.push_back(chunk);
      continue;
    }
    split.push_back({"IDAT", {}});
    for (std::size_t at = 0; at < chunk.data.size(); at += 7) {
      const std::size_t end = std::min(at + 7, chunk.data.size());
      split.push_back({"IDAT", Bytes(chunk.data.begin() + at, chunk.data.begin() + end)});
      if (at % 21 == 0) split.push_back({"IDAT", {}});
    }
  }
  const Bytes file = test::JoinChunks(split);
  EXPECT_EQ(OverWhite(LoadPng(file)), OverWhite(LoadPng(whole)));

  std::vector<Chunk> critical = split;
  critical.insert(critical.end() - 1, Chunk{"QUIX", {1, 2, 3}});
  EXPECT_EQ(ErrorOf(test::JoinChunks(critical)), "Cannot load PNG image. Unexpected but critical chunk detected.");
}

TEST(PngReader, ChecksTheCrcOfEveryChunkItReads) {
  const Bytes file = test::MakePng(2, 2, 2, 3, {0, 0x1B, 0, 0xE4}, {{"PLTE", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                                                                     {"tEXt", {'a', 0, 'b'}},
                                                                     {"bKGD", {1}}});
  ASSERT_EQ(ErrorOf(file), "loaded");
  const std::vector<Chunk> chunks = test::SplitChunks(file);
  std::size_t at = 8;
  const std::string crc = "Cannot load image. CRC error found in PNG file.";
  for (const Chunk& chunk : chunks) {
    if (!chunk.data.empty()) {
      Bytes broken = file;
      broken[at + 8] ^= 0x10;  // the chunk's first data byte
      EXPECT_EQ(ErrorOf(broken) == crc, chunk.type != "tEXt") << chunk.type;
    }
    at += 12 + chunk.data.size();
  }
}

TEST(PngReader, RefusesBrokenFilesWithTheirMessage) {
  const Bytes rows = {0, 1, 2, 3};  // 1 x 1 RGB
  const Bytes good = test::MakePng(1, 1, 8, 2, rows);
  ASSERT_EQ(ErrorOf(good), "loaded");
  auto with = [&](const std::function<void(std::vector<Chunk>&)>& change) {
    std::vector<Chunk> chunks = test::SplitChunks(good);
    change(chunks);
    return test::JoinChunks(chunks);
  };
  auto idat = [](std::vector<Chunk>& c) -> Bytes& { return c[1].data; };
  const std::string invalid = "Cannot load image. Invalid or unexpected PNG image format.";
  struct Case {
    const char* what;
    Bytes file;
    std::string message;
  };
  Bytes badSignature = good;
  badSignature[1] = 'p';
  Bytes longer = test::Zlib({0, 1, 2, 3, 4});
  Bytes trailing = test::Zlib(rows);
  trailing.push_back(0);
  Bytes corrupt = test::Zlib(rows);
  corrupt[2] ^= 0xFF;
  const Case cases[] = {
      {"bad signature", badSignature, invalid},
      {"no IHDR first", with([](auto& c) { std::swap(c[0], c[1]); }), invalid},
      {"width 0", with([](auto& c) { c[0].data[3] = 0; }), invalid},
      {"unknown interlace method", with([](auto& c) { c[0].data[12] = 2; }), invalid},
      {"compression 1", with([](auto& c) { c[0].data[10] = 1; }),
       "Cannot load image. The compression scheme is not supported for PNG files."},
      {"RGB of 4 bits", with([](auto& c) { c[0].data[8] = 4; }), "Invalid color format in PNG file."},
      {"colour type 5", with([](auto& c) { c[0].data[9] = 5; }), "Invalid color format in PNG file."},
      {"palette of 4 bytes", with([](auto& c) { c.insert(c.begin() + 1, Chunk{"PLTE", {1, 2, 3, 4}}); }),
       "Cannot load image. Palette in PNG file is invalid."},
      {"indexed without palette", with([](auto& c) { c[0].data[9] = 3; }),
       "Cannot load image. Palette in PNG file is invalid."},
      {"corrupt deflate data", with([&](auto& c) { idat(c) = corrupt; }),
       "Cannot load image. Compression error found in PNG file."},
      {"stream ends early", with([&](auto& c) { idat(c) = test::Zlib({0, 1, 2}); }),
       "Cannot load image. Extra compressed data found in PNG file."},
      {"data after the stream", with([&](auto& c) { idat(c) = trailing; }),
       "Cannot load image. Extra compressed data found in PNG file."},
      {"data cut in the stream", with([&](auto& c) { idat(c).resize(idat(c).size() - 6); }),
       "Die Bilddaten der PNG-Datei enden vor dem Ende des Bildes."},
      {"no image data", with([](auto& c) { c.erase(c.begin() + 1); }), invalid},
      {"file ends before the image data", Bytes(good.begin(), good.begin() + 33),
       "Die Bilddaten sind beschädigt: unerwartetes Dateiende"},
      {"longer stream than the picture", with([&](auto& c) { idat(c) = longer; }), "loaded"},
      {"file cut after the image data", Bytes(good.begin(), good.end() - 6), "loaded"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.file), c.message) << c.what;
}

TEST(PngReader, RefusesPicturesBeyondTheLimitAsTooLarge) {
  const Bytes huge = test::MakePng(100000, 100000, 8, 2, {0, 1, 2, 3});
  EXPECT_THROW(LoadPng(huge), TooLarge);
}

}  // namespace
}  // namespace lumivo
