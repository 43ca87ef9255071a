lumivo_fuzzer(gif_lzw lumivo_readers)
