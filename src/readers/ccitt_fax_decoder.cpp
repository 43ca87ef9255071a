#include "readers/ccitt_fax_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace lumivo {

namespace {

constexpr int kLookupBits = 13;
constexpr std::int16_t kEndOfLine = -2;

struct Code {
  std::int16_t run;
  std::string_view bits;
};

// Terminating codes 0-63 in order, then the make-up codes.
constexpr std::array<std::string_view, 64> kWhiteTerminating = {
    "00110101", "000111",   "0111",     "1000",     "1011",     "1100",     "1110",     "1111",
    "10011",    "10100",    "00111",    "01000",    "001000",   "000011",   "110100",   "110101",
    "101010",   "101011",   "0100111",  "0001100",  "0001000",  "0010111",  "0000011",  "0000100",
    "0101000",  "0101011",  "0010011",  "0100100",  "0011000",  "00000010", "00000011", "00011010",
    "00011011", "00010010", "00010011", "00010100", "00010101", "00010110", "00010111", "00101000",
    "00101001", "00101010", "00101011", "00101100", "00101101", "00000100", "00000101", "00001010",
    "00001011", "01010010", "01010011", "01010100", "01010101", "00100100", "00100101", "01011000",
    "01011001", "01011010", "01011011", "01001010", "01001011", "00110010", "00110011", "00110100"};
constexpr std::array<std::string_view, 64> kBlackTerminating = {
    "0000110111",   "010",          "11",           "10",           "011",          "0011",
    "0010",         "00011",        "000101",       "000100",       "0000100",      "0000101",
    "0000111",      "00000100",     "00000111",     "000011000",    "0000010111",   "0000011000",
    "0000001000",   "00001100111",  "00001101000",  "00001101100",  "00000110111",  "00000101000",
    "00000010111",  "00000011000",  "000011001010", "000011001011", "000011001100", "000011001101",
    "000001101000", "000001101001", "000001101010", "000001101011", "000011010010", "000011010011",
    "000011010100", "000011010101", "000011010110", "000011010111", "000001101100", "000001101101",
    "000011011010", "000011011011", "000001010100", "000001010101", "000001010110", "000001010111",
    "000001100100", "000001100101", "000001010010", "000001010011", "000000100100", "000000110111",
    "000000111000", "000000100111", "000000101000", "000001011000", "000001011001", "000000101011",
    "000000101100", "000001011010", "000001100110", "000001100111"};
// Make-up codes for 64, 128, ... 1728.
constexpr std::array<std::string_view, 27> kWhiteMakeUp = {
    "11011",     "10010",     "010111",    "0110111",   "00110110",  "00110111",  "01100100",
    "01100101",  "01101000",  "01100111",  "011001100", "011001101", "011010010", "011010011",
    "011010100", "011010101", "011010110", "011010111", "011011000", "011011001", "011011010",
    "011011011", "010011000", "010011001", "010011010", "011000",    "010011011"};
constexpr std::array<std::string_view, 27> kBlackMakeUp = {
    "0000001111",    "000011001000",  "000011001001",  "000001011011",  "000000110011",  "000000110100",
    "000000110101",  "0000001101100", "0000001101101", "0000001001010", "0000001001011", "0000001001100",
    "0000001001101", "0000001110010", "0000001110011", "0000001110100", "0000001110101", "0000001110110",
    "0000001110111", "0000001010010", "0000001010011", "0000001010100", "0000001010101", "0000001011010",
    "0000001011011", "0000001100100", "0000001100101"};
// Shared by both colours: 1792, 1856, ... 2560.
constexpr std::array<std::string_view, 13> kExtendedMakeUp = {
    "00000001000",  "00000001100",  "00000001101",  "000000010010", "000000010011",
    "000000010100", "000000010101", "000000010110", "000000010111", "000000011100",
    "000000011101", "000000011110", "000000011111"};
constexpr std::string_view kEndOfLineCode = "000000000001";

struct LookupEntry {
  std::int16_t run = 0;
  std::uint8_t length = 0;  // 0: no code starts with these bits
};
using RunTable = std::array<LookupEntry, 1 << kLookupBits>;

void Enter(RunTable& table, std::string_view bits, int run) {
  unsigned code = 0;
  for (char c : bits) code = code << 1 | (c == '1');
  const int free = kLookupBits - static_cast<int>(bits.size());
  for (unsigned rest = 0; rest < (1u << free); ++rest)
    table[code << free | rest] = {static_cast<std::int16_t>(run), static_cast<std::uint8_t>(bits.size())};
}

RunTable MakeRunTable(const std::array<std::string_view, 64>& terminating,
                      const std::array<std::string_view, 27>& makeUp) {
  RunTable table{};
  for (int run = 0; run < 64; ++run) Enter(table, terminating[run], run);
  for (int i = 0; i < 27; ++i) Enter(table, makeUp[i], 64 * (i + 1));
  for (int i = 0; i < 13; ++i) Enter(table, kExtendedMakeUp[i], 1792 + 64 * i);
  Enter(table, kEndOfLineCode, kEndOfLine);
  return table;
}

const RunTable& RunTableFor(int colour) {
  static const RunTable white = MakeRunTable(kWhiteTerminating, kWhiteMakeUp);
  static const RunTable black = MakeRunTable(kBlackTerminating, kBlackMakeUp);
  return colour == 0 ? white : black;
}

enum class Mode : std::uint8_t { Invalid, Pass, Horizontal, Vertical };
struct ModeEntry {
  Mode mode = Mode::Invalid;
  std::int8_t offset = 0;  // a1 - b1 for vertical modes
  std::uint8_t length = 0;
};

// Two-dimensional mode codes, looked up by their next 7 bits.
const std::array<ModeEntry, 128>& ModeTable() {
  static const auto table = [] {
    std::array<ModeEntry, 128> t{};
    const auto enter = [&t](std::string_view bits, Mode mode, int offset) {
      unsigned code = 0;
      for (char c : bits) code = code << 1 | (c == '1');
      const int free = 7 - static_cast<int>(bits.size());
      for (unsigned rest = 0; rest < (1u << free); ++rest)
        t[code << free | rest] = {mode, static_cast<std::int8_t>(offset), static_cast<std::uint8_t>(bits.size())};
    };
    enter("1", Mode::Vertical, 0);
    enter("011", Mode::Vertical, 1);
    enter("010", Mode::Vertical, -1);
    enter("001", Mode::Horizontal, 0);
    enter("0001", Mode::Pass, 0);
    enter("000011", Mode::Vertical, 2);
    enter("000010", Mode::Vertical, -2);
    enter("0000011", Mode::Vertical, 3);
    enter("0000010", Mode::Vertical, -3);
    return t;
  }();
  return table;
}

std::array<std::uint8_t, 256> MakeReversal() {
  std::array<std::uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    int r = 0;
    for (int b = 0; b < 8; ++b) r |= ((i >> b) & 1) << (7 - b);
    t[i] = static_cast<std::uint8_t>(r);
  }
  return t;
}

