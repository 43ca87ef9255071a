#include "imaging/jpeg_output.h"

#include "resources/texts.h"

namespace lumivo {

Status CompressOutput(Bitmap&, JpegImage&, int) { return Error{FormatText(texts::kJpegError, "noch nicht gebaut")}; }
Status SaveJpeg(const JpegImage&, const std::filesystem::path&) { return Error{FormatText(texts::kJpegError, "noch nicht gebaut")}; }
bool RenderAtQuality(const Bitmap&, Bitmap&, int) { return false; }

}  // namespace lumivo
