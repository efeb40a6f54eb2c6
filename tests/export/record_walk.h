#pragma once
// Splits a BIFF8 stream into its records, so tests can look at the records the writer made
// and at the positions that records hold of one another.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "export/little_endian.h"

namespace arvelle::test {

struct Record {
  std::uint16_t id = 0;
  std::size_t position = 0;  // of the 4-byte header
  std::span<const std::uint8_t> data;

  std::uint16_t U16(std::size_t at) const { return xls::ReadU16(data, at); }
  std::uint32_t U32(std::size_t at) const { return xls::ReadU32(data, at); }
};

inline std::vector<Record> Records(std::span<const std::uint8_t> stream) {
  std::vector<Record> records;
  std::size_t at = 0;
  while (at < stream.size()) {
    if (at + 4 > stream.size()) throw std::runtime_error("record header cut off");
    const std::uint16_t id = xls::ReadU16(stream, at);
    const std::uint16_t size = xls::ReadU16(stream, at + 2);
    if (at + 4 + size > stream.size()) throw std::runtime_error("record data cut off");
    records.push_back(Record{id, at, stream.subspan(at + 4, size)});
    at += 4 + size;
  }
  return records;
}

inline std::vector<std::uint8_t> Hex(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> v;
  for (int b : bytes) v.push_back(static_cast<std::uint8_t>(b));
  return v;
}

}  // namespace arvelle::test
