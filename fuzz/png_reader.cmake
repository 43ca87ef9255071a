lumivo_fuzzer(png_reader lumivo_readers ZLIB::ZLIB)
