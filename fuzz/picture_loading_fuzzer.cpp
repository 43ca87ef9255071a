// The whole loading route on any bytes, as a source file takes it: the
// content lookup, the reader that claims the bytes, else the platform
// loader (JPEG, bitmaps, icons, GIF, metafiles). Accepted: a picture came
// out, which must then turn into the working bitmap.
#include <cstdlib>
#include <span>

#include "fuzz_harness.h"
#include "gui_application.h"
#include "imaging/picture_loading.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  NeedGuiApplication();
  lumivo::Bitmap target;
  if (!lumivo::LoadPictureBytes(bytes, "fuzz", target)) return false;
  if (!target.ConvertToBgr24()) std::abort();
  return true;
}
