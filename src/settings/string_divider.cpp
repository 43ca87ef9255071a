#include "settings/string_divider.h"

#include <stdexcept>

#include "resources/texts.h"

namespace lumivo {

void TStringDivider::SetPattern(std::string_view pattern) {
  if (pattern.size() < 2) throw std::logic_error("separator shorter than two characters");
  if (ready_ && pattern == pattern_) return;
  pattern_ = pattern;
  const std::size_t m = pattern_.size();
  shiftTable_.fill(m + 1);
  for (std::size_t j = 0; j < m; ++j) shiftTable_[static_cast<unsigned char>(pattern_[j])] = m - j;
  ready_ = true;
}

bool TStringDivider::Matches(std::string_view text, std::size_t pos) const {
  const std::size_t m = pattern_.size();
  return text[pos] == pattern_.front() && text[pos + m - 1] == pattern_.back() &&
         text.substr(pos + 1, m - 2) == std::string_view(pattern_).substr(1, m - 2);
}

void TStringDivider::Explode(std::string_view text, std::vector<std::string>& list) const {
  if (!ready_) throw std::logic_error(std::string(texts::kPatternNotSet));
  list.clear();
  const std::size_t n = text.size();
  const std::size_t m = pattern_.size();
  if (n < m) {
    list.emplace_back(text);
    return;
  }
  const std::size_t last = n - m;  // the last window start at which the separator fits
  std::size_t pos = 0;
  std::size_t from = 0;
  while (pos < last) {
    if (Matches(text, pos)) {
      list.emplace_back(text.substr(from, pos - from));
      pos += m;
      from = pos;
    } else {
      pos += shiftTable_[static_cast<unsigned char>(text[pos + m])];  // pos + m <= n - 1 here
    }
  }
  if (pos == last && Matches(text, pos)) {
    list.emplace_back(text.substr(from, pos - from));
    from = pos + m;
  }
  list.emplace_back(text.substr(from));
}

}  // namespace lumivo
