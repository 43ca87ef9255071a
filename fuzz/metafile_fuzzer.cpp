// The metafile route on any bytes. Accepted: a metafile that was drawn.
#include <QGuiApplication>

#include <span>

#include "fuzz_harness.h"
#include "platform/metafile_picture.h"

// Drawing SVG needs a GUI application; offscreen, once a process.
bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  static int argc = 1;
  static char name[] = "metafile_fuzzer";
  static char* argv[] = {name, nullptr};
  static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  (void)offscreen;
  if (!lumivo::platform::IsMetafile(bytes)) return false;
  lumivo::Bitmap target;
  return lumivo::platform::ReadMetafile(bytes, target).ok();
}
