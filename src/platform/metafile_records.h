#pragma once
// What the platform route checks of a metafile before a library sees it:
// the kind, the natural size, and a record chain that stays inside the
// bytes and ends with its end record.

#include <cstdint>
#include <optional>
#include <span>

namespace lumivo::platform {

enum class MetafileKind : std::uint8_t { None, Windows, Enhanced };

MetafileKind MetafileKindOf(std::span<const std::uint8_t> bytes);

// True when every record lies inside the bytes, no record is shorter than
// its header, and the chain ends with the end-of-file record.
bool RecordsAreSound(std::span<const std::uint8_t> bytes, MetafileKind kind);

struct PixelSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

bool IsPlaceable(std::span<const std::uint8_t> bytes);

// Writes the true length of a Windows metafile's longest record into its
// header: libwmf sizes its record buffer from that field, and a made-up
// value would have it allocate gigabytes. Call after RecordsAreSound.
void SetLongestRecord(std::span<std::uint8_t> bytes);

// The logical window a Windows metafile sets up (its first window origin
// and extent records); nothing without an extent.
struct LogicalWindow {
  int left = 0, top = 0, width = 0, height = 0;
};
std::optional<LogicalWindow> WindowOf(std::span<const std::uint8_t> bytes);

// An enhanced metafile's frame (hundredths of a millimetre) at 96 dots per
// inch; nothing for an inverted frame.
std::optional<PixelSize> EnhancedFrameSize(std::span<const std::uint8_t> bytes);

}  // namespace lumivo::platform
