#pragma once
// The small text jobs every folder needs, done one way: UTF-8 character
// counts, strict decimal numbers, ASCII case, and names made safe to print.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumivo {

// Characters of a UTF-8 text: every byte that does not continue a sequence.
std::size_t Utf8CharacterCount(std::string_view text);
// Whole sequences only, none cut short or overlong-led.
bool IsValidUtf8(std::string_view text);

// An optional sign and decimal digits, nothing else, within int.
std::optional<int> ParseDecimalInt(std::string_view text);

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// Control characters as C escapes ("\n", "\t", "\x1b"), so that a name with
// a line break never splits a line of a report.
std::string EscapeControlCharacters(std::string_view text);

}  // namespace lumivo
