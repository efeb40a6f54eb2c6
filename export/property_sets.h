#pragma once
// The two property-set streams that every workbook carries beside its "Workbook" stream.
// Ours hold only the code page property that every property set must have, so the files
// carry no user name, time stamp or other data that would change between two saves.
#include "export/little_endian.h"

namespace arvelle::xls {

// "\x05SummaryInformation": one section of the summary format, code page 1200.
Bytes SummaryInformationStream();
// "\x05DocumentSummaryInformation": one section of the document summary format, code page 1200.
Bytes DocumentSummaryInformationStream();

inline constexpr const char* kSummaryInformationName = "\x05SummaryInformation";
inline constexpr const char* kDocumentSummaryInformationName =
    "\x05"
    "DocumentSummaryInformation";
inline constexpr const char* kWorkbookStreamName = "Workbook";

}  // namespace arvelle::xls
