#pragma once
// Small helpers the content tests share.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "core/byte_reader.h"
#include "core/text_basics.h"

namespace lumivo {

template <typename T>
bool OneOf(T value, std::initializer_list<int> allowed) {
  return std::find(allowed.begin(), allowed.end(), static_cast<int>(value)) != allowed.end();
}

// A fixed-size text field up to its first zero byte.
inline std::string TextField(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

inline std::string LowerCaseField(std::span<const std::uint8_t> field) { return AsciiLowerCase(TextField(field)); }
inline std::string UpperCaseField(std::span<const std::uint8_t> field) { return AsciiUpperCase(TextField(field)); }

}  // namespace lumivo
