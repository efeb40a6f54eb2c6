#include "export/shared_strings.h"

#include <algorithm>

#include "export/biff_records.h"
#include "export/xl_string.h"

namespace arvelle::xls {

using namespace biff;

SharedStrings::SharedStrings(const Workbook& workbook) {
  for (const Worksheet& sheet : workbook.Sheets())
    for (const auto& [r, row] : sheet.rows)
      for (const auto& [c, cell] : row.cells)
        if (const auto* text = std::get_if<std::u16string>(&cell.value)) {
          ++references;
          const auto [it, added] =
              index.try_emplace(*text, static_cast<std::uint32_t>(unique.size()));
          if (added) unique.push_back(&it->first);
        }
}

void WriteSharedStrings(BiffStream& stream, const SharedStrings& strings) {
  const std::size_t count = strings.unique.size();
  const std::size_t perBucket = std::max<std::size_t>(count / 128 + 1, 8);
  std::vector<ContinuedRecord::Place> bucketStarts;
  {
    ContinuedRecord sst(stream, kSst);
    Bytes counts;
    ByteWriter(counts).U32(strings.references);
    ByteWriter(counts).U32(static_cast<std::uint32_t>(count));
    sst.AppendWhole(counts);
    for (std::size_t i = 0; i < count; ++i) {
      const std::u16string& text = *strings.unique[i];
      const bool wide = !FitsCompressed(text);
      Bytes header;
      ByteWriter out(header);
      out.U16(static_cast<std::uint16_t>(text.size()));
      out.U8(wide ? 0x01 : 0x00);
      const auto place = sst.AppendWhole(header, text.empty() ? 0 : (wide ? 2 : 1));
      if (i % perBucket == 0) bucketStarts.push_back(place);
      sst.AppendCharacters(text, wide);
    }
    sst.Finish();
  }
  Bytes data;
  ByteWriter out(data);
  out.U16(static_cast<std::uint16_t>(perBucket));
  for (const auto& place : bucketStarts) {
    out.U32(static_cast<std::uint32_t>(place.streamPosition));
    out.U16(static_cast<std::uint16_t>(place.offsetInRecord));
    out.U16(0);
  }
  stream.Write(kExtSst, data);
}

}  // namespace arvelle::xls
