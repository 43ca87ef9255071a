#pragma once
// The libjpeg error handler both directions share: errors jump back to the
// caller's setjmp with the library's message kept for our own text.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "core/result.h"

namespace lumivo::jpeg {

struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Installs the handler: any error, and the warning that the data ended
// early (a truncated file), leave through `jump`.
jpeg_error_mgr* Install(ErrorManager& manager);

// Leaves through the same jump with a message of our own.
[[noreturn]] void Fail(j_common_ptr info, const char* message);

// What the error that left through the jump was: the library's memory and
// size limits are "too large", everything else a broken file.
ErrorKind KindOf(const ErrorManager& manager);

}  // namespace lumivo::jpeg
