#pragma once
// Every multi-byte field of the workbook file is little-endian whatever the host's byte
// order. All writers append through ByteWriter and correct earlier fields through the
// Patch functions, so the byte order is decided in this one place.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace arvelle::xls {

using Bytes = std::vector<std::uint8_t>;

// Appends fields to a byte buffer it does not own.
class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}

  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) { Unsigned(v, 2); }
  void U32(std::uint32_t v) { Unsigned(v, 4); }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  // An IEEE 754 double, as its 8 bytes.
  void F64(double v) { Unsigned(std::bit_cast<std::uint64_t>(v), 8); }
  void Raw(std::span<const std::uint8_t> bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }
  void Zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

  std::size_t Size() const { return out_.size(); }

 private:
  void Unsigned(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  Bytes& out_;
};

// Overwrite a field written earlier, once the value it has to hold is known (a stream
// position, a size).
inline void PatchU16(Bytes& bytes, std::size_t at, std::uint16_t v) {
  bytes.at(at + 1);  // bounds check before writing
  bytes[at] = static_cast<std::uint8_t>(v);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PatchU32(Bytes& bytes, std::size_t at, std::uint32_t v) {
  bytes.at(at + 3);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace arvelle::xls
