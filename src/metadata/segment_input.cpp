#include "metadata/segment_input.h"

#include <algorithm>
#include <cstring>

namespace lumivo {

std::size_t SpanInput::Read(std::uint8_t* target, std::size_t count) {
  const std::size_t taken = std::min(count, bytes_.size() - position_);
  if (taken) std::memcpy(target, bytes_.data() + position_, taken);
  position_ += taken;
  return taken;
}

FileInput::FileInput(const std::filesystem::path& file) : file_(std::fopen(file.c_str(), "rb")) {}

std::size_t FileInput::Read(std::uint8_t* target, std::size_t count) {
  return file_ ? std::fread(target, 1, count, file_.get()) : 0;
}

}  // namespace lumivo
