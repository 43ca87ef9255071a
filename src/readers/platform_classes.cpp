#include "readers/registered_classes.h"

namespace lumivo {

// The platform loader reads these; the registry only names them.
const ReaderClass kBitmap{"TBitmap", false, nullptr, nullptr};
const ReaderClass kIcon{"TIcon", false, nullptr, nullptr};
const ReaderClass kMetafile{"TMetafile", false, nullptr, nullptr};
const ReaderClass kJPEGImage{"TJPEGImage", false, nullptr, nullptr};

}  // namespace lumivo
