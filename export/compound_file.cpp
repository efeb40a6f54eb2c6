#include "export/compound_file.h"

#include <algorithm>
#include <set>

#include "core/errors.h"
#include "export/compound_reader.h"

namespace arvelle::xls {
namespace {

// Compound document header and directory entry fields ([MS-CFB] 2.2 and 2.6).
// | field                   | offset | size |
constexpr std::size_t kHeaderSectorShift = 0x1E;       // 2
constexpr std::size_t kHeaderFatSectorCount = 0x2C;    // 4
constexpr std::size_t kHeaderFirstDirSector = 0x30;    // 4
constexpr std::size_t kHeaderFirstDifatSector = 0x44;  // 4
constexpr std::size_t kHeaderDifat = 0x4C;             // 109 × 4
constexpr std::size_t kHeaderDifatSlots = 109;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kEntryNameLength = 0x40;  // 2, bytes including the terminator
constexpr std::size_t kEntryType = 0x42;        // 1
constexpr std::size_t kEntryColour = 0x43;      // 1
constexpr std::size_t kEntryLeft = 0x44;        // 4
constexpr std::size_t kEntryRight = 0x48;       // 4
constexpr std::size_t kEntryChild = 0x4C;       // 4
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kRed = 0, kBlack = 1;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFF9;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;

[[noreturn]] void Damaged() { throw Exception("The compound document is damaged"); }

class Directory {
 public:
  explicit Directory(Bytes& doc) : doc_(doc) {
    if (doc.size() < kHeaderSize) Damaged();
    const unsigned shift = ReadU16(doc, kHeaderSectorShift);
    if (shift < 7 || shift > 16) Damaged();
    sectorSize_ = std::size_t{1} << shift;
    ReadFat();
    for (std::uint32_t s = ReadU32(doc, kHeaderFirstDirSector); s != kEndOfChain; s = Next(s)) {
      for (std::size_t at = SectorStart(s); at < SectorStart(s) + sectorSize_; at += kEntrySize)
        entries_.push_back(at);
      if (entries_.size() * kEntrySize > doc.size()) Damaged();  // a loop in the chain
    }
  }

