// Every content test on any bytes: no read past the end, and the stream
// stays where it was.
#include <cstdlib>
#include <sstream>
#include <string>

#include "readers/file_format_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
  (void)lumivo::FileFormats().ReaderClassFromStream(stream);
  if (stream.tellg() != 0) std::abort();
  return 0;
}
