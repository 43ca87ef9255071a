#include "cli/json_report.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace lumivo::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at the start of text, or 0:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

std::string Number(double value) {
  char buffer[32];
  // Microseconds are as fine as the clock is worth; to_chars ignores the locale.
  const double rounded = std::round(value * 1000.0) / 1000.0;
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

}  // namespace

std::string JsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  json.reserve(text.size() + 2);
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.front());
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c < 0x20) {
      switch (c) {
        case '\b': json += "\\b"; break;
        case '\f': json += "\\f"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
          json += "\\u00";
          json += kHex[c >> 4];
          json += kHex[c & 0xF];
      }
    } else {
      const std::size_t length = Utf8SequenceLength(text);
      if (length == 0) {
        json += kReplacement;
        text.remove_prefix(1);
        continue;
      }
      json += text.substr(0, length);
      text.remove_prefix(length);
      continue;
    }
    text.remove_prefix(1);
  }
  json += '"';
  return json;
}

std::string JsonLine(const EntryOutcome& outcome) {
  const auto size = [&](std::uint64_t value) { return outcome.ok ? std::to_string(value) : std::string("null"); };
  std::string line = "{\"source\":" + JsonString(outcome.source);
  line += ",\"output\":" + JsonString(outcome.output);
  line += outcome.ok ? ",\"ok\":true" : ",\"ok\":false";
  line += ",\"reason\":" + (outcome.ok ? std::string("null") : JsonString(outcome.reason));
  line += ",\"width\":" + size(static_cast<std::uint64_t>(outcome.width));
  line += ",\"height\":" + size(static_cast<std::uint64_t>(outcome.height));
  line += ",\"bytes\":" + size(outcome.bytes);
  line += ",\"milliseconds\":" + Number(outcome.milliseconds);
  line += "}\n";
  return line;
}

void JsonLinesReport::Write(const EntryOutcome& outcome) {
  if (error_ != 0) return;
  const std::string line = JsonLine(outcome);
  errno = 0;
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0)
    error_ = errno != 0 ? errno : EIO;
}

}  // namespace lumivo::cli
