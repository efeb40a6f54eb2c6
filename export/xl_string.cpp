#include "export/xl_string.h"

#include <algorithm>

#include "core/errors.h"

namespace arvelle::xls {
namespace {

constexpr std::uint8_t kHighByteFlag = 0x01;

std::uint32_t Continuation(std::string_view utf8, std::size_t at) {
  if (at >= utf8.size() || (static_cast<std::uint8_t>(utf8[at]) & 0xC0) != 0x80)
    throw Exception("The text is not valid UTF-8");
  return static_cast<std::uint8_t>(utf8[at]) & 0x3F;
}

void WriteOptionAndCharacters(ByteWriter& out, std::u16string_view text) {
  const bool wide = !FitsCompressed(text);
  out.U8(wide ? kHighByteFlag : 0);
  WriteCharacters(out, text, wide);
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string result;
  result.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    std::uint32_t cp = 0;
    std::size_t length = 1;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      cp = ((lead & 0x1Fu) << 6) | Continuation(utf8, i + 1);
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      cp = ((lead & 0x0Fu) << 12) | (Continuation(utf8, i + 1) << 6) | Continuation(utf8, i + 2);
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      cp = ((lead & 0x07u) << 18) | (Continuation(utf8, i + 1) << 12) |
           (Continuation(utf8, i + 2) << 6) | Continuation(utf8, i + 3);
      length = 4;
    } else {
      throw Exception("The text is not valid UTF-8");
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(cp));
    }
    i += length;
  }
  return result;
}

bool FitsCompressed(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

void WriteCharacters(ByteWriter& out, std::u16string_view text, bool wide) {
  for (char16_t c : text) {
    if (wide)
      out.U16(c);
    else
      out.U8(static_cast<std::uint8_t>(c));
  }
}

void WriteShortString(ByteWriter& out, std::u16string_view text) {
  if (text.size() > 255) throw Exception("A name in the workbook is longer than 255 characters");
  out.U8(static_cast<std::uint8_t>(text.size()));
  WriteOptionAndCharacters(out, text);
}

void WriteLongString(ByteWriter& out, std::u16string_view text) {
  if (text.size() > 65535)
    throw Exception("A text in the workbook is longer than 65535 characters");
  out.U16(static_cast<std::uint16_t>(text.size()));
  WriteOptionAndCharacters(out, text);
}

}  // namespace arvelle::xls
