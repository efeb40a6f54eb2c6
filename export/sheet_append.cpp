#include "export/sheet_append.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/compound_reader.h"
#include "export/property_sets.h"
#include "export/workbook_reader.h"
#include "export/workbook_stream.h"
#include "export/xl_string.h"

namespace arvelle::xls {
namespace {

using namespace biff;

// Records this module reads beyond those the writer emits.
constexpr std::uint16_t kWriteProtect = 0x0086;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kBookExt = 0x0863;
constexpr std::uint16_t kSupBook = 0x01AE;
// SUPBOOK: ctab (2), cch (2); cch 0x0401 marks the workbook's reference to itself.
constexpr std::uint16_t kSupBookSelf = 0x0401;
// The largest font table the format allows.
constexpr std::size_t kMaxFontCount = 510;
// The globals records that follow the shared strings; a new SST goes before the first.
constexpr std::uint16_t kAfterSharedStrings[] = {kExtSst, 0x0801, 0x080B, 0x0865, kBookExt, 0x0867,
                                                 0x0876,  0x0896, 0x089B, 0x088C, 0x0897,   kEof};

// WINDOW1 fields: itabCur, itabFirst, ctabSel.
constexpr std::size_t kWindow1ActiveTab = 10, kWindow1FirstTab = 12, kWindow1SelectedTabs = 14;
// EXTSST: dsst (2), then per bucket ib (4, absolute), cbOffset (2), reserved (2).
constexpr std::size_t kExtSstFirstBucket = 2, kExtSstBucketSize = 8;
// SST: cstTotal (4), cstUnique (4), then the strings.
constexpr std::size_t kSstHeader = 8;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

[[noreturn]] void Refuse(const AppendRequest& request, const std::string& why) {
  throw Exception("The workbook " + Quoted(request.fileName) + " " + why);
}

void AppendRecord(Bytes& out, std::uint16_t id, std::span<const std::uint8_t> data) {
  ByteWriter w(out);
  w.U16(id);
  w.U16(static_cast<std::uint16_t>(data.size()));
  w.Raw(data);
}

// The FONT record at `index` in its table is referenced as `index`, except that there is no
// font 4: from the fifth record on the reference is one more.
std::uint16_t FontReference(std::size_t index) {
  return static_cast<std::uint16_t>(index < 4 ? index : index + 1);
}
std::size_t FontIndex(std::uint16_t reference) {
  return reference < 4 ? reference : reference - 1u;
}

// Bytes added to the stream after a given record of the old one. `landed` runs once their
// position in the new stream is known, for the fields inside them that hold positions.
struct Insertion {
  Bytes bytes;
  std::function<void(Bytes& out, std::size_t at)> landed;
};

std::vector<std::size_t> RecordsWithId(const WorkbookRecords& book, const Substream& part,
                                       std::uint16_t id) {
  std::vector<std::size_t> found;
  for (std::size_t i = part.first; i <= part.last; ++i)
    if (book.records[i].id == id) found.push_back(i);
  return found;
}

// The records of a worksheet's own level, leaving out charts nested in it.
std::vector<std::size_t> OwnRecordsWithId(const WorkbookRecords& book, const Substream& part,
                                          std::uint16_t id) {
  std::vector<std::size_t> found;
  int depth = 0;
  for (std::size_t i = part.first + 1; i < part.last; ++i) {
    const std::uint16_t rid = book.records[i].id;
    if (rid == kBof)
      ++depth;
    else if (rid == kEof)
      --depth;
    else if (depth == 0 && rid == id)
      found.push_back(i);
  }
  return found;
}

Bytes Copy(std::span<const std::uint8_t> data) { return Bytes(data.begin(), data.end()); }

// The table's own workbook stream, written by the new-file writer and read back: its
// fonts, cell formats, shared strings and its one sheet are what the added sheet is made of.
struct TableParts {
  Bytes stream;
  WorkbookRecords book;
  explicit TableParts(const Workbook& table)
      : stream(WriteWorkbookStream(table)), book(ReadWorkbookRecords(stream, "")) {}
};

class Appender {
 public:
  Appender(const WorkbookRecords& book, const AppendRequest& request)
      : book_(book), request_(request), table_(*request.table) {}

