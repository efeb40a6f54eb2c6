#include "export/biff_stream.h"

#include <algorithm>
#include <stdexcept>

#include "export/biff_records.h"
#include "export/xl_string.h"

namespace arvelle::xls {

std::size_t BiffStream::Write(std::uint16_t id, std::span<const std::uint8_t> data) {
  const std::size_t at = Position();
  ByteWriter out(bytes_);
  std::uint16_t pieceId = id;
  do {
    const std::size_t length = std::min(data.size(), biff::kMaxRecordData);
    out.U16(pieceId);
    out.U16(static_cast<std::uint16_t>(length));
    out.Raw(data.first(length));
    data = data.subspan(length);
    pieceId = biff::kContinue;
  } while (!data.empty());
  return at;
}

ContinuedRecord::ContinuedRecord(BiffStream& stream, std::uint16_t id) : stream_(stream) {
  StartPiece(id);
}

std::size_t ContinuedRecord::Room() const {
  return biff::kMaxRecordData - (stream_.Position() - pieceHeader_ - biff::kRecordHeaderSize);
}

void ContinuedRecord::StartPiece(std::uint16_t id) {
  pieceHeader_ = stream_.Position();
  ByteWriter out(stream_.Data());
  out.U16(id);
  out.U16(0);  // the size, set when the piece is closed
}

void ContinuedRecord::ClosePiece() {
  const std::size_t size = stream_.Position() - pieceHeader_ - biff::kRecordHeaderSize;
  PatchU16(stream_.Data(), pieceHeader_ + 2, static_cast<std::uint16_t>(size));
}

ContinuedRecord::Place ContinuedRecord::AppendWhole(std::span<const std::uint8_t> bytes,
                                                    std::size_t keepWithNext) {
  if (finished_) throw std::logic_error("ContinuedRecord appended after Finish");
  if (bytes.size() + keepWithNext > biff::kMaxRecordData)
    throw std::logic_error("ContinuedRecord piece larger than a record");
  if (bytes.size() + keepWithNext > Room()) {
    ClosePiece();
    StartPiece(biff::kContinue);
  }
  const Place place{stream_.Position(), stream_.Position() - pieceHeader_};
  ByteWriter(stream_.Data()).Raw(bytes);
  return place;
}

void ContinuedRecord::AppendCharacters(std::u16string_view text, bool wide) {
  if (finished_) throw std::logic_error("ContinuedRecord appended after Finish");
  const std::size_t width = wide ? 2 : 1;
  ByteWriter out(stream_.Data());
  while (!text.empty()) {
    std::size_t fit = Room() / width;
    if (fit == 0) {
      ClosePiece();
      StartPiece(biff::kContinue);
      out.U8(wide ? 0x01 : 0x00);  // the option byte repeated for the rest of the string
      fit = Room() / width;
    }
    const std::size_t count = std::min(fit, text.size());
    WriteCharacters(out, text.substr(0, count), wide);
    text.remove_prefix(count);
  }
}

void ContinuedRecord::Finish() {
  if (finished_) return;
  ClosePiece();
  finished_ = true;
}

}  // namespace arvelle::xls
