// The whole loading route on any bytes, as a source file takes it: the
// content lookup, the reader that claims the bytes, else the platform
// loader (JPEG, bitmaps, icons, GIF, metafiles). Accepted: a picture came
// out, which must then turn into the working bitmap.
#include <QGuiApplication>

#include <cstdlib>
#include <span>

#include "fuzz_harness.h"
#include "imaging/picture_loading.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  static int argc = 1;
  static char name[] = "picture_loading_fuzzer";
  static char* argv[] = {name, nullptr};
  static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  (void)offscreen;
  lumivo::Bitmap target;
  if (!lumivo::LoadPictureBytes(bytes, "fuzz", target)) return false;
  if (!target.ConvertToBgr24()) std::abort();
  return true;
}
