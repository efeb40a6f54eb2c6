#include "export/property_sets.h"

#include <array>

#include "export/biff_records.h"

namespace arvelle::xls {
namespace {

using Guid = std::array<std::uint8_t, 16>;

// Format identifiers in their stored byte order (the first three fields little-endian).
constexpr Guid kSummaryFormat = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr Guid kDocumentSummaryFormat = {0x02, 0xD5, 0xCD, 0xD5, 0x9C, 0x2E, 0x1B, 0x10,
                                         0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE};

constexpr std::uint16_t kByteOrderMark = 0xFFFE;
constexpr std::uint32_t kSystemWindows = 0x00020006;  // Windows, version 6.2
constexpr std::uint32_t kHeaderSize = 48;             // the header with one section entry
constexpr std::uint32_t kPropertyCodePage = 1;
constexpr std::uint16_t kTypeI2 = 0x0002;

Bytes PropertySet(const Guid& format) {
  Bytes bytes;
  ByteWriter out(bytes);
  out.U16(kByteOrderMark);
  out.U16(0);  // version
  out.U32(kSystemWindows);
  out.Zeros(16);  // no class
  out.U32(1);     // one section
  out.Raw(format);
  out.U32(kHeaderSize);
  // The section: size, property count, (id, offset) pairs, values padded to 4 bytes.
  constexpr std::uint32_t kSectionSize = 8 + 8 + 8;
  out.U32(kSectionSize);
  out.U32(1);
  out.U32(kPropertyCodePage);
  out.U32(16);  // the value's offset from the section's start
  out.U16(kTypeI2);
  out.U16(0);
  out.U16(biff::kCodePageUtf16);
  out.U16(0);
  return bytes;
}

}  // namespace

Bytes SummaryInformationStream() { return PropertySet(kSummaryFormat); }
Bytes DocumentSummaryInformationStream() { return PropertySet(kDocumentSummaryFormat); }

}  // namespace arvelle::xls
