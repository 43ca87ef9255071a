#include "readers/tiff_builder.h"

#include <algorithm>

namespace lumivo::test {

namespace {

struct Writer {
  bool big;
  std::vector<std::uint8_t> out;
  void U16(std::uint32_t v) {
    if (big) out.insert(out.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  }
  void U32(std::uint32_t v) {
    if (big) { U16(v >> 16); U16(v & 0xFFFF); }
    else { U16(v & 0xFFFF); U16(v >> 16); }
  }
  void Value(std::uint16_t type, std::uint32_t v) {
    if (type == 3) U16(v);
    else if (type == 4) U32(v);
    else out.push_back(static_cast<std::uint8_t>(v));
  }
};

std::size_t TypeSize(std::uint16_t type) { return type == 3 ? 2 : type == 4 ? 4 : 1; }

}  // namespace

std::vector<std::uint8_t> TiffBuilder::Build() const {
  Writer w{bigEndian, {}};
  w.out.insert(w.out.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                      : std::initializer_list<std::uint8_t>{'I', 'I'});
  w.U16(42);
  w.U32(0);  // patched below
  std::vector<std::uint32_t> offsets, counts;
  for (const auto& strip : strips) {
    offsets.push_back(static_cast<std::uint32_t>(w.out.size()));
    counts.push_back(static_cast<std::uint32_t>(strip.size()));
    w.out.insert(w.out.end(), strip.begin(), strip.end());
  }
  std::vector<TiffTag> all = tags;
  if (withStrips) {
    all.push_back({273, 4, offsets});
    all.push_back({279, 4, counts});
  }
  std::stable_sort(all.begin(), all.end(), [](const TiffTag& a, const TiffTag& b) { return a.tag < b.tag; });
  // Values that do not fit the entry go first, then the directory.
  std::vector<std::uint32_t> valueAt(all.size(), 0);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].values.size() * TypeSize(all[i].type) <= 4) continue;
    if (w.out.size() % 2) w.out.push_back(0);
    valueAt[i] = static_cast<std::uint32_t>(w.out.size());
    for (std::uint32_t v : all[i].values) w.Value(all[i].type, v);
  }
  if (w.out.size() % 2) w.out.push_back(0);
  const auto directory = static_cast<std::uint32_t>(w.out.size());
  w.U16(static_cast<std::uint32_t>(all.size()));
  for (std::size_t i = 0; i < all.size(); ++i) {
    w.U16(all[i].tag);
    w.U16(all[i].type);
    w.U32(static_cast<std::uint32_t>(all[i].values.size()));
    if (valueAt[i] != 0) {
      w.U32(valueAt[i]);
    } else {
      const std::size_t start = w.out.size();
      for (std::uint32_t v : all[i].values) w.Value(all[i].type, v);
      w.out.resize(start + 4, 0);
    }
  }
  w.U32(0);
  Writer header{bigEndian, {}};
  header.U32(directory);
  std::copy(header.out.begin(), header.out.end(), w.out.begin() + 4);
  return w.out;
}

TiffBuilder BasicTiff(std::uint32_t width, std::uint32_t height, std::uint32_t samples, std::uint32_t bits,
                      std::uint32_t compression, std::uint32_t rowsPerStrip) {
  TiffBuilder b;
  b.tags = {{256, 4, {width}},
            {257, 4, {height}},
            {258, 3, std::vector<std::uint32_t>(samples, bits)},
            {259, 3, {compression}},
            {262, 3, {samples >= 3 ? 2u : 1u}},
            {277, 3, {samples}},
            {278, 4, {rowsPerStrip}}};
  return b;
}

std::vector<std::uint8_t> LiteralLzw(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> out;
  std::uint32_t buffer = 0;
  int count = 0;
  const auto put = [&](std::uint32_t code) {
    buffer = buffer << 9 | code;
    count += 9;
    while (count >= 8) {
      out.push_back(static_cast<std::uint8_t>(buffer >> (count - 8)));
      count -= 8;
    }
  };
  int sinceClear = 0;
  put(256);
  for (std::uint8_t b : bytes) {
    if (sinceClear == 250) {
      put(256);
      sinceClear = 0;
    }
    put(b);
    ++sinceClear;
  }
  put(257);
  if (count > 0) out.push_back(static_cast<std::uint8_t>(buffer << (8 - count)));
  return out;
}

}  // namespace lumivo::test
