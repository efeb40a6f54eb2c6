#pragma once
// The OLE2 compound document that holds a workbook's streams. Written with libgsf; nothing
// of libgsf or GLib shows through this header.
#include <string>
#include <vector>

#include "export/little_endian.h"

namespace arvelle::xls {

struct CompoundStream {
  std::string name;  // UTF-8, at most 31 characters, e.g. "Workbook" or "\x05SummaryInformation"
  Bytes data;
};

// The bytes of a compound document (version 3, 512-byte sectors) whose root storage holds
// `streams`. Throws arvelle::Exception when the document cannot be built.
Bytes BuildCompoundDocument(const std::vector<CompoundStream>& streams);

// Rebuilds the sibling tree of every storage in a compound document held in memory as a
// balanced red-black tree in the document's name order, leaving everything else as it is.
// libgsf links a storage's children as one all-black chain, which readers accept but which
// is not the tree the format asks for. Throws arvelle::Exception for a damaged document.
void BalanceDirectoryTrees(Bytes& document);

}  // namespace arvelle::xls
