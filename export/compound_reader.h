#pragma once
// A compound document read whole into memory, with every storage and stream and the class
// ids of the storages, so that it can be written again with one stream replaced and all the
// rest as it was. Read and written through libgsf; nothing of libgsf shows through here.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "export/little_endian.h"

namespace arvelle::xls {

using ClassId = std::array<std::uint8_t, 16>;

// One child of a storage: a stream with its bytes, or a storage with its own children.
struct CompoundEntry {
  std::string name;  // UTF-8, as the directory holds it
  bool isStorage = false;
  ClassId classId{};                    // storages only
  Bytes data;                           // streams only
  std::vector<CompoundEntry> children;  // storages only
};

struct CompoundDocument {
  ClassId rootClassId{};
  std::vector<CompoundEntry> children;

  // The stream directly below the root whose name equals `name` ignoring ASCII letter case
  // (the directory's own comparison), or nullptr.
  CompoundEntry* FindRootStream(const std::string& name);
};

// True when `bytes` begin with the signature of a compound document.
bool HasCompoundSignature(std::span<const std::uint8_t> bytes);

// The document held in `bytes`. Throws arvelle::Exception when libgsf cannot read it or when
// its directory or streams exceed what the bytes can hold.
CompoundDocument ReadCompoundDocument(std::span<const std::uint8_t> bytes);

// The bytes of `document` as a compound document (version 3, 512-byte sectors), each
// storage with its class id, each directory tree balanced. Throws arvelle::Exception.
Bytes WriteCompoundDocument(const CompoundDocument& document);

}  // namespace arvelle::xls
