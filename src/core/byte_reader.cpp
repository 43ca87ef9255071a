#include "core/byte_reader.h"

#include "resources/texts.h"

namespace lumivo {

void ByteReader::Fail() { throw Failure(FormatText(texts::kCorruptPicture, "unerwartetes Dateiende")); }

}  // namespace lumivo
