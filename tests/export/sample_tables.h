#pragma once
// The kinds of table that "Save" writes, shared by the file tests and by the program that
// writes them for the independent readers of CI.
#include <string>
#include <vector>

#include "core/string_grid.h"
#include "export/xls_export.h"

namespace arvelle::test {

struct SampleTable {
  std::string name;  // also the file's base name
  StringGrid grid;
  GridLook look;
  char16_t decimalSeparator = u'.';
};

// The table after the main window's calculation with `bolts` bolts and `diameter`, under
// `separator`.
SampleTable CalculatedTable(const std::string& name, const std::string& bolts,
                            const std::string& diameter = "3000", char16_t separator = u'.');

// Every kind of file the export writes: before any calculation, 4, 7 and 150 bolts, the
// decimal comma, exponent texts, 65536 bolts, and a table with texts and another look.
std::vector<SampleTable> AllSampleTables();

// The sample of AllSampleTables() with that name; throws std::out_of_range for another.
SampleTable SampleNamed(const std::string& name);

// Writes `table` to `path` as "Save" does, under the table's decimal separator.
void ExportSample(const SampleTable& table, const std::string& path);

}  // namespace arvelle::test