void FillBlack(std::uint8_t* row, int from, int to) {
  for (; from < to && (from & 7); ++from) row[from >> 3] |= static_cast<std::uint8_t>(0x80 >> (from & 7));
  if (to - from >= 8) {
    const int whole = (to - from) >> 3;
    std::memset(row + (from >> 3), 0xFF, static_cast<std::size_t>(whole));
    from += whole << 3;
  }
  for (; from < to; ++from) row[from >> 3] |= static_cast<std::uint8_t>(0x80 >> (from & 7));
}

}  // namespace

// Bits most significant first (after the optional reversal); zeros past the end.
class TCCITTDecoder::Bits {
 public:
  Bits(std::span<const std::uint8_t> bytes, bool reversed) : bytes_(bytes), reversed_(reversed) {}

  bool AtEnd() const { return position_ >= bytes_.size() * 8; }
  std::size_t consumed() const { return (position_ + 7) / 8; }

  unsigned Peek(int count) const {  // count <= 16
    const std::size_t at = position_ >> 3;
    std::uint32_t window = 0;
    for (std::size_t i = 0; i < 3; ++i) window = window << 8 | Byte(at + i);
    return (window >> (24 - static_cast<int>(position_ & 7) - count)) & ((1u << count) - 1);
  }
  void Skip(std::size_t count) { position_ = std::min(position_ + count, bytes_.size() * 8); }
  void Align(std::size_t bits) { Skip((bits - position_ % bits) % bits); }

  // An end-of-line code: at least eleven zeros (fill included) and a one.
  bool SkipEndOfLine() {
    if (Peek(11) != 0 || AtEnd()) return false;
    while (!AtEnd() && Peek(8) == 0) Skip(8);
    while (!AtEnd() && Peek(1) == 0) Skip(1);
    Skip(1);
    return true;
  }
  // After a broken row: on to just past the next end-of-line code.
  void SeekEndOfLine() {
    while (!AtEnd()) {
      if (SkipEndOfLine()) return;
      Skip(1);
    }
  }

 private:
  std::uint8_t Byte(std::size_t at) const {
    static const auto reversal = MakeReversal();
    if (at >= bytes_.size()) return 0;
    return reversed_ ? reversal[bytes_[at]] : bytes_[at];
  }

  std::span<const std::uint8_t> bytes_;
  bool reversed_;
  std::size_t position_ = 0;
};

