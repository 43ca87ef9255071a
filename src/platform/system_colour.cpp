#include "platform/system_colour.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <array>

#include "platform/gui_application.h"

namespace lumivo::platform {

namespace {

struct SystemColour {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
  std::uint32_t fallback;  // 0xRRGGBB, used without a GUI
};

// Indexed like the stored system colour numbers (low byte of the value).
constexpr std::array<SystemColour, 31> kSystemColours{{
    {QPalette::Active, QPalette::Mid, 0xC8C8C8},                  // scroll bar
    {QPalette::Active, QPalette::Window, 0x000000},               // desktop
    {QPalette::Active, QPalette::Highlight, 0x99B4D1},            // active caption
    {QPalette::Inactive, QPalette::Highlight, 0xBFCDDB},          // inactive caption
    {QPalette::Active, QPalette::Base, 0xF0F0F0},                 // menu
    {QPalette::Active, QPalette::Base, 0xFFFFFF},                 // window
    {QPalette::Active, QPalette::Shadow, 0x646464},               // window frame
    {QPalette::Active, QPalette::WindowText, 0x000000},           // menu text
    {QPalette::Active, QPalette::WindowText, 0x000000},           // window text
    {QPalette::Active, QPalette::HighlightedText, 0x000000},      // caption text
    {QPalette::Active, QPalette::Midlight, 0xB4B4B4},             // active border
    {QPalette::Inactive, QPalette::Midlight, 0xF4F7FC},           // inactive border
    {QPalette::Active, QPalette::Dark, 0xABABAB},                 // application workspace
    {QPalette::Active, QPalette::Highlight, 0x0078D7},            // highlight
    {QPalette::Active, QPalette::HighlightedText, 0xFFFFFF},      // highlighted text
    {QPalette::Active, QPalette::Button, 0xF0F0F0},               // button face
    {QPalette::Active, QPalette::Dark, 0xA0A0A0},                 // button shadow
    {QPalette::Disabled, QPalette::WindowText, 0x6D6D6D},         // grey text
    {QPalette::Active, QPalette::ButtonText, 0x000000},           // button text
    {QPalette::Inactive, QPalette::HighlightedText, 0x000000},    // inactive caption text
    {QPalette::Active, QPalette::Light, 0xFFFFFF},                // button highlight
    {QPalette::Active, QPalette::Shadow, 0x696969},               // 3D dark shadow
    {QPalette::Active, QPalette::Midlight, 0xE3E3E3},             // 3D light
    {QPalette::Active, QPalette::ToolTipText, 0x000000},          // info text
    {QPalette::Active, QPalette::ToolTipBase, 0xFFFFE1},          // info background
    {QPalette::Active, QPalette::WindowText, 0x000000},           // unused number
    {QPalette::Active, QPalette::Link, 0x0066CC},                 // hot light
    {QPalette::Active, QPalette::Highlight, 0xB9D1EA},            // gradient active caption
    {QPalette::Inactive, QPalette::Highlight, 0xD7E4F2},          // gradient inactive caption
    {QPalette::Active, QPalette::Highlight, 0x3399FF},            // menu highlight
    {QPalette::Active, QPalette::Window, 0xF0F0F0},               // menu bar
}};

PlainColour FromRgb(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

}  // namespace

PlainColour ResolveColour(std::uint32_t colour) {
  if ((colour & kSystemColourFlag) == 0)
    return {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
            static_cast<std::uint8_t>(colour >> 16)};
  const std::uint32_t index = colour & 0xFF;
  if (index >= kSystemColours.size()) return {};  // an unknown system colour reads as black
  const SystemColour& entry = kSystemColours[index];
  if (!HaveGuiApplication()) return FromRgb(entry.fallback);
  const QColor c = QGuiApplication::palette().color(entry.group, entry.role);
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

}  // namespace lumivo::platform
