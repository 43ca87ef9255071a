#pragma once
// Every registered picture class, in the order of the class list.

#include "readers/reader_class.h"

namespace lumivo {

// The platform's own classes: read by the platform loader, never by content.
extern const ReaderClass kBitmap;
extern const ReaderClass kIcon;
extern const ReaderClass kMetafile;
extern const ReaderClass kJPEGImage;

// The program's own readers.
extern const ReaderClass kTargaGraphic;
extern const ReaderClass kTIFFGraphic;
extern const ReaderClass kEPSGraphic;
extern const ReaderClass kPCXGraphic;
extern const ReaderClass kRLAGraphic;
extern const ReaderClass kSGIGraphic;
extern const ReaderClass kPSDGraphic;
extern const ReaderClass kPPMGraphic;
extern const ReaderClass kAutodeskGraphic;
extern const ReaderClass kPCDGraphic;
extern const ReaderClass kGIFGraphic;
extern const ReaderClass kCUTGraphic;
extern const ReaderClass kPSPGraphic;
extern const ReaderClass kPNGGraphic;

}  // namespace lumivo
