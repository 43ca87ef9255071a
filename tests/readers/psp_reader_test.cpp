#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

void Put(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Paint Shop Pro files of major version 3 (chunk lengths in the block
// header) or later (chunk lengths at the start of each chunk).
class PspFile {
 public:
  PspFile(int major, int width, int height, int depth, int compression) : major_(major) {
    const std::string signature = "Paint Shop Pro Image File\n\x1a";
    bytes_.assign(signature.begin(), signature.end());
    bytes_.resize(32, 0);
    Put(bytes_, static_cast<std::uint32_t>(major), 2), Put(bytes_, 0, 2);
    Bytes attributes;
    Put(attributes, static_cast<std::uint32_t>(width), 4), Put(attributes, static_cast<std::uint32_t>(height), 4);
    attributes.resize(attributes.size() + 9, 0);
    Put(attributes, static_cast<std::uint32_t>(compression), 2), Put(attributes, static_cast<std::uint32_t>(depth), 2);
    Put(attributes, 1, 2), Put(attributes, 0, 4), attributes.push_back(0);
    Put(attributes, 0, 4), Put(attributes, 0, 4), Put(attributes, 1, 2);
    AddBlock(bytes_, 0, Chunk(attributes), {});
  }

  void AddPalette(const Bytes& bgrx) {
    Bytes count;
    Put(count, static_cast<std::uint32_t>(bgrx.size() / 4), 4);
    if (major_ <= 3) count.insert(count.end(), bgrx.begin(), bgrx.end());
    AddBlock(bytes_, 4, Chunk(count), major_ <= 3 ? Bytes{} : bgrx);
  }

  // One layer at (left, top) with the given channels: {channel type, packed bytes, unpacked size}.
  struct Channel {
    int type;
    Bytes packed;
    std::uint32_t size;
  };
  void AddLayer(int left, int top, int right, int bottom, const std::vector<Channel>& channels) {
    Bytes info;
    if (major_ <= 3) {
      info.resize(256, 0);
    } else {
      Put(info, 1, 2), info.push_back('L');
    }
    info.push_back(0);
    for (int v : {left, top, right, bottom}) Put(info, static_cast<std::uint32_t>(v), 4);
    info.resize(info.size() + 40, 0);
    Bytes counts;
    Put(counts, 1, 2), Put(counts, static_cast<std::uint32_t>(channels.size()), 2);
    Bytes rest;
    if (major_ <= 3) {
      info.insert(info.end(), counts.begin(), counts.end());
    } else {
      rest = Chunk(counts);
    }
    for (const Channel& c : channels) {
      Bytes channel;
      Put(channel, static_cast<std::uint32_t>(c.packed.size()), 4), Put(channel, c.size, 4);
      Put(channel, 0, 2), Put(channel, static_cast<std::uint32_t>(c.type), 2);
      AddBlock(rest, 7, Chunk(channel), c.packed);
    }
    Bytes layer;
    AddBlock(layer, 6, Chunk(info), rest);
    AddBlock(bytes_, 5, {}, layer);
  }

  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes Chunk(const Bytes& fields) const {
    if (major_ <= 3) return fields;
    Bytes chunk;
    Put(chunk, static_cast<std::uint32_t>(fields.size() + 4), 4);
    chunk.insert(chunk.end(), fields.begin(), fields.end());
    return chunk;
  }
  void AddBlock(Bytes& into, int id, const Bytes& chunk, const Bytes& rest) const {
    into.insert(into.end(), {'~', 'B', 'K', 0});
    Put(into, static_cast<std::uint32_t>(id), 2);
    if (major_ <= 3) Put(into, static_cast<std::uint32_t>(chunk.size()), 4);
    Put(into, static_cast<std::uint32_t>(chunk.size() + rest.size()), 4);
    into.insert(into.end(), chunk.begin(), chunk.end());
    into.insert(into.end(), rest.begin(), rest.end());
  }

  int major_;
  Bytes bytes_;
};

Bytes Deflated(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes packed(size);
  compress(packed.data(), &size, data.data(), static_cast<uLong>(data.size()));
  packed.resize(size);
  return packed;
}

TEST(PspReader, ReadsTheFirstLayerRunLengthOrDeflated) {
  // 2 x 1, red 10 20, green 30 40, blue 50 60.
  PspFile rle(5, 2, 1, 24, 1);
  rle.AddLayer(0, 0, 2, 1, {{1, {0x02, 10, 20}, 2}, {2, {0x02, 30, 40}, 2}, {3, {0x82, 50}, 2}});
  Bitmap picture = LoadBytes(rle.bytes());
  ASSERT_EQ(picture.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(picture, 0, 0), (Bgr{50, 30, 10}));
  EXPECT_EQ(PixelAt(picture, 1, 0), (Bgr{50, 40, 20}));

  PspFile deflated(6, 2, 1, 24, 2);
  deflated.AddLayer(0, 0, 2, 1, {{1, Deflated({10, 20}), 2}, {2, Deflated({30, 40}), 2}, {3, Deflated({50, 60}), 2}});
  picture = LoadBytes(deflated.bytes());
  EXPECT_EQ(PixelAt(picture, 1, 0), (Bgr{60, 40, 20}));
}

TEST(PspReader, VersionThreePaletteAndALayerOffTheCorner) {
  // 3 x 2 canvas, a 1 x 1 layer at (2, 1); plain rows padded to four bytes.
  PspFile file(3, 3, 2, 8, 0);
  file.AddPalette({0, 0, 0, 0, 1, 2, 3, 0});
  file.AddLayer(2, 1, 3, 2, {{0, {1, 0, 0, 0}, 4}});
  const Bitmap picture = LoadBytes(file.bytes());
  ASSERT_EQ(picture.format(), PixelFormat::Indexed8);
  EXPECT_EQ(picture.palette()[1], (PaletteEntry{1, 2, 3, 255}));
  EXPECT_EQ(picture.Row(1)[2], 1);
  EXPECT_EQ(picture.Row(0)[0], 255) << "the canvas outside the layer";
}

TEST(PspReader, BrokenFilesFail) {
  PspFile outside(5, 2, 1, 24, 1);
  outside.AddLayer(1, 0, 3, 1, {{1, {0x02, 1, 2}, 2}});
  PspFile shortData(5, 2, 1, 24, 1);
  shortData.AddLayer(0, 0, 2, 1, {{1, {0x81, 1}, 2}});
  PspFile badDeflate(5, 2, 1, 24, 2);
  badDeflate.AddLayer(0, 0, 2, 1, {{1, {1, 2, 3}, 2}});
  PspFile noLayer(5, 2, 1, 24, 1);
  for (const PspFile* file : {&outside, &shortData, &badDeflate, &noLayer}) {
    Bitmap picture;
    EXPECT_THROW(kPSPGraphic.load(file->bytes(), picture), Failure);
  }
}

}  // namespace
}  // namespace lumivo::test
