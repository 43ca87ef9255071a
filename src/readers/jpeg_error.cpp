#include "readers/jpeg_error.h"

namespace lumivo::jpeg {

namespace {

[[noreturn]] void Leave(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void Emit(j_common_ptr info, int level) {
  // A picture cut short would otherwise be "completed" with grey.
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) Leave(info);
}

}  // namespace

void Fail(j_common_ptr info, const char* message) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  manager->library.msg_code = 0;  // none of the library's: a broken file
  std::snprintf(manager->message, sizeof manager->message, "%s", message);
  std::longjmp(manager->jump, 1);
}

ErrorKind KindOf(const ErrorManager& manager) {
  switch (manager.library.msg_code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:  // over the memory limit we set
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
      return ErrorKind::TooLarge;
    default:
      return ErrorKind::Broken;
  }
}

jpeg_error_mgr* Install(ErrorManager& manager) {
  jpeg_error_mgr* library = jpeg_std_error(&manager.library);
  library->error_exit = Leave;
  library->emit_message = Emit;
  library->output_message = [](j_common_ptr) {};
  manager.message[0] = '\0';
  return library;
}

}  // namespace lumivo::jpeg
