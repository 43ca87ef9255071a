# One harness per reader of this family, all from format_reader_fuzzer.cpp.
foreach(pair targa:kTargaGraphic pcx:kPCXGraphic ppm:kPPMGraphic autodesk:kAutodeskGraphic sgi:kSGIGraphic
             psd:kPSDGraphic rla:kRLAGraphic pcd:kPCDGraphic psp:kPSPGraphic)
  string(REPLACE ":" ";" parts ${pair})
  list(GET parts 0 format)
  list(GET parts 1 reader)
  lumivo_fuzzer(${format}_reader lumivo_readers SOURCE format_reader_fuzzer.cpp DEFINES LUMIVO_READER=${reader})
endforeach()
