#pragma once
// Saving over an existing file without ever losing it: the new content goes into a
// temporary file beside the old one, is flushed to the disk, and only then takes the old
// file's place by a rename, which the file system does in one step. Until that step the old
// file is exactly as it was; after any failure the temporary file is gone.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "export/little_endian.h"

namespace arvelle::xls {

// Reads the whole file at `path`. Throws arvelle::Exception "Cannot open file "%s". %s"
// (the full path, the system's error text) when it cannot be opened or read.
Bytes ReadExistingFile(const std::string& path);

// Writes up to `size` bytes of `data` to the file `fd` as ::write does: the count written,
// or -1 with errno set. Tests put failures in here; the default is ::write.
using WriteFunction = std::function<long(int fd, const std::uint8_t* data, std::size_t size)>;

// Replaces the file at `path` by `bytes`, keeping its permission bits (and its owner where
// the system allows). Throws arvelle::Exception, the old file untouched and no temporary file
// left behind:
// - "Can't write to file "%s". Check it is not in use by another user" when the file is
//   read-only or its folder does not allow it to be replaced;
// - "Cannot write to file "%s". %s" when writing or flushing the new content fails.
void ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const WriteFunction& write = {});

}  // namespace arvelle::xls
