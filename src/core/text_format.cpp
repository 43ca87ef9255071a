#include "core/text_format.h"

#include <algorithm>
#include <cstdio>

namespace lumivo {

namespace {

// Up to the first NUL, as the C library would show it.
std::string_view Shown(std::string_view text) { return text.substr(0, text.find('\0')); }

void AppendFormatted(std::string& out, const std::string& field, char conversion, const FormatArgument* argument) {
  if (!argument) {
    out += field;
    out += conversion;
    return;
  }
  using Kind = FormatArgument::Kind;
  char buffer[512];
  int written = 0;
  if (conversion == 's') {
    const std::string_view text = argument->kind() == Kind::Text ? Shown(argument->text()) : std::string_view();
    if (field.size() == 1) {  // a plain %s
      out += text;
      return;
    }
    written = std::snprintf(buffer, sizeof buffer, (field + 's').c_str(), std::string(text).c_str());
    if (written >= static_cast<int>(sizeof buffer)) {  // long paths: no width for %s is ever wider than this
      out += text;
      return;
    }
  } else if (conversion == 'f' || conversion == 'e' || conversion == 'g') {
    const long double value = argument->kind() == Kind::Real    ? argument->real()
                              : argument->kind() == Kind::Whole ? static_cast<long double>(argument->whole())
                                                                : 0.0L;
    written = std::snprintf(buffer, sizeof buffer, (field + 'L' + conversion).c_str(), value);
  } else {  // d, u, x, X
    const long long value = argument->kind() == Kind::Whole  ? argument->whole()
                            : argument->kind() == Kind::Real ? static_cast<long long>(argument->real())
                                                             : 0;
    written = std::snprintf(buffer, sizeof buffer, (field + "ll" + conversion).c_str(), value);
  }
  if (written > 0) out.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
}

}  // namespace

std::string FormatTextV(std::string_view format, std::span<const FormatArgument> arguments) {
  std::string out;
  out.reserve(format.size() + 32);
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < format.size() && std::string_view("-+ #0123456789.").find(format[j]) != std::string_view::npos) ++j;
    if (j >= format.size()) {
      out.append(format.substr(i));
      break;
    }
    const char conversion = format[j];
    if (std::string_view("sdufegxX").find(conversion) == std::string_view::npos) {
      out.append(format.substr(i, j - i + 1));
    } else {
      const FormatArgument* argument = next < arguments.size() ? &arguments[next] : nullptr;
      ++next;
      AppendFormatted(out, std::string(format.substr(i, j - i)), conversion == 'u' ? 'd' : conversion, argument);
    }
    i = j;
  }
  return out;
}

}  // namespace lumivo
