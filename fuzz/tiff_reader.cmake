lumivo_fuzzer(tiff_reader DATA tiff lumivo_readers)
