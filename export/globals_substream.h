#pragma once
// The globals substream: workbook settings, fonts, number formats, cell formats, the list
// of sheets and the shared strings.
#include <cstddef>
#include <vector>

#include "export/biff_stream.h"
#include "export/shared_strings.h"
#include "export/workbook.h"

namespace arvelle::xls {

// Writes the globals and returns, for each sheet, the stream position of the BOUNDSHEET
// field that must receive the position of the sheet's BOF.
std::vector<std::size_t> WriteGlobals(BiffStream& stream, const Workbook& workbook,
                                      const SharedStrings& strings);

}  // namespace arvelle::xls
