// The metafile route on any bytes. Accepted: a metafile that was drawn.
#include <span>

#include "fuzz_harness.h"
#include "gui_application.h"
#include "platform/metafile_picture.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  NeedGuiApplication();
  if (!lumivo::platform::IsMetafile(bytes)) return false;
  lumivo::Bitmap target;
  return lumivo::platform::ReadMetafile(bytes, target).ok();
}
