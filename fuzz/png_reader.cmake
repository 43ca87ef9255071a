lumivo_fuzzer(png_reader DATA png lumivo_readers ZLIB::ZLIB)