  Bytes Run() {
    CheckCarriedOver();
    const std::vector<std::u16string> names = SheetNames();
    if (request_.sheetPos >= 1 && request_.sheetPos <= static_cast<int>(names.size()))
      Refuse(request_, "cannot take a sheet between its sheets; only after the last one");
    const std::u16string name =
        request_.sheetName.empty() ? NameOfAddedSheet(names) : Utf16FromUtf8(request_.sheetName);
    for (const std::u16string& existing : names)
      if (SameIgnoringCase(existing, name))
        Refuse(request_, "already has a sheet named " + Quoted(request_.sheetName));
    const int total = static_cast<int>(names.size()) + 1;
    active_ =
        request_.selectSheet >= 1 && request_.selectSheet <= total ? request_.selectSheet - 1 : 0;

    // The order matters where two insertions follow the same record: the new BOUNDSHEET
    // goes before a new SST that would follow it.
    MapCellFormats();
    PlanSheetList(name);
    PlanSharedStrings();
    PlanTabIds();
    PlanSelfReference(names.size());
    PlanNewSheet(static_cast<int>(names.size()) == active_);
    Bytes out = Layout();
    PatchPositions(out);
    PatchWindows(out);
    return out;
  }

 private:
  static bool SameIgnoringCase(const std::u16string& a, const std::u16string& b) {
    const auto upper = [](char16_t c) {
      return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char16_t x, char16_t y) { return upper(x) == upper(y); });
  }

  std::vector<std::u16string> SheetNames() const {
    std::vector<std::u16string> names;
    for (const SheetEntry& entry : book_.sheetList) names.push_back(entry.name);
    return names;
  }

  // Refuses what cannot be carried over completely or may not be changed.
  void CheckCarriedOver() const {
    if (!RecordsWithId(book_, book_.globals, kWriteProtect).empty())
      Refuse(request_,
             "is protected against changes with a password; a sheet cannot be added to it");
    for (std::size_t i : RecordsWithId(book_, book_.globals, kProtect)) {
      const auto& data = book_.records[i].data;
      if (data.size() >= 2 && ReadU16(data, 0) != 0)
        Refuse(request_, "protects its structure; a sheet cannot be added to it");
    }
    if (RecordsWithId(book_, book_.globals, kXf).size() < kFirstUserXf)
      Refuse(request_, "is damaged: it holds fewer than the 16 cell formats every workbook has");
    if (RecordsWithId(book_, book_.globals, kFont).empty())
      Refuse(request_, "is damaged: it holds no fonts");
    if (RecordsWithId(book_, book_.globals, kBoundSheet).empty())
      Refuse(request_, "is damaged: it holds no sheets");
  }

