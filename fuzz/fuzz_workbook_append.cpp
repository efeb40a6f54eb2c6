// Any bytes as the existing file of a "Save": the whole read-and-append path in memory. It
// either gives a new file or a message for the user (arvelle::Exception), never anything
// else, never undefined behaviour; and a new file it gives can take a sheet again, since
// it is read by the same reader.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/errors.h"
#include "core/string_grid.h"
#include "export/compound_file.h"
#include "export/compound_reader.h"
#include "export/sheet_append.h"
#include "export/table_export.h"

namespace {

// A small table with a text, so that the shared strings are taken through as well.
const arvelle::xls::Workbook& Table() {
  static const arvelle::xls::Workbook table = [] {
    arvelle::StringGrid grid(7, 4);
    grid.SetCellEx(1, 1, "36");
    grid.SetCellEx(2, 1, "1060.66");
    grid.SetCellEx(3, 2, "1.5E16");
    grid.SetCellEx(4, 3, "hole");
    return arvelle::xls::WorkbookOfTable(grid, arvelle::MainWindowGridLook(), ".");
  }();
  return table;
}

// Bytes that are no compound document are taken as a Workbook stream and put into one first,
// so that mutations reach the record reader instead of ending in the container's checks.
arvelle::xls::Bytes FileOf(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (arvelle::xls::HasCompoundSignature(bytes))
    return arvelle::xls::Bytes(bytes.begin(), bytes.end());
  return arvelle::xls::BuildCompoundDocument(
      {{"Workbook", arvelle::xls::Bytes(bytes.begin(), bytes.end())}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  arvelle::xls::AppendRequest request;
  request.fileName = "/fuzz/book.xls";
  request.table = &Table();
  try {
    const arvelle::xls::Bytes file =
        arvelle::xls::AppendTableToWorkbook(FileOf(data, size), request);
    try {
      (void)arvelle::xls::AppendTableToWorkbook(file, request);
    } catch (const arvelle::Exception& error) {
      // Only tables that are full already may refuse the second sheet.
      const std::string& message = error.Message();
      if (message.find("already holds the most") == std::string::npos &&
          message.find("too many") == std::string::npos)
        __builtin_trap();
    }
  } catch (const arvelle::Exception&) {
  }
  return 0;
}
