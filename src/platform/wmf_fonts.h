#pragma once
// libwmf measures text with the 13 standard PostScript fonts, which a Linux
// desktop rarely has as files. It gets the system's own sans, serif and
// monospace faces in their place, found through fontconfig once a process.

#include <libwmf/api.h>

namespace lumivo::platform {

// Sets the font options on `options`; answers the flags to add.
unsigned long ProvideWmfFonts(wmfAPI_Options& options);

}  // namespace lumivo::platform
