// libFuzzer's entry point for every harness that answers: the answer does not
// matter to the fuzzer (refused inputs are worth keeping too), only crashes.
#include <cstddef>
#include <cstdint>

#include "fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)LumivoFuzzAccepts(std::span(data, size));
  return 0;
}