  // Finds or adds, for each cell format of the table, a FONT and XF pair in the workbook.
  // An identical pair is reused; new records go after the last of their kind, so every
  // index the workbook already uses stays valid.
  void MapCellFormats() {
    const std::vector<std::size_t> fonts = RecordsWithId(book_, book_.globals, kFont);
    const std::vector<std::size_t> xfs = RecordsWithId(book_, book_.globals, kXf);
    const WorkbookRecords& t = table_.book;
    const std::vector<std::size_t> tableFonts = RecordsWithId(t, t.globals, kFont);
    const std::vector<std::size_t> tableXfs = RecordsWithId(t, t.globals, kXf);
    Bytes newFonts, newXfs;
    std::vector<Bytes> addedFonts, addedXfs;
    for (std::size_t k = kFirstUserXf; k < tableXfs.size(); ++k) {
      Bytes xf = Copy(t.records[tableXfs[k]].data);
      const Bytes font = Copy(t.records[tableFonts.at(FontIndex(ReadU16(xf, 0)))].data);
      std::optional<std::uint16_t> fontRef;
      for (std::size_t f = 0; f < fonts.size() && !fontRef; ++f)
        if (std::ranges::equal(book_.records[fonts[f]].data, font)) fontRef = FontReference(f);
      for (std::size_t f = 0; f < addedFonts.size() && !fontRef; ++f)
        if (addedFonts[f] == font) fontRef = FontReference(fonts.size() + f);
      if (!fontRef) {
        if (fonts.size() + addedFonts.size() >= kMaxFontCount)
          Refuse(request_, "already holds the most fonts a workbook can hold (510)");
        fontRef = FontReference(fonts.size() + addedFonts.size());
        addedFonts.push_back(font);
        AppendRecord(newFonts, kFont, font);
      }
      PatchU16(xf, 0, *fontRef);
      std::optional<std::uint16_t> xfIndex;
      for (std::size_t x = 0; x < xfs.size() && !xfIndex; ++x)
        if (std::ranges::equal(book_.records[xfs[x]].data, xf))
          xfIndex = static_cast<std::uint16_t>(x);
      for (std::size_t x = 0; x < addedXfs.size() && !xfIndex; ++x)
        if (addedXfs[x] == xf) xfIndex = static_cast<std::uint16_t>(xfs.size() + x);
      if (!xfIndex) {
        if (xfs.size() + addedXfs.size() >= static_cast<std::size_t>(kMaxXfCount))
          Refuse(request_, "already holds the most cell formats a workbook can hold (4050)");
        xfIndex = static_cast<std::uint16_t>(xfs.size() + addedXfs.size());
        addedXfs.push_back(xf);
        AppendRecord(newXfs, kXf, xf);
      }
      xfOfTableXf_[static_cast<std::uint16_t>(k)] = *xfIndex;
    }
    if (!newFonts.empty()) Insert(book_.EndOfGroup(fonts.back()) - 1, {std::move(newFonts), {}});
    if (!newXfs.empty()) Insert(book_.EndOfGroup(xfs.back()) - 1, {std::move(newXfs), {}});
  }

  // Texts of the table join the workbook's shared strings, after the strings it has. The
  // old SST records stay as they are but for the counts; the new strings follow in CONTINUE
  // records cut exactly as the new-file writer cut them.
  void PlanSharedStrings() {
    const WorkbookRecords& t = table_.book;
    const std::vector<std::size_t> tableSst = RecordsWithId(t, t.globals, kSst);
    if (tableSst.empty()) return;
    const BiffRecord& sst = t.records[tableSst.front()];
    const std::uint32_t addedTotal = ReadU32(sst.data, 0), addedUnique = ReadU32(sst.data, 4);
    if (addedUnique == 0) return;
    const std::size_t tableSstEnd = t.EndOfGroup(tableSst.front());
    const std::vector<std::size_t> own = RecordsWithId(book_, book_.globals, kSst);
    if (!own.empty()) {
      const std::size_t at = own.front();
      Bytes counts = Copy(book_.records[at].data);
      if (counts.size() < kSstHeader)
        Refuse(request_, "is damaged: its shared string table is too short");
      stringBase_ = ReadU32(counts, 4);
      if (std::numeric_limits<std::uint32_t>::max() - stringBase_ < addedUnique ||
          std::numeric_limits<std::uint32_t>::max() - ReadU32(counts, 0) < addedTotal)
        Refuse(request_, "holds too many shared strings");
      PatchU32(counts, 0, ReadU32(counts, 0) + addedTotal);
      PatchU32(counts, 4, stringBase_ + addedUnique);
      newData_[at] = std::move(counts);
      Bytes strings;
      if (sst.data.size() > kSstHeader)
        AppendRecord(strings, kContinue, sst.data.subspan(kSstHeader));
      for (std::size_t i = tableSst.front() + 1; i < tableSstEnd; ++i)
        AppendRecord(strings, kContinue, t.records[i].data);
      Insert(book_.EndOfGroup(at) - 1, {std::move(strings), {}});
      return;
    }
    // No shared strings yet: the table's SST and EXTSST go in whole, before the records that
    // follow them in a workbook's globals.
    Bytes records;
    for (std::size_t i = tableSst.front(); i < tableSstEnd; ++i)
      AppendRecord(records, t.records[i].id, t.records[i].data);
    const std::size_t sstStart = t.records[tableSst.front()].position;
    const std::size_t extSstAt = records.size();
    const std::vector<std::size_t> extSst = RecordsWithId(t, t.globals, kExtSst);
    if (!extSst.empty()) AppendRecord(records, kExtSst, t.records[extSst.front()].data);
    std::size_t before = book_.globals.last;
    for (std::size_t i = book_.globals.first + 1; i <= book_.globals.last; ++i)
      if (std::ranges::find(kAfterSharedStrings, book_.records[i].id) !=
          std::end(kAfterSharedStrings)) {
        before = i;
        break;
      }
    const bool hasExtSst = !extSst.empty();
    Insert(before - 1,
           {std::move(records), [sstStart, extSstAt, hasExtSst](Bytes& out, std::size_t at) {
              if (!hasExtSst) return;
              const std::size_t data = at + extSstAt + kRecordHeaderSize;
              const std::size_t size = ReadU16(out, at + extSstAt + 2);
              for (std::size_t b = kExtSstFirstBucket; b + 4 <= size; b += kExtSstBucketSize)
                PatchU32(out, data + b,
                         static_cast<std::uint32_t>(ReadU32(out, data + b) - sstStart + at));
            }});
  }

