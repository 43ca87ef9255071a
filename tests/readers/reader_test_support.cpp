#include "readers/reader_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/memory_stream.h"
#include "readers/file_format_list.h"

namespace lumivo::test {

const ReaderClass* ClaimingReader(const Bytes& bytes) {
  MemoryStream stream(bytes);
  return FileFormats().ReaderClassFromStream(stream);
}

Bitmap LoadBytes(const Bytes& bytes) {
  Bitmap picture;
  const ReaderClass* reader = ClaimingReader(bytes);
  EXPECT_NE(reader, nullptr) << "no reader claims the bytes";
  if (reader) reader->load(bytes, picture);
  return picture;
}

Bitmap LoadAsBgr(const Bytes& bytes) {
  Bitmap picture = LoadBytes(bytes);
  EXPECT_TRUE(picture.ConvertToBgr24());
  return picture;
}

Bytes FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RgbPicture ReadPpm(const std::filesystem::path& file) {
  const Bytes bytes = FileBytes(file);
  RgbPicture picture;
  int maximum = 0, used = 0;
  const std::string head(bytes.begin(), bytes.begin() + static_cast<long>(std::min<std::size_t>(bytes.size(), 40)));
  if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &picture.width, &picture.height, &maximum, &used) != 3 ||
      maximum != 255)
    return {};
  picture.rgb.assign(bytes.begin() + used + 1, bytes.end());
  if (picture.rgb.size() != static_cast<std::size_t>(picture.width * picture.height * 3)) return {};
  return picture;
}

int LargestDifference(const Bitmap& bgr, const RgbPicture& expected) {
  if (bgr.width() != expected.width || bgr.height() != expected.height || bgr.format() != PixelFormat::Bgr24)
    return -1;
  int largest = 0;
  for (int y = 0; y < bgr.height(); ++y)
    for (int x = 0; x < bgr.width(); ++x)
      for (int c = 0; c < 3; ++c) {
        const int ours = bgr.Row(y)[3 * x + 2 - c];
        const int theirs = expected.rgb[static_cast<std::size_t>((y * expected.width + x) * 3 + c)];
        largest = std::max(largest, std::abs(ours - theirs));
      }
  return largest;
}

}  // namespace lumivo::test
