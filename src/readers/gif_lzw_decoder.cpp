#include "readers/gif_lzw_decoder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/result.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

TGIFLZWDecoder::TGIFLZWDecoder(int initialCodeSize, std::span<const std::uint8_t> packed)
    : packed_(packed), initialCodeSize_(initialCodeSize) {
  if (initialCodeSize < 1 || initialCodeSize > kMaxCodeSize)
    throw Failure(FormatText(texts::kCorruptPicture, texts::kBadLzwCodeSize));
  clearCode_ = 1 << initialCodeSize;
  endCode_ = clearCode_ + 1;
  for (int root = 0; root < clearCode_; ++root) {
    suffix_[root] = first_[root] = static_cast<std::uint8_t>(root);
    length_[root] = 1;
  }
  Reset();
}

void TGIFLZWDecoder::Reset() {
  codeWidth_ = initialCodeSize_ + 1;
  nextFree_ = clearCode_ + 2;
  previous_ = kNone;
}

int TGIFLZWDecoder::NextCode() {
  while (bitCount_ < codeWidth_) {
    if (position_ >= packed_.size()) return kNone;
    bits_ |= static_cast<std::uint32_t>(packed_[position_++]) << bitCount_;
    bitCount_ += 8;
  }
  const int code = static_cast<int>(bits_ & ((1u << codeWidth_) - 1));
  bits_ >>= codeWidth_;
  bitCount_ -= codeWidth_;
  return code;
}

void TGIFLZWDecoder::Expand(int code, std::uint8_t* target) const {
  for (int at = length_[code] - 1; at > 0; --at) {
    target[at] = suffix_[code];
    code = prefix_[code];
  }
  target[0] = suffix_[code];
}

std::size_t TGIFLZWDecoder::Decode(std::span<std::uint8_t> pixels) {
  std::size_t written = std::min(pixels.size(), pendingEnd_ - pendingStart_);
  std::memcpy(pixels.data(), pending_.data() + pendingStart_, written);
  pendingStart_ += written;

  while (written < pixels.size() && !ended_) {
    const int code = NextCode();
    if (code == kNone || code == endCode_) {
      ended_ = true;
      break;
    }
    if (code == clearCode_) {
      Reset();
      continue;
    }
    // A code beyond the table, or the not-yet-known entry right after a
    // clear, cannot come from an encoder.
    if (code > nextFree_ || (code == nextFree_ && previous_ == kNone)) {
      ended_ = true;
      break;
    }
    if (previous_ != kNone && nextFree_ < kTableSize) {
      // The new entry is the previous string and the first byte of this
      // one; for the code not yet in the table that byte is its own first.
      const int firstOfThis = code == nextFree_ ? first_[previous_] : first_[code];
      prefix_[nextFree_] = static_cast<std::uint16_t>(previous_);
      suffix_[nextFree_] = static_cast<std::uint8_t>(firstOfThis);
      first_[nextFree_] = first_[previous_];
      length_[nextFree_] = static_cast<std::uint16_t>(length_[previous_] + 1);
      ++nextFree_;
      if (nextFree_ == 1 << codeWidth_ && codeWidth_ < kMaxCodeWidth) ++codeWidth_;
    }
    previous_ = code;

    const std::size_t length = length_[code];
    const std::size_t room = pixels.size() - written;
    if (length <= room) {
      Expand(code, pixels.data() + written);
      written += length;
    } else {
      Expand(code, pending_.data());
      std::memcpy(pixels.data() + written, pending_.data(), room);
      written += room;
      pendingStart_ = room;
      pendingEnd_ = length;
    }
  }
  return written;
}

}  // namespace lumivo
