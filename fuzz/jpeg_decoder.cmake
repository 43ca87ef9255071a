lumivo_fuzzer(jpeg_decoder DATA jpeg lumivo_readers)
