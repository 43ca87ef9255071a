#include "resources/texts.h"

#include <algorithm>
#include <cstdio>

namespace lumivo {

namespace {

void AppendFormatted(std::string& out, std::string field, char conversion, const char* const* strings,
                     const long long* integers, const long double* reals, const char* kinds, int index,
                     int count) {
  if (index >= count) {  // a text with more fields than arguments shows the field as written
    out += field;
    out += conversion;
    return;
  }
  char buffer[512];
  int written = 0;
  const char kind = kinds[index];
  if (conversion == 's') {
    const char* text = kind == 's' ? strings[index] : "";
    written = std::snprintf(buffer, sizeof buffer, (field + 's').c_str(), text ? text : "");
    if (written >= static_cast<int>(sizeof buffer)) {  // long paths: no width for %s is ever wider than this
      out += text ? text : "";
      return;
    }
  } else if (conversion == 'f' || conversion == 'e' || conversion == 'g') {
    const long double value = kind == 'f' ? reals[index] : static_cast<long double>(integers[index]);
    written = std::snprintf(buffer, sizeof buffer, (field + 'L' + conversion).c_str(), value);
  } else {  // d, u, x, X
    const long long value = kind == 'd' ? integers[index] : static_cast<long long>(reals[index]);
    written = std::snprintf(buffer, sizeof buffer, (field + "ll" + conversion).c_str(), value);
  }
  if (written > 0) out.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
}

}  // namespace

std::string FormatTextV(std::string_view format, const char* const* strings, const long long* integers,
                        const long double* reals, const char* kinds, int count) {
  std::string out;
  out.reserve(format.size() + 32);
  int next = 0;
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
      AppendFormatted(out, std::string(format.substr(i, j - i)), conversion == 'u' ? 'd' : conversion, strings,
                      integers, reals, kinds, next++, count);
    }
    i = j;
  }
  return out;
}

}  // namespace lumivo
