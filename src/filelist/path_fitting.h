#pragma once
// Shortening a path for a display line of a given width.

#include <functional>
#include <string>
#include <string_view>

namespace lumivo {

// Width of a text in the display's font, in pixels.
using TextMeasure = std::function<int(std::string_view)>;

// Drops leading folders one by one until the path fits:
// "/home/me/Fotos/2011/a.jpg", "/.../me/Fotos/2011/a.jpg", ..., "/.../a.jpg",
// ".../a.jpg", "a.jpg". The file name alone may still be too wide.
std::string FitPathToWidth(std::string_view path, const TextMeasure& measure, int width);

// One step of the shortening on a folder part ending in "/":
// "/home/me/" gives "/.../me/", "/.../me/" gives "/.../", "/" gives "".
std::string DropFirstFolder(std::string_view folder);

}  // namespace lumivo
