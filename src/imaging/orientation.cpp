#include "imaging/orientation.h"

#include <algorithm>
#include <cstring>

namespace lumivo {

namespace {

template <int kBytes>
void MirrorColumns(Bitmap& picture) {
  const int width = picture.width();
  std::uint8_t swap[kBytes];
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* left = picture.Row(y);
    std::uint8_t* right = left + static_cast<std::size_t>(width - 1) * kBytes;
    for (; left < right; left += kBytes, right -= kBytes) {
      std::memcpy(swap, left, kBytes);
      std::memcpy(left, right, kBytes);
      std::memcpy(right, swap, kBytes);
    }
  }
}

void MirrorRows(Bitmap& picture) {
  const std::size_t bytes = picture.rowBytes();
  for (int top = 0, bottom = picture.height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(picture.Row(top), picture.Row(top) + bytes, picture.Row(bottom));
}

// Each upright row is a stored column, read downward or upward; stored
// column `y` (or width - 1 - y) becomes upright row y. Walked in tiles so
// that the stored rows a tile reads stay in the cache.
template <int kBytes>
void Transpose(const Bitmap& stored, Bitmap& upright, bool lastColumnFirst, bool lastRowFirst) {
  constexpr int kTile = 32;
  const int width = upright.width(), height = upright.height();
  for (int y0 = 0; y0 < height; y0 += kTile) {
    const int y1 = std::min(y0 + kTile, height);
    for (int x0 = 0; x0 < width; x0 += kTile) {
      const int x1 = std::min(x0 + kTile, width);
      for (int y = y0; y < y1; ++y) {
        const std::size_t column = static_cast<std::size_t>(lastColumnFirst ? stored.width() - 1 - y : y) * kBytes;
        std::uint8_t* out = upright.Row(y) + static_cast<std::size_t>(x0) * kBytes;
        for (int x = x0; x < x1; ++x, out += kBytes)
          std::memcpy(out, stored.Row(lastRowFirst ? stored.height() - 1 - x : x) + column, kBytes);
      }
    }
  }
}

template <int kBytes>
void Turn(Bitmap& picture, int orientation, Bitmap& scratch) {
  switch (orientation) {
    case 2: MirrorColumns<kBytes>(picture); break;
    case 3: MirrorColumns<kBytes>(picture), MirrorRows(picture); break;
    case 4: MirrorRows(picture); break;
    case 5: Transpose<kBytes>(picture, scratch, false, false); break;
    case 6: Transpose<kBytes>(picture, scratch, false, true); break;
    case 7: Transpose<kBytes>(picture, scratch, true, true); break;
    case 8: Transpose<kBytes>(picture, scratch, true, false); break;
    default: break;
  }
}

}  // namespace

Status TurnUpright(Bitmap& picture, int orientation, Bitmap& scratch) {
  if (orientation < 2 || orientation > 8 || picture.empty()) return {};
  if (BitsPerPixel(picture.format()) < 8) {
    if (Status converted = picture.ConvertToBgr24(); !converted) return converted;
  }
  const bool quarterTurn = orientation >= 5;
  if (quarterTurn) {
    if (Status made = scratch.Allocate(picture.height(), picture.width(), picture.format()); !made) return made;
    scratch.palette() = picture.palette();
    scratch.setTransparent(picture.transparent());
  }
  switch (BitsPerPixel(picture.format()) / 8) {
    case 1: Turn<1>(picture, orientation, scratch); break;
    case 2: Turn<2>(picture, orientation, scratch); break;
    case 3: Turn<3>(picture, orientation, scratch); break;
    default: Turn<4>(picture, orientation, scratch); break;
  }
  if (quarterTurn) picture.Swap(scratch);
  return {};
}

}  // namespace lumivo
