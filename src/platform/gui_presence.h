#pragma once
// Fonts, and so text and drawn SVG, need a QGuiApplication.

namespace lumivo::platform {

bool HaveGuiApplication();

}  // namespace lumivo::platform
