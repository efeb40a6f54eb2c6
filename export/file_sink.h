#pragma once
// The last layer of a save: the finished document's bytes into a new file.
#include <span>
#include <string>

#include "export/little_endian.h"

namespace arvelle::xls {

// Creates the file at `path` and writes `bytes` into it. The file must not exist yet; an
// existing file is left untouched. Throws arvelle::Exception:
// - "Cannot create file "%s". %s" with the full path and the system's error text when the
//   file cannot be created;
// - "Can't write to file "%s". Check it is not in use by another user" when a file exists
//   at `path` (one that another program made after the caller found none there);
// - "Cannot write to file "%s". %s" when writing fails; the partly written file is deleted.
void WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes);

// `path` made absolute against the current folder, as messages show it.
std::string FullPath(const std::string& path);

}  // namespace arvelle::xls
