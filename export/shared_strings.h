#pragma once
// The shared string table: every text cell of the workbook refers to its text by index.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "export/biff_stream.h"
#include "export/workbook.h"

namespace arvelle::xls {

// The shared string table: each distinct text once, in order of first use.
struct SharedStrings {
  std::vector<const std::u16string*> unique;
  std::unordered_map<std::u16string, std::uint32_t> index;
  std::uint32_t references = 0;

  explicit SharedStrings(const Workbook& workbook);
};

// The SST record with its CONTINUE records, then EXTSST pointing at every eighth (or more)
// string, as readers use it to find a string without reading the ones before.
void WriteSharedStrings(BiffStream& stream, const SharedStrings& strings);

}  // namespace arvelle::xls
