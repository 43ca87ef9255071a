#pragma once
// The stored watermark font and Qt's fonts: the font dialog starts from a
// stored font and its choice is stored the way the settings file keeps it.

#include <QFont>

#include <cstdint>

#include "core/font_description.h"

namespace lumivo::platform {

// Face, size in points and the style bits. A size outside 1..1638 points is
// held inside it.
QFont ToQFont(const FontDescription& description);

// A font the user chose: its face, size (rounded to whole points, at least 1)
// and style bits, with the colour and character set that Qt's fonts lack.
FontDescription FromQFont(const QFont& font, std::uint32_t colour, int charset);

}  // namespace lumivo::platform