  void PlanSheetList(const std::u16string& name) {
    Bytes data;
    ByteWriter w(data);
    w.U32(0);  // the sheet's position, known once it is laid out
    w.U8(0);   // visible
    w.U8(0);   // worksheet
    WriteShortString(w, name);
    Bytes record;
    AppendRecord(record, kBoundSheet, data);
    const std::size_t last = book_.sheetList.back().boundSheet;
    Insert(book_.EndOfGroup(last) - 1,
           {std::move(record), [this](Bytes&, std::size_t at) { newBoundSheet_ = at; }});
  }

  // TABID holds one id per sheet in sheet order; the new sheet gets the smallest unused one.
  void PlanTabIds() {
    for (std::size_t i : RecordsWithId(book_, book_.globals, kTabId)) {
      Bytes data = Copy(book_.records[i].data);
      std::set<std::uint16_t> used;
      for (std::size_t at = 0; at + 2 <= data.size(); at += 2) used.insert(ReadU16(data, at));
      std::uint16_t id = 1;
      while (used.contains(id)) ++id;  // at most one id per two bytes of the record
      data.resize(data.size() & ~std::size_t{1});
      if (data.size() + 2 > kMaxRecordData) Refuse(request_, "holds too many sheets");
      ByteWriter(data).U16(id);
      newData_[i] = std::move(data);
    }
  }

  // The workbook's reference to itself counts its sheets, as Excel writes it (the readers
  // ignore it); a count that was right stays right.
  void PlanSelfReference(std::size_t sheets) {
    for (std::size_t i : RecordsWithId(book_, book_.globals, kSupBook)) {
      const auto& data = book_.records[i].data;
      if (data.size() < 4 || ReadU16(data, 2) != kSupBookSelf || ReadU16(data, 0) != sheets)
        continue;
      Bytes counted = Copy(data);
      PatchU16(counted, 0, static_cast<std::uint16_t>(sheets + 1));
      newData_[i] = std::move(counted);
    }
  }

