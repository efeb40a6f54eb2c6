#include "export/workbook.h"

#include <algorithm>

#include "core/errors.h"
#include "export/biff_records.h"

namespace arvelle::xls {

Font DefaultFont() {
  Font font;
  font.name = u"Arial";
  return font;
}

Workbook::Workbook() {
  sheets_.emplace_back();
  sheets_.back().name = u"Sheet1";
}

XfIndex Workbook::AddCellFormat(const CellFormat& format) {
  const auto found = std::find(cellFormats_.begin(), cellFormats_.end(), format);
  const auto position = static_cast<int>(found - cellFormats_.begin());
  if (found == cellFormats_.end()) {
    if (biff::kFirstUserXf + position >= biff::kMaxXfCount)
      throw Exception("The workbook holds too many different cell formats");
    cellFormats_.push_back(format);
  }
  return static_cast<XfIndex>(biff::kFirstUserXf + position);
}

}  // namespace arvelle::xls
