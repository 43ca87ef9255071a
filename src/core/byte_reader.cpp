#include "core/byte_reader.h"

#include "resources/texts.h"

namespace lumivo {

void ThrowDataEnd() { throw Failure(FormatText(texts::kCorruptPicture, "unerwartetes Dateiende")); }

}  // namespace lumivo
