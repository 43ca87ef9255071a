#pragma once
// Cuts a text into pieces at every occurrence of a separator, with the
// quick-search shift table (the character after the window decides the shift).

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lumivo {

class TStringDivider {
 public:
  // The separator has two or more bytes; the table is rebuilt only when it changes.
  void SetPattern(std::string_view pattern);

  // Clears the list, then appends the pieces in order. A text ending with the
  // separator yields an empty last piece. Throws std::logic_error
  // ("Pattern not set") when no separator was ever set.
  void Explode(std::string_view text, std::vector<std::string>& list) const;

 private:
  bool Matches(std::string_view text, std::size_t pos) const;

  std::string pattern_;
  std::array<std::size_t, 256> shiftTable_{};
  bool ready_ = false;
};

// The separator of the stored profile list.
inline constexpr std::string_view kProfileListSeparator = "##KVL##";

}  // namespace lumivo
