#pragma once
// All size arithmetic goes through here: a product or sum that does not fit
// is an error, never a wrapped-around small number.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace lumivo {

inline std::optional<std::size_t> CheckedMul(std::size_t a, std::size_t b) {
  std::size_t result;
  if (__builtin_mul_overflow(a, b, &result)) return std::nullopt;
  return result;
}

inline std::optional<std::size_t> CheckedMul(std::size_t a, std::size_t b, std::size_t c) {
  const auto ab = CheckedMul(a, b);
  return ab ? CheckedMul(*ab, c) : std::nullopt;
}

inline std::optional<std::size_t> CheckedAdd(std::size_t a, std::size_t b) {
  std::size_t result;
  if (__builtin_add_overflow(a, b, &result)) return std::nullopt;
  return result;
}

}  // namespace lumivo
