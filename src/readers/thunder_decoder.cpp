#include "readers/thunder_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lumivo {

namespace {

constexpr int kSkip = 99;
constexpr std::array<int, 4> kTwoBitSteps = {0, 1, kSkip, -1};
constexpr std::array<int, 8> kThreeBitSteps = {0, 1, 2, 3, kSkip, -3, -2, -1};

// One unpacked row and how many of its pixels are set.
class NibbleRow {
 public:
  NibbleRow(std::uint8_t* bytes, std::size_t width) : bytes_(bytes), limit_(width * 2) {}

  bool full() const { return count_ == limit_; }
  std::size_t bytesTouched() const { return (count_ + 1) / 2; }
  int last() const { return last_; }

  void Emit(int value) {
    if (full()) return;
    last_ = value & 0x0F;
    if (count_ % 2 == 0) {
      bytes_[count_ / 2] = static_cast<std::uint8_t>(last_ << 4);
    } else {
      bytes_[count_ / 2] |= static_cast<std::uint8_t>(last_);
    }
    ++count_;
  }

  void Repeat(std::size_t count) {
    count = std::min(count, limit_ - count_);
    if (count && count_ % 2 == 1) {
      Emit(last_);
      --count;
    }
    const std::size_t whole = count / 2;
    std::memset(bytes_ + count_ / 2, last_ << 4 | last_, whole);
    count_ += whole * 2;
    if (count % 2) Emit(last_);
  }

 private:
  std::uint8_t* bytes_;
  std::size_t limit_;
  std::size_t count_ = 0;
  int last_ = 0;
};

}  // namespace

DecodedBlock TThunderDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  DecodedBlock done;
  if (rowWidth_ == 0) return done;
  while (done.produced < unpacked.size() && done.consumed < packed.size()) {
    NibbleRow row(unpacked.data() + done.produced, std::min(rowWidth_, unpacked.size() - done.produced));
    while (!row.full() && done.consumed < packed.size()) {
      const std::uint8_t b = packed[done.consumed++];
      switch (b >> 6) {
        case 0:
          row.Repeat(b & 0x3Fu);
          break;
        case 1:
          for (int shift : {4, 2, 0}) {
            const int step = kTwoBitSteps[(b >> shift) & 3];
            if (step != kSkip) row.Emit(row.last() + step);
          }
          break;
        case 2:
          for (int shift : {3, 0}) {
            const int step = kThreeBitSteps[(b >> shift) & 7];
            if (step != kSkip) row.Emit(row.last() + step);
          }
          break;
        default:
          row.Emit(b & 0x0F);
          break;
      }
    }
    if (!row.full()) {
      done.produced += row.bytesTouched();
      break;
    }
    done.produced += std::min(rowWidth_, unpacked.size() - done.produced);
  }
  return done;
}

}  // namespace lumivo
