#include "readers/reader_test_support.h"

#include <gtest/gtest.h>

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

}  // namespace lumivo::test
