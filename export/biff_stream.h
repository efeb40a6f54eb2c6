#pragma once
// The record layer of a BIFF8 stream: frames record data with its type and size, cuts data
// longer than a record may hold into CONTINUE records, and tells where each record lands,
// since several records hold absolute stream positions of others.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "export/little_endian.h"

namespace arvelle::xls {

class BiffStream {
 public:
  // Where the next record's header goes, counted from the start of the stream.
  std::size_t Position() const { return bytes_.size(); }

  // Writes one record and returns the position of its header. Data longer than a record may
  // hold goes on in CONTINUE records, cut at the limit; use ContinuedRecord for data with
  // units that must not be cut.
  std::size_t Write(std::uint16_t id, std::span<const std::uint8_t> data = {});

  // The stream so far, for patching fields that point forward.
  Bytes& Data() { return bytes_; }
  const Bytes& Data() const { return bytes_; }

 private:
  Bytes bytes_;
};

// One record whose data may run into CONTINUE records, built piece by piece. Whole pieces
// are never cut, and a string's characters are cut only between characters, with the fresh
// option byte that a CONTINUE record starts with when it takes over a string.
class ContinuedRecord {
 public:
  ContinuedRecord(BiffStream& stream, std::uint16_t id);
  ContinuedRecord(const ContinuedRecord&) = delete;
  ContinuedRecord& operator=(const ContinuedRecord&) = delete;
  ~ContinuedRecord() = default;

  // Where some data landed: its stream position and its offset from the header of the
  // record or CONTINUE record holding it.
  struct Place {
    std::size_t streamPosition;
    std::size_t offsetInRecord;
  };

  // Appends bytes that must stay in one record, moving on to a new CONTINUE record first
  // when they do not fit. `keepWithNext` more bytes must fit behind them as well (a string's
  // header is never separated from its first character).
  Place AppendWhole(std::span<const std::uint8_t> bytes, std::size_t keepWithNext = 0);
  // Appends a string's characters, one byte each or two (`wide`).
  void AppendCharacters(std::u16string_view text, bool wide);
  // Sets the size of the last record. Nothing may be appended afterwards.
  void Finish();

 private:
  std::size_t Room() const;
  void StartPiece(std::uint16_t id);
  void ClosePiece();

  BiffStream& stream_;
  std::size_t pieceHeader_ = 0;
  bool finished_ = false;
};

}  // namespace arvelle::xls
