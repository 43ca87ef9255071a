#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/tiff_lzw_decoder.h"

namespace lumivo {
namespace {

// 9-bit codes, most significant bit first (the streams below stay below
// the first width change; the real files of the reader test cross it).
std::vector<std::uint8_t> Codes(std::initializer_list<int> codes) {
  std::vector<std::uint8_t> out;
  std::uint32_t buffer = 0;
  int count = 0;
  for (int code : codes) {
    buffer = buffer << 9 | static_cast<std::uint32_t>(code);
    for (count += 9; count >= 8; count -= 8) out.push_back(static_cast<std::uint8_t>(buffer >> (count - 8)));
  }
  if (count > 0) out.push_back(static_cast<std::uint8_t>(buffer << (8 - count)));
  return out;
}

TEST(TiffLzwDecoder, DecodesTablesOfCodes) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> packed;
    std::size_t room;
    std::string expected;
  };
  const Case cases[] = {
      {"a code and the code being defined", Codes({256, 'a', 258, 257}), 16, "aaa"},
      {"a defined pair", Codes({256, 'a', 'b', 258, 259, 257}), 16, "ababba"},
      // Without the clear, 259 would be "bc".
      {"a clear starts the table afresh", Codes({256, 'a', 'b', 256, 'c', 259, 257}), 16, "abc"},
      {"an undefined code ends the data", Codes({256, 'a', 300, 'b'}), 16, "a"},
      {"the output room ends it", Codes({256, 'a', 'b', 258, 258, 257}), 5, "ababa"},
      {"data cut short", std::vector<std::uint8_t>{0x80, 0x18, 0x40}, 16, "a"},
      {"nothing at all", {}, 16, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> out(c.room + 1, '#');
    TTIFFLZWDecoder decoder;
    const DecodedBlock done = decoder.DecodeBlock(c.packed, std::span(out.data(), c.room));
    EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(done.produced)), c.expected);
    EXPECT_EQ(out[c.room], '#') << "nothing written past the room";
    EXPECT_LE(done.consumed, c.packed.size());
  }
}

}  // namespace
}  // namespace lumivo
