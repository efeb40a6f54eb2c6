#pragma once
// Records that both kinds of substream write the same way.
#include <cstdint>
#include <initializer_list>

#include "export/biff_stream.h"

namespace arvelle::xls {

// A record made of a few 16-bit fields.
void WriteU16Record(BiffStream& stream, std::uint16_t id,
                    std::initializer_list<std::uint16_t> fields);

// The BOF record that opens a substream of the given type (globals or worksheet).
void WriteBof(BiffStream& stream, std::uint16_t substreamType);

}  // namespace arvelle::xls
