#pragma once
// printf-style filling of the program's texts: %s, %d, %u, %x, %X, %f, %e, %g
// with flags, width and precision. A text with more fields than arguments
// shows the extra fields as written.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace lumivo {

// One argument: a text, a whole number or a real number. Texts are only
// looked at during the call, so temporaries are fine.
class FormatArgument final {
 public:
  enum class Kind : char { Text, Whole, Real };

  FormatArgument(std::string_view text) : kind_(Kind::Text), text_(text) {}
  FormatArgument(const std::string& text) : kind_(Kind::Text), text_(text) {}
  FormatArgument(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}
  template <typename I>
    requires std::is_integral_v<I>
  FormatArgument(I value) : kind_(Kind::Whole), whole_(static_cast<long long>(value)) {}
  template <typename F>
    requires std::is_floating_point_v<F>
  FormatArgument(F value) : kind_(Kind::Real), real_(static_cast<long double>(value)) {}

  Kind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  long long whole() const { return whole_; }
  long double real() const { return real_; }

 private:
  Kind kind_;
  std::string_view text_;
  long long whole_ = 0;
  long double real_ = 0;
};

std::string FormatTextV(std::string_view format, std::span<const FormatArgument> arguments);

// Fills a text of the table: FormatText(texts::kRegisterTwice, "bmp").
template <typename... Args>
std::string FormatText(std::string_view format, const Args&... args) {
  const std::array<FormatArgument, sizeof...(Args)> packed{FormatArgument(args)...};
  return FormatTextV(format, packed);
}

}  // namespace lumivo
