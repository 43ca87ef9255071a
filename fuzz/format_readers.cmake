# One harness per reader of this family, all from format_reader_fuzzer.cpp,
# each seeded with its format's fixtures (a folder under tests/data/, where
# there is one).
foreach(entry targa:kTargaGraphic:targa pcx:kPCXGraphic:pcx ppm:kPPMGraphic:pnm autodesk:kAutodeskGraphic:autodesk
              sgi:kSGIGraphic:sgi psd:kPSDGraphic:psd rla:kRLAGraphic:rla pcd:kPCDGraphic:pcd psp:kPSPGraphic:psp
              gif:kGIFGraphic:gif eps:kEPSGraphic:eps)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 format)
  list(GET parts 1 reader)
  list(GET parts 2 data)
  lumivo_fuzzer(${format}_reader DATA ${data} lumivo_readers SOURCE format_reader_fuzzer.cpp
                DEFINES LUMIVO_READER=${reader})
endforeach()
