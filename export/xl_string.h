#pragma once
// The two string forms of BIFF8 records. Text is stored either "compressed" (one byte per
// character, for texts whose UTF-16 code units are all below 0x100) or as UTF-16LE; an
// option byte before the characters says which.
#include <cstdint>
#include <string>
#include <string_view>

#include "export/little_endian.h"

namespace arvelle::xls {

// UTF-8 (as the core keeps its texts) to UTF-16. Throws arvelle::Exception for bytes that
// are not UTF-8.
std::u16string Utf16FromUtf8(std::string_view utf8);

// True when every code unit fits in one byte, so the text can be stored compressed.
bool FitsCompressed(std::u16string_view text);

// The characters alone, one byte each when `wide` is false, else two.
void WriteCharacters(ByteWriter& out, std::u16string_view text, bool wide);

// ShortXLUnicodeString: count (1), option byte (1), characters. Names of fonts and sheets.
// Throws arvelle::Exception for a text longer than 255 code units.
void WriteShortString(ByteWriter& out, std::u16string_view text);

// XLUnicodeString: count (2), option byte (1), characters. Throws for more than 65535.
void WriteLongString(ByteWriter& out, std::u16string_view text);

}  // namespace arvelle::xls
