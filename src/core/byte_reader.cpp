#include "core/byte_reader.h"

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

void ThrowDataEnd() { throw Failure(FormatText(texts::kCorruptPicture, texts::kUnexpectedEnd)); }

}  // namespace lumivo
