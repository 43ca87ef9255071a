#pragma once
// A harness answers whether it accepted its input (decoded, parsed) or
// refused it cleanly. fuzz_entry.cpp turns the answer into libFuzzer's entry
// point; the replay checks it against the folder the input came from.

#include <cstdint>
#include <span>

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes);
