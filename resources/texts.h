#pragma once
// Every text the user can see, in one place. German like the program, typos
// included: stored files and users' habits depend on them.

#include <string>
#include <type_traits>
#include <string_view>

namespace lumivo::texts {

inline constexpr std::string_view kApplicationTitle = "Lumivo";

// Reader registry and readers
inline constexpr std::string_view kRegisterTwice = "Attempt to register %s twice.";

// Picture loading and output; our own wording where the program had none
inline constexpr std::string_view kFileNotFound = "Die Datei '%s' wurde nicht gefunden.";
inline constexpr std::string_view kFileNotReadable = "Die Datei '%s' kann nicht gelesen werden.";
inline constexpr std::string_view kNotAPicture = "Die Datei '%s' ist kein lesbares Bild.";
inline constexpr std::string_view kPictureTooSmall = "Das Bild ist zu klein (mindestens 1 × 2 Pixel).";
inline constexpr std::string_view kPictureTooLarge = "Das Bild ist zu groß (%d × %d Pixel).";
inline constexpr std::string_view kOutOfMemory = "Nicht genug Arbeitsspeicher für das Bild.";
inline constexpr std::string_view kReaderNotAvailable = "Das Format '%s' kann noch nicht gelesen werden.";
inline constexpr std::string_view kCorruptPicture = "Die Bilddaten sind beschädigt: %s";
inline constexpr std::string_view kJpegError = "JPEG-Fehler: %s";
inline constexpr std::string_view kCannotWriteFile = "Die Datei '%s' kann nicht geschrieben werden.";

}  // namespace lumivo::texts

namespace lumivo {

// printf-style filling of a text: %s, %d, %x, %f with width and precision.
// std::string arguments are passed as their characters.
std::string FormatTextV(std::string_view format, const char* const* strings, const long long* integers,
                        const long double* reals, const char* kinds, int count);

namespace detail {
struct FormatArgs {
  static constexpr int kMax = 8;
  const char* strings[kMax] = {};
  long long integers[kMax] = {};
  long double reals[kMax] = {};
  char kinds[kMax] = {};
  int count = 0;
  void Add(const std::string& s) { Put('s').strings[count - 1] = s.c_str(); }
  void Add(std::string_view s) = delete;  // not guaranteed to be terminated
  void Add(const char* s) { Put('s').strings[count - 1] = s; }
  void Add(double v) { Put('f').reals[count - 1] = v; }
  void Add(long double v) { Put('f').reals[count - 1] = v; }
  template <typename I>
    requires std::is_integral_v<I>
  void Add(I v) { Put('d').integers[count - 1] = static_cast<long long>(v); }
  FormatArgs& Put(char kind) { kinds[count++] = kind; return *this; }
};
}  // namespace detail

// Fills a text of the table: FormatText(texts::kRegisterTwice, "bmp").
template <typename... Args>
std::string FormatText(std::string_view format, const Args&... args) {
  static_assert(sizeof...(Args) <= detail::FormatArgs::kMax);
  detail::FormatArgs packed;
  (packed.Add(args), ...);
  return FormatTextV(format, packed.strings, packed.integers, packed.reals, packed.kinds, packed.count);
}

}  // namespace lumivo