namespace {

// A run of one colour: make-up codes and a terminating code; -1 when broken.
int ReadRun(auto& bits, int colour, int limit) {
  const RunTable& table = RunTableFor(colour);
  int total = 0;
  for (;;) {
    const LookupEntry entry = table[bits.Peek(kLookupBits)];
    if (entry.length == 0 || entry.run < 0) return -1;
    bits.Skip(entry.length);
    total += entry.run;
    if (total > limit) return -1;
    if (entry.run < 64) return total;
  }
}

}  // namespace

TCCITTDecoder::TCCITTDecoder(Coding coding, std::uint32_t options, std::uint32_t width, bool reversedBitOrder,
                             bool wordAligned)
    : coding_(coding),
      options_(options),
      width_(static_cast<int>(width)),
      reversed_(reversedBitOrder),
      wordAligned_(wordAligned) {
  current_.reserve(width + 4);
  reference_.reserve(width + 4);
}

bool TCCITTDecoder::DecodeRow1D(Bits& bits) {
  int a0 = 0, colour = 0;
  while (a0 < width_) {
    const int run = ReadRun(bits, colour, width_ - a0);
    if (run < 0) return false;
    a0 += run;
    current_.push_back(a0);
    colour ^= 1;
  }
  return true;
}

bool TCCITTDecoder::DecodeRow2D(Bits& bits) {
  const std::vector<int>& ref = reference_;
  const auto at = [&ref](std::size_t i) { return ref[std::min(i, ref.size() - 1)]; };
  int a0 = -1, colour = 0;
  std::size_t b = 0;
  while (a0 < width_) {
    // b1: the first change above, right of a0, to the colour a0 does not have.
    while (b > 0 && at(b - 1) > a0) --b;
    while (at(b) <= a0 && at(b) < width_) ++b;
    if ((b & 1) != static_cast<std::size_t>(colour)) ++b;
    const int b1 = at(b), b2 = at(b + 1);

    const ModeEntry mode = ModeTable()[bits.Peek(7)];
    bits.Skip(mode.length);
    switch (mode.mode) {
      case Mode::Pass:
        a0 = b2;
        break;
      case Mode::Horizontal: {
        const int start = std::max(a0, 0);
        const int first = ReadRun(bits, colour, width_ - start);
        if (first < 0) return false;
        const int second = ReadRun(bits, colour ^ 1, width_ - start - first);
        if (second < 0) return false;
        current_.push_back(start + first);
        current_.push_back(start + first + second);
        a0 = start + first + second;
        break;
      }
      case Mode::Vertical: {
        const int a1 = b1 + mode.offset;
        if (a1 < std::max(a0, 0) || a1 > width_) return false;
        current_.push_back(a1);
        a0 = a1;
        colour ^= 1;
        break;
      }
      case Mode::Invalid: return false;
    }
  }
  return true;
}

bool TCCITTDecoder::DecodeRow(Bits& bits, bool twoDimensional) {
  current_.clear();
  const bool ok = twoDimensional ? DecodeRow2D(bits) : DecodeRow1D(bits);
  // Sentinels: the search for b1 and b2 never runs off the row.
  current_.push_back(width_);
  current_.push_back(width_);
  return ok;
}

DecodedBlock TCCITTDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  const std::size_t rowBytes = (static_cast<std::size_t>(width_) + 7) / 8;
  if (width_ <= 0) return {};
  const std::size_t rows = unpacked.size() / rowBytes;
  std::memset(unpacked.data(), 0, unpacked.size());
  Bits bits(packed, reversed_);
  reference_.assign({width_, width_});

  std::size_t row = 0;
  for (; row < rows && !bits.AtEnd(); ++row) {
    bool twoDimensional = false;
    if (coding_ == Coding::ModifiedHuffman) {
      bits.Align(wordAligned_ ? 16 : 8);
    } else {
      bits.SkipEndOfLine();
      if (options_ & 1) {
        twoDimensional = bits.Peek(1) == 0;
        bits.Skip(1);
      }
      if (bits.Peek(12) == 1) break;  // a second end-of-line: the end of the page
    }
    if (bits.AtEnd()) break;
    const bool ok = DecodeRow(bits, twoDimensional);
    std::uint8_t* target = unpacked.data() + row * rowBytes;
    for (std::size_t i = 0; i + 1 < current_.size(); i += 2)
      FillBlack(target, std::min(current_[i], width_), std::min(current_[i + 1], width_));
    std::swap(current_, reference_);
    if (!ok) {
      if (coding_ == Coding::ModifiedHuffman) return {bits.consumed(), (row + 1) * rowBytes};
      bits.SeekEndOfLine();
      // A 2D row after a broken one reads against a white row.
      reference_.assign({width_, width_});
    }
  }
  return {bits.consumed(), row * rowBytes};
}

}  // namespace lumivo