  void BalanceFrom(std::uint32_t storage, std::set<std::uint32_t>& seen) {
    if (!seen.insert(storage).second) Damaged();
    std::vector<std::uint32_t> children;
    Collect(U32(storage, kEntryChild), children, 0);
    std::sort(children.begin(), children.end(),
              [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    const std::size_t n = children.size();
    int deepest = 0;
    while ((std::size_t{2} << deepest) - 1 < n) ++deepest;  // levels 0..deepest hold n nodes
    const bool lastLevelFull = ((n + 1) & n) == 0;
    SetU32(storage, kEntryChild, Build(children, 0, n, 0, deepest, lastLevelFull));
    for (std::uint32_t child : children) {
      const std::uint8_t type = doc_.at(Entry(child) + kEntryType);
      if (type == kTypeStorage) BalanceFrom(child, seen);
    }
  }

 private:
  void ReadFat() {
    std::vector<std::uint32_t> fatSectors;
    const std::uint32_t fatCount = ReadU32(doc_, kHeaderFatSectorCount);
    for (std::size_t i = 0; i < kHeaderDifatSlots && fatSectors.size() < fatCount; ++i)
      fatSectors.push_back(ReadU32(doc_, kHeaderDifat + 4 * i));
    std::size_t guard = 0;
    for (std::uint32_t d = ReadU32(doc_, kHeaderFirstDifatSector); fatSectors.size() < fatCount;) {
      if (d > kMaxRegularSector || ++guard > doc_.size() / sectorSize_) Damaged();
      const std::size_t start = SectorStart(d);
      const std::size_t slots = sectorSize_ / 4 - 1;
      for (std::size_t i = 0; i < slots && fatSectors.size() < fatCount; ++i)
        fatSectors.push_back(ReadU32(doc_, start + 4 * i));
      d = ReadU32(doc_, start + 4 * slots);
    }
    for (std::uint32_t s : fatSectors) {
      const std::size_t start = SectorStart(s);
      for (std::size_t i = 0; i < sectorSize_ / 4; ++i)
        fat_.push_back(ReadU32(doc_, start + 4 * i));
    }
  }

  std::size_t SectorStart(std::uint32_t sector) const {
    const std::size_t start = kHeaderSize + std::size_t{sector} * sectorSize_;
    if (sector > kMaxRegularSector || start + sectorSize_ > doc_.size()) Damaged();
    return start;
  }
  std::uint32_t Next(std::uint32_t sector) const {
    if (sector >= fat_.size()) Damaged();
    return fat_[sector];
  }
  std::size_t Entry(std::uint32_t id) const {
    if (id >= entries_.size()) Damaged();
    return entries_[id];
  }
  std::uint32_t U32(std::uint32_t id, std::size_t field) const {
    return ReadU32(doc_, Entry(id) + field);
  }
  void SetU32(std::uint32_t id, std::size_t field, std::uint32_t v) {
    PatchU32(doc_, Entry(id) + field, v);
  }

  // The children of a storage in the order of its present tree, whatever its shape.
  void Collect(std::uint32_t id, std::vector<std::uint32_t>& out, std::size_t depth) {
    if (id == kNoStream) return;
    if (depth > entries_.size() || out.size() > entries_.size()) Damaged();
    Collect(U32(id, kEntryLeft), out, depth + 1);
    out.push_back(id);
    Collect(U32(id, kEntryRight), out, depth + 1);
  }

  std::u16string UpperName(std::uint32_t id) const {
    const std::size_t at = Entry(id);
    const std::size_t bytes = std::min<std::size_t>(ReadU16(doc_, at + kEntryNameLength), 64);
    std::u16string name;
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
      char16_t c = ReadU16(doc_, at + i);
      if (c == 0) break;
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
      name.push_back(c);
    }
    return name;
  }

  // The document's name order: shorter names first, then by upper-cased code units.
  bool Less(std::uint32_t a, std::uint32_t b) const {
    const std::u16string na = UpperName(a), nb = UpperName(b);
    if (na.size() != nb.size()) return na.size() < nb.size();
    return na < nb;
  }

  // A tree of minimal height over sorted[lo, hi): every level but the deepest is full, so
  // with all nodes black and the deepest level red (when it is not full) every path has the
  // same number of black nodes and no red node has a red child.
  std::uint32_t Build(const std::vector<std::uint32_t>& sorted, std::size_t lo, std::size_t hi,
                      int depth, int deepest, bool lastLevelFull) {
    if (lo >= hi) return kNoStream;
    const std::size_t mid = lo + (hi - lo) / 2;
    const std::uint32_t id = sorted[mid];
    SetU32(id, kEntryLeft, Build(sorted, lo, mid, depth + 1, deepest, lastLevelFull));
    SetU32(id, kEntryRight, Build(sorted, mid + 1, hi, depth + 1, deepest, lastLevelFull));
    doc_[Entry(id) + kEntryColour] =
        (depth == deepest && !lastLevelFull && depth > 0) ? kRed : kBlack;
    return id;
  }

  Bytes& doc_;
  std::size_t sectorSize_ = 512;
  std::vector<std::uint32_t> fat_;
  std::vector<std::size_t> entries_;
};

}  // namespace

void BalanceDirectoryTrees(Bytes& document) {
  Directory directory(document);
  std::set<std::uint32_t> seen;
  if (document.size() < kHeaderSize + 1) Damaged();
  directory.BalanceFrom(0, seen);
}

Bytes BuildCompoundDocument(const std::vector<CompoundStream>& streams) {
  // A plain document: streams below the root, no storages, the root's class id zero.
  CompoundDocument document;
  for (const CompoundStream& stream : streams) {
    CompoundEntry entry;
    entry.name = stream.name;
    entry.data = stream.data;
    document.children.push_back(std::move(entry));
  }
  return WriteCompoundDocument(document);
}

}  // namespace arvelle::xls
