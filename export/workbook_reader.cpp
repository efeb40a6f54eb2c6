#include "export/workbook_reader.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/little_endian.h"

namespace arvelle::xls {
namespace {

using namespace biff;

constexpr std::uint16_t kFilePass = 0x002F;
// Charts nest in worksheets and nothing nests deeper in practice; the bound keeps a
// crafted stream of BOF records from building an unbounded stack of open substreams.
constexpr int kMaxNesting = 8;

// Messages name the file the way the other messages of "Save" do.
class Failure {
 public:
  explicit Failure(const std::string& fileName) : fileName_(fileName) {}
  [[noreturn]] void operator()(const std::string& why) const {
    throw Exception("The workbook \"" + fileName_ + "\" " + why);
  }

 private:
  std::string fileName_;
};

std::vector<BiffRecord> SplitRecords(std::span<const std::uint8_t> stream, const Failure& fail) {
  std::vector<BiffRecord> records;
  std::size_t at = 0;
  while (at < stream.size()) {
    if (stream.size() - at < kRecordHeaderSize)
      fail("is damaged: its record stream ends inside a record");
    const std::size_t size = ReadU16(stream, at + 2);
    if (stream.size() - at - kRecordHeaderSize < size)
      fail("is damaged: its record stream ends inside a record");
    records.push_back({ReadU16(stream, at), at, stream.subspan(at + kRecordHeaderSize, size)});
    at += kRecordHeaderSize + size;
  }
  return records;
}

// The top-level substreams: each BOF opens one, each EOF closes the innermost. Records
// between top-level substreams (padding some writers leave) belong to none.
std::vector<Substream> TopLevelSubstreams(const std::vector<BiffRecord>& records,
                                          const Failure& fail) {
  std::vector<Substream> found;
  int depth = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].id == kBof) {
      if (records[i].data.size() < 4) fail("is damaged: a BOF record is too short");
      if (depth == 0) found.push_back({i, i, ReadU16(records[i].data, 2)});
      if (++depth > kMaxNesting) fail("is damaged: its substreams nest too deep");
    } else if (records[i].id == kEof && depth > 0) {
      if (--depth == 0) found.back().last = i;
    }
  }
  if (depth != 0) fail("is damaged: a part of its record stream has no end record (EOF)");
  return found;
}

std::u16string SheetName(std::span<const std::uint8_t> boundSheet, const Failure& fail) {
  constexpr std::size_t kName = 6;  // after lbPlyPos, hsState and dt
  if (boundSheet.size() < kName + 2) fail("is damaged: a sheet entry is too short");
  const std::size_t count = boundSheet[kName];
  const bool wide = (boundSheet[kName + 1] & 0x01) != 0;
  const std::size_t start = kName + 2;
  if (boundSheet.size() - start < count * (wide ? 2 : 1))
    fail("is damaged: a sheet name runs past its record");
  std::u16string name;
  for (std::size_t i = 0; i < count; ++i)
    name.push_back(wide ? static_cast<char16_t>(ReadU16(boundSheet, start + 2 * i))
                        : static_cast<char16_t>(boundSheet[start + i]));
  return name;
}

}  // namespace

std::size_t WorkbookRecords::EndOfGroup(std::size_t record) const {
  std::size_t end = record + 1;
  while (end < records.size() && records[end].id == kContinue) ++end;
  return end;
}

WorkbookRecords ReadWorkbookRecords(std::span<const std::uint8_t> stream,
                                    const std::string& fileName) {
  const Failure fail(fileName);
  WorkbookRecords book;
  book.stream = stream;
  book.records = SplitRecords(stream, fail);
  if (book.records.empty() || book.records.front().id != kBof)
    fail("is damaged: its record stream does not start with a BOF record");
  std::vector<Substream> substreams = TopLevelSubstreams(book.records, fail);
  const BiffRecord& bof = book.records.front();
  if (ReadU16(bof.data, 0) != kBiff8Version || ReadU16(bof.data, 2) != kBofGlobals)
    fail("is not an Excel 97-2003 (BIFF8) workbook");
  book.globals = substreams.front();
  book.sheets.assign(substreams.begin() + 1, substreams.end());

  // Encryption comes first: in an encrypted workbook every record body after FILEPASS,
  // sheet names included, is ciphertext.
  for (std::size_t i = book.globals.first; i <= book.globals.last; ++i)
    if (book.records[i].id == kFilePass)
      fail("is encrypted or protected with a password; a sheet cannot be added to it");

  std::map<std::size_t, std::size_t> sheetAt;  // BOF position -> index into sheets
  for (std::size_t s = 0; s < book.sheets.size(); ++s)
    sheetAt.emplace(book.records[book.sheets[s].first].position, s);
  std::set<std::size_t> matched;
  for (std::size_t i = book.globals.first; i <= book.globals.last; ++i) {
    if (book.records[i].id != kBoundSheet) continue;
    const BiffRecord& entry = book.records[i];
    if (entry.data.size() < 4) fail("is damaged: a sheet entry is too short");
    const std::uint32_t bofPosition = ReadU32(entry.data, kBoundSheetPlyPos);
    const auto sheet = sheetAt.find(bofPosition);
    if (sheet == sheetAt.end() || !matched.insert(sheet->second).second)
      fail("is damaged: its sheet list does not match its sheets");
    book.sheetList.push_back({i, sheet->second, SheetName(entry.data, fail)});
  }
  if (book.sheetList.size() != book.sheets.size())
    fail("is damaged: its sheet list does not match its sheets");
  return book;
}

}  // namespace arvelle::xls
