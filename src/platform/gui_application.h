#pragma once
// Whether the process has a Qt GUI application: fonts, palettes and text
// drawing need one; without it, plain fallbacks answer.

namespace lumivo::platform {

bool HaveGuiApplication();

}  // namespace lumivo::platform
