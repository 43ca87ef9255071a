#include <QGuiApplication>

#include <span>

#include "platform/metafile_picture.h"

// Drawing SVG needs a GUI application; offscreen, once a process.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "metafile_fuzzer";
  static char* argv[] = {name, nullptr};
  static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  (void)offscreen;
  const std::span bytes(data, size);
  if (!lumivo::platform::IsMetafile(bytes)) return 0;
  lumivo::Bitmap target;
  (void)lumivo::platform::ReadMetafile(bytes, target);
  return 0;
}
