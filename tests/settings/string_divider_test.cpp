#include "settings/string_divider.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace lumivo {
namespace {

using Pieces = std::vector<std::string>;

Pieces Explode(std::string_view text, std::string_view pattern = kProfileListSeparator) {
  TStringDivider divider;
  divider.SetPattern(pattern);
  Pieces pieces{"stale"};
  divider.Explode(text, pieces);
  return pieces;
}

// Left to right, occurrences never overlapping.
Pieces NaiveSplit(const std::string& text, const std::string& pattern) {
  Pieces pieces;
  if (text.size() < pattern.size()) return {text};
  std::size_t from = 0;
  for (std::size_t pos = text.find(pattern); pos != std::string::npos; pos = text.find(pattern, from)) {
    pieces.push_back(text.substr(from, pos - from));
    from = pos + pattern.size();
  }
  pieces.push_back(text.substr(from));
  return pieces;
}

TEST(StringDivider, ExplodesAtEverySeparator) {
  const std::pair<const char*, Pieces> cases[] = {
      {"a##KVL##b##KVL##", {"a", "b", ""}},
      {"a", {"a"}},
      {"##KVL##", {"", ""}},
      {"a##KVL####KVL##b", {"a", "", "b"}},
      {"ab", {"ab"}},
      {"", {""}},
      {"Web##KVL##Urlaub 2011.alt##KVL##", {"Web", "Urlaub 2011.alt", ""}},
      {"a###KVL##b", {"a#", "b"}},
      {"##KVL#", {"##KVL#"}},
      {"x##KVL#L##y", {"x##KVL#L##y"}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Explode(text), expected) << text;
}

TEST(StringDivider, AgreesWithAPlainSearchOnRandomTexts) {
  std::mt19937 random(4711);
  const std::string alphabet = "#KVLa";
  for (const std::string pattern : {"##KVL##", "ab", "aba", "#a#"}) {
    TStringDivider divider;
    divider.SetPattern(pattern);
    for (int round = 0; round < 2000; ++round) {
      std::string text(random() % 40, ' ');
      for (char& c : text) c = alphabet[random() % alphabet.size()];
      Pieces pieces;
      divider.Explode(text, pieces);
      ASSERT_EQ(pieces, NaiveSplit(text, pattern)) << "text " << text << " pattern " << pattern;
    }
  }
}

TEST(StringDivider, ExplodingWithoutSeparatorIsAProgrammingError) {
  TStringDivider divider;
  Pieces pieces;
  try {
    divider.Explode("a##KVL##b", pieces);
    FAIL() << "no assertion";
  } catch (const std::logic_error& error) {
    EXPECT_STREQ(error.what(), "Pattern not set");
  }
}

TEST(StringDivider, ChangingThePatternRebuildsTheTable) {
  TStringDivider divider;
  divider.SetPattern("##KVL##");
  divider.SetPattern(";;");
  Pieces pieces;
  divider.Explode("a;;b##KVL##c", pieces);
  EXPECT_EQ(pieces, (Pieces{"a", "b##KVL##c"}));
}

}  // namespace
}  // namespace lumivo
