#include "readers/png_files.h"

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace lumivo::test {

namespace {

int Channels(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A sample that repeats every five columns (so that a tRNS colour recurs)
// and differs from row to row.
unsigned SampleAt(int x, int y, int channel, int depth) {
  const unsigned f = static_cast<unsigned>((x % 5) * 53 + y * 29 + channel * 71 + (x % 5) * y * 7);
  if (depth == 16) return (f * 257 + static_cast<unsigned>(y * 3 + channel)) & 0xFFFF;
  return f & ((1u << depth) - 1);
}

void PutSample(Bytes& row, std::size_t index, int depth, unsigned value) {
  if (depth == 16) {
    row[2 * index] = static_cast<std::uint8_t>(value >> 8);
    row[2 * index + 1] = static_cast<std::uint8_t>(value);
  } else {
    const std::size_t bit = index * static_cast<std::size_t>(depth);
    row[bit / 8] |= static_cast<std::uint8_t>(value << (8 - depth - bit % 8));
  }
}

[[noreturn]] void PngError(png_structp, png_const_charp message) { throw std::runtime_error(message); }
void PngWarning(png_structp, png_const_charp) {}

}  // namespace

PngPicture PatternPicture(int width, int height, int colourType, int depth, bool interlaced) {
  PngPicture p{width, height, colourType, depth, interlaced, {}, {}, {}};
  const int channels = Channels(colourType);
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * channels * depth + 7) / 8;
  for (int y = 0; y < height; ++y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c) {
        unsigned v = SampleAt(x, y, c, depth);
        if (c == channels - 1 && (colourType == 4 || colourType == 6)) {
          const unsigned alphas[] = {0, 128, 255, 64, 255};  // transparent, half, opaque, ...
          v = depth == 16 ? alphas[(x + y) % 5] * 257 : alphas[(x + y) % 5];
        }
        PutSample(row, static_cast<std::size_t>(x) * channels + c, depth, v);
      }
    p.samples.insert(p.samples.end(), row.begin(), row.end());
  }
  if (colourType == 3) {
    for (int i = 0; i < (1 << depth); ++i)
      for (int c = 0; c < 3; ++c) p.palette.push_back(static_cast<std::uint8_t>(i * 37 + c * 91 + 11));
  }
  return p;
}

Bytes WritePng(const PngPicture& picture) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* target = static_cast<Bytes*>(png_get_io_ptr(p));
        target->insert(target->end(), data, data + size);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
               picture.depth, picture.colourType, picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < picture.palette.size(); i += 3)
    palette.push_back({picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!picture.transparency.empty()) {
    const Bytes& t = picture.transparency;
    if (picture.colourType == 3) {
      png_set_tRNS(png, info, t.data(), static_cast<int>(t.size()), nullptr);
    } else {
      auto at = [&](std::size_t i) { return static_cast<png_uint_16>(t[2 * i] << 8 | t[2 * i + 1]); };
      png_color_16 key{};
      if (picture.colourType == 0) key.gray = at(0);
      else key = {0, at(0), at(1), at(2), 0};
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  png_write_info(png, info);
  const std::size_t rowBytes = picture.samples.size() / static_cast<std::size_t>(picture.height);
  std::vector<png_bytep> rows;
  Bytes samples = picture.samples;
  for (int y = 0; y < picture.height; ++y) rows.push_back(samples.data() + static_cast<std::size_t>(y) * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes ReferenceOverWhite(const Bytes& file, int& width, int& height) {
  struct Source {
    const Bytes* bytes;
    std::size_t at = 0;
  } source{&file};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &source, [](png_structp p, png_bytep data, png_size_t size) {
    auto* s = static_cast<Source*>(png_get_io_ptr(p));
    if (s->at + size > s->bytes->size()) png_error(p, "end of data");
    std::memcpy(data, s->bytes->data() + s->at, size);
    s->at += size;
  });
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  width = static_cast<int>(png_get_image_width(png, info));
  height = static_cast<int>(png_get_image_height(png, info));
  Bytes rgba(static_cast<std::size_t>(width) * height * 4);
  std::vector<png_bytep> rows;
  for (int y = 0; y < height; ++y) rows.push_back(rgba.data() + static_cast<std::size_t>(y) * width * 4);
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);

  Bytes bgr;
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const unsigned a = rgba[i + 3];
    for (int c : {2, 1, 0}) bgr.push_back(static_cast<std::uint8_t>((rgba[i + c] * a + 255 * (255 - a) + 127) / 255));
  }
  return bgr;
}

std::vector<Chunk> SplitChunks(const Bytes& png) {
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::size_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    chunks.push_back({std::string(png.begin() + at + 4, png.begin() + at + 8),
                      Bytes(png.begin() + at + 8, png.begin() + at + 8 + length)});
    at += 12 + length;
  }
  return chunks;
}

Bytes JoinChunks(const std::vector<Chunk>& chunks) {
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const Chunk& chunk : chunks) {
    Put32(out, static_cast<std::uint32_t>(chunk.data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), chunk.type.begin(), chunk.type.end());
    out.insert(out.end(), chunk.data.begin(), chunk.data.end());
    Put32(out, static_cast<std::uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt))));
  }
  return out;
}

Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
  out.resize(size);
  return out;
}

Bytes MakePng(int width, int height, int depth, int colourType, const Bytes& filteredRows,
              const std::vector<Chunk>& beforeData, int interlace) {
  Bytes ihdr;
  Put32(ihdr, static_cast<std::uint32_t>(width));
  Put32(ihdr, static_cast<std::uint32_t>(height));
  ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0,
                           static_cast<std::uint8_t>(interlace)});
  std::vector<Chunk> chunks = {{"IHDR", ihdr}};
  chunks.insert(chunks.end(), beforeData.begin(), beforeData.end());
  chunks.push_back({"IDAT", Zlib(filteredRows)});
  chunks.push_back({"IEND", {}});
  return JoinChunks(chunks);
}

}  // namespace lumivo::test