  // The table's sheet, its cell formats renumbered to the workbook's and its strings to
  // follow the workbook's strings; its stream positions are fixed once it is laid out.
  void PlanNewSheet(bool active) {
    const WorkbookRecords& t = table_.book;
    if (t.sheets.size() != 1) throw Exception("The table's workbook must have one sheet");
    const Substream& sheet = t.sheets.front();
    const std::size_t tableStart = t.records[sheet.first].position;
    Bytes bytes;
    std::vector<std::size_t> indexFields;  // offsets in `bytes` of fields holding positions
    for (std::size_t i = sheet.first; i <= sheet.last; ++i) {
      const BiffRecord& r = t.records[i];
      Bytes data = Copy(r.data);
      switch (r.id) {
        case kBlank:
        case kNumber:
        case kRk:
          PatchU16(data, 4, MappedXf(ReadU16(data, 4)));
          break;
        case kLabelSst:
          PatchU16(data, 4, MappedXf(ReadU16(data, 4)));
          PatchU32(data, 6, ReadU32(data, 6) + stringBase_);
          break;
        case kMulBlank:
          for (std::size_t at = 4; at + 2 < data.size(); at += 2)
            PatchU16(data, at, MappedXf(ReadU16(data, at)));
          break;
        case kMulRk:
          for (std::size_t at = 4; at + 6 < data.size(); at += 6)
            PatchU16(data, at, MappedXf(ReadU16(data, at)));
          break;
        case kWindow2: {
          std::uint16_t flags = ReadU16(data, 0) & ~(kWindow2Selected | kWindow2Active);
          if (active) flags |= kWindow2Selected | kWindow2Active;
          PatchU16(data, 0, flags);
          break;
        }
        case kIndex:
          // ibXF and then every rgibRw entry.
          for (std::size_t at = kIndexDefColWidthPos; at + 4 <= data.size(); at += 4)
            indexFields.push_back(bytes.size() + kRecordHeaderSize + at);
          break;
        default:
          break;
      }
      AppendRecord(bytes, r.id, data);
    }
    std::size_t after = book_.globals.last;
    for (const Substream& s : book_.sheets) after = std::max(after, s.last);
    Insert(after, {std::move(bytes), [this, tableStart, indexFields](Bytes& out, std::size_t at) {
                     newSheet_ = at;
                     for (std::size_t field : indexFields)
                       PatchU32(
                           out, at + field,
                           static_cast<std::uint32_t>(ReadU32(out, at + field) - tableStart + at));
                   }});
  }

  std::uint16_t MappedXf(std::uint16_t tableXf) const {
    const auto found = xfOfTableXf_.find(tableXf);
    return found == xfOfTableXf_.end() ? tableXf : found->second;
  }

  void Insert(std::size_t afterRecord, Insertion insertion) {
    insertions_[afterRecord].push_back(std::move(insertion));
  }

  Bytes Layout() {
    Bytes out;
    out.reserve(book_.stream.size() + 64 * 1024);
    newPosition_.resize(book_.records.size());
    for (std::size_t i = 0; i < book_.records.size(); ++i) {
      newPosition_[i] = out.size();
      const auto replaced = newData_.find(i);
      AppendRecord(out, book_.records[i].id,
                   replaced == newData_.end() ? book_.records[i].data
                                              : std::span<const std::uint8_t>(replaced->second));
      const auto inserted = insertions_.find(i);
      if (inserted == insertions_.end()) continue;
      for (Insertion& insertion : inserted->second) {
        const std::size_t at = out.size();
        out.insert(out.end(), insertion.bytes.begin(), insertion.bytes.end());
        if (insertion.landed) insertion.landed(out, at);
      }
    }
    if (out.size() > std::numeric_limits<std::uint32_t>::max())
      Refuse(request_, "would grow past the largest size a workbook stream can have");
    return out;
  }

  // Where a position of the old stream is in the new one. A position past the old stream
  // points at nothing and stays as it was.
  std::uint32_t Moved(std::uint32_t old) const {
    if (old >= book_.stream.size()) return old;
    const auto next =
        std::upper_bound(book_.records.begin(), book_.records.end(), std::size_t{old},
                         [](std::size_t p, const BiffRecord& r) { return p < r.position; });
    const auto k = static_cast<std::size_t>(next - book_.records.begin()) - 1;
    return static_cast<std::uint32_t>(newPosition_[k] + (old - book_.records[k].position));
  }

  // The position of field `offset` of old record `record`'s data in the new stream.
  std::size_t FieldAt(std::size_t record, std::size_t offset) const {
    return newPosition_[record] + kRecordHeaderSize + offset;
  }

  void MoveField(Bytes& out, std::size_t record, std::size_t offset) const {
    const std::size_t at = FieldAt(record, offset);
    PatchU32(out, at, Moved(ReadU32(out, at)));
  }

