#pragma once
// Metafiles become SVG through kept libraries rather than a player of our
// own: libemf2svg for enhanced metafiles (EMF and EMF+), libwmf for Windows
// metafiles (placeable and plain).

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/metafile_records.h"

namespace lumivo::platform {

// Nothing when the library refuses the data.
std::optional<std::string> EnhancedToSvg(std::span<const std::uint8_t> bytes, PixelSize size);

// A Windows metafile opened and scanned, so that its size is known before
// anything is drawn.
class WindowsMetafile final {
 public:
  explicit WindowsMetafile(std::span<const std::uint8_t> bytes);
  ~WindowsMetafile();
  WindowsMetafile(const WindowsMetafile&) = delete;
  WindowsMetafile& operator=(const WindowsMetafile&) = delete;

  // The natural size at 96 dots per inch; nothing when the scan failed.
  std::optional<PixelSize> size() const { return size_; }
  std::optional<std::string> Svg();

 private:
  struct State;
  std::unique_ptr<State> state_;
  std::optional<PixelSize> size_;
};

}  // namespace lumivo::platform
