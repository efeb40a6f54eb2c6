#pragma once
// A BIFF8 "Workbook" stream read as records, for carrying it over into a new file. The
// reader meets files that other programs wrote, so every length and count is checked
// against the bytes present and every failure is an exception with a message for the user.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace arvelle::xls {

struct BiffRecord {
  std::uint16_t id = 0;
  std::size_t position = 0;            // of the record's header in the stream
  std::span<const std::uint8_t> data;  // views the stream
};

// A BOF ... EOF run of records, charts nested in a worksheet included.
struct Substream {
  std::size_t first = 0;   // index of the BOF record
  std::size_t last = 0;    // index of the matching EOF record
  std::uint16_t type = 0;  // the BOF's substream type
};

struct SheetEntry {
  std::size_t boundSheet = 0;  // index of the sheet's BOUNDSHEET record
  std::size_t substream = 0;   // index into WorkbookRecords::sheets
  std::u16string name;
};

struct WorkbookRecords {
  std::span<const std::uint8_t> stream;
  std::vector<BiffRecord> records;  // every record in stream order, CONTINUE records included
  Substream globals;
  std::vector<Substream> sheets;      // the substreams after the globals, in stream order
  std::vector<SheetEntry> sheetList;  // in the order of the BOUNDSHEET records

  // The index just past `record` and the CONTINUE records that carry on its data.
  std::size_t EndOfGroup(std::size_t record) const;
};

// Reads `stream` of the file `fileName` (for the messages). Throws arvelle::Exception with the
// reason when the stream ends inside a record, a substream has no EOF, the workbook is not BIFF8,
// is encrypted, or its sheet list does not match its sheets. The result views `stream`, which must
// outlive it.
WorkbookRecords ReadWorkbookRecords(std::span<const std::uint8_t> stream,
                                    const std::string& fileName);

}  // namespace arvelle::xls