  void PatchPositions(Bytes& out) const {
    for (const SheetEntry& entry : book_.sheetList)
      PatchU32(out, FieldAt(entry.boundSheet, kBoundSheetPlyPos),
               static_cast<std::uint32_t>(newPosition_[book_.sheets[entry.substream].first]));
    PatchU32(out, newBoundSheet_ + kRecordHeaderSize + kBoundSheetPlyPos,
             static_cast<std::uint32_t>(newSheet_));
    for (const Substream& sheet : book_.sheets)
      for (std::size_t i : OwnRecordsWithId(book_, sheet, kIndex))
        for (std::size_t at = kIndexDefColWidthPos; at + 4 <= book_.records[i].data.size(); at += 4)
          MoveField(out, i, at);
    for (std::size_t i : RecordsWithId(book_, book_.globals, kExtSst))
      for (std::size_t at = kExtSstFirstBucket; at + 4 <= book_.records[i].data.size();
           at += kExtSstBucketSize)
        MoveField(out, i, at);
  }

  // The active sheet shown and selected, no other sheet selected, the tabs from the first.
  void PatchWindows(Bytes& out) const {
    for (std::size_t i : RecordsWithId(book_, book_.globals, kWindow1)) {
      if (book_.records[i].data.size() < kWindow1SelectedTabs + 2) continue;
      PatchU16(out, FieldAt(i, kWindow1ActiveTab), static_cast<std::uint16_t>(active_));
      PatchU16(out, FieldAt(i, kWindow1FirstTab), 0);
      PatchU16(out, FieldAt(i, kWindow1SelectedTabs), 1);
    }
    for (std::size_t n = 0; n < book_.sheetList.size(); ++n)
      for (std::size_t i :
           OwnRecordsWithId(book_, book_.sheets[book_.sheetList[n].substream], kWindow2)) {
        if (book_.records[i].data.size() < 2) continue;
        std::uint16_t flags = ReadU16(out, FieldAt(i, 0)) & ~(kWindow2Selected | kWindow2Active);
        if (static_cast<int>(n) == active_) flags |= kWindow2Selected | kWindow2Active;
        PatchU16(out, FieldAt(i, 0), flags);
      }
  }

  const WorkbookRecords& book_;
  const AppendRequest& request_;
  TableParts table_;
  int active_ = 0;
  std::map<std::uint16_t, std::uint16_t> xfOfTableXf_;
  std::uint32_t stringBase_ = 0;
  std::map<std::size_t, Bytes> newData_;
  std::map<std::size_t, std::vector<Insertion>> insertions_;
  std::vector<std::size_t> newPosition_;
  std::size_t newBoundSheet_ = 0;
  std::size_t newSheet_ = 0;
};

}  // namespace

std::u16string NameOfAddedSheet(const std::vector<std::u16string>& existingNames) {
  const auto upper = [](std::u16string name) {
    for (char16_t& c : name)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return name;
  };
  // An exact match is a match in all but letter case too, so one set of upper-cased names
  // answers both questions.
  std::set<std::u16string> taken;
  for (const std::u16string& name : existingNames) taken.insert(upper(name));
  if (!taken.contains(u"SHEET")) return u"Sheet";
  // Each name rules out at most one number, so the search ends within one more than their
  // count.
  for (std::size_t n = 1;; ++n) {
    std::u16string candidate = u"Sheet";
    for (char c : std::to_string(n)) candidate.push_back(static_cast<char16_t>(c));
    if (!taken.contains(upper(candidate))) return candidate;
  }
}

Bytes AppendTableToWorkbook(std::span<const std::uint8_t> existingFile,
                            const AppendRequest& request) {
  if (request.table == nullptr) throw Exception("No table to add to the workbook");
  if (!HasCompoundSignature(existingFile)) throw Exception("The file \"\" is invalid");
  const std::string invalid = "The file " + Quoted(request.fileName) + " is invalid";
  CompoundDocument document;
  try {
    document = ReadCompoundDocument(existingFile);
  } catch (const Exception&) {
    // A damaged compound document is reported like any file that is not a workbook.
    throw Exception(invalid);
  }
  CompoundEntry* workbook = document.FindRootStream(kWorkbookStreamName);
  if (workbook == nullptr) throw Exception(invalid);
  const WorkbookRecords book = ReadWorkbookRecords(workbook->data, request.fileName);
  Bytes stream = Appender(book, request).Run();
  workbook->data = std::move(stream);
  return WriteCompoundDocument(document);
}

}  // namespace arvelle::xls
