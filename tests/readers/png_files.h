#pragma once
// PNG files for the reader tests: written by libpng, read back by libpng as
// the reference, and taken apart into chunks to build broken ones.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivo::test {

using Bytes = std::vector<std::uint8_t>;

struct PngPicture {
  int width = 0, height = 0;
  int colourType = 0;  // 0, 2, 3, 4, 6
  int depth = 8;
  bool interlaced = false;
  // Big-endian samples as in the file, rows packed without filter bytes.
  Bytes samples;
  Bytes palette;       // RGB triples for colour type 3
  Bytes transparency;  // the tRNS chunk's data, when any
};

// A picture of every combination: samples that change from pixel to pixel
// and row to row so that every filter finds work.
PngPicture PatternPicture(int width, int height, int colourType, int depth, bool interlaced);

// libpng writes it, choosing its filters itself.
Bytes WritePng(const PngPicture& picture);

// libpng reads it as 8-bit RGBA (samples chopped to their high byte, tRNS
// turned into alpha) and lays it over white: 3 bytes a pixel, BGR.
Bytes ReferenceOverWhite(const Bytes& png, int& width, int& height);

struct Chunk {
  std::string type;
  Bytes data;
};
std::vector<Chunk> SplitChunks(const Bytes& png);
Bytes JoinChunks(const std::vector<Chunk>& chunks);  // with signature and CRCs
// A file from IHDR fields and raw rows (filter byte first in each row).
Bytes MakePng(int width, int height, int depth, int colourType, const Bytes& filteredRows,
              const std::vector<Chunk>& beforeData = {}, int interlace = 0);
Bytes Zlib(const Bytes& raw);

}  // namespace lumivo::test
