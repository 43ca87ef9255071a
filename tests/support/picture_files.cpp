#include "support/picture_files.h"

#include <cstring>

namespace lumivo::test {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> MakeBmp(const Bitmap& picture) {
  const unsigned stride = (static_cast<unsigned>(picture.width()) * 3 + 3) / 4 * 4;
  const unsigned imageBytes = stride * static_cast<unsigned>(picture.height());
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + imageBytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(picture.width()));
  Put32(out, static_cast<unsigned>(picture.height()));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageBytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = picture.height() - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    out.resize(start + stride, 0);
    std::memcpy(out.data() + start, picture.Row(y), static_cast<std::size_t>(picture.width()) * 3);
  }
  return out;
}

}  // namespace lumivo::test
