#include "export/compound_reader.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "core/errors.h"
#include "export/compound_file.h"

namespace arvelle::xls {
namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Storages nest this deep at most; real documents use two or three levels.
constexpr int kMaxDepth = 32;

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

void InitialiseGsf() {
  static std::once_flag initialised;
  std::call_once(initialised, [] { gsf_init(); });
}

[[noreturn]] void Unreadable(const std::string& why) {
  throw Exception("The compound document cannot be read: " + why);
}

ClassId ClassIdOf(GsfInfile* storage) {
  ClassId id{};
  if (GSF_IS_INFILE_MSOLE(storage))
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage), id.data());
  return id;
}

// Reads the children of `storage`. Every stream is bounded by the size of the whole
// document, so no size that the directory claims can make this allocate past the input.
void ReadChildren(GsfInfile* storage, std::vector<CompoundEntry>& out, int depth,
                  std::size_t documentSize, std::size_t& bytesRead) {
  if (depth > kMaxDepth) Unreadable("its storages nest too deep");
  const int count = gsf_infile_num_children(storage);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(storage, i);
    GsfPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
    if (name == nullptr || !child) Unreadable("an entry of its directory is damaged");
    CompoundEntry entry;
    entry.name = name;
    if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
      entry.isStorage = true;
      entry.classId = ClassIdOf(GSF_INFILE(child.get()));
      ReadChildren(GSF_INFILE(child.get()), entry.children, depth + 1, documentSize, bytesRead);
    } else {
      const gsf_off_t size = gsf_input_size(child.get());
      // Streams share the document's sectors, so together they cannot exceed it.
      if (size < 0 || static_cast<std::uint64_t>(size) > documentSize - bytesRead)
        Unreadable("the stream \"" + entry.name + "\" is longer than the document");
      entry.data.resize(static_cast<std::size_t>(size));
      if (size > 0 && gsf_input_read(child.get(), entry.data.size(), entry.data.data()) == nullptr)
        Unreadable("the stream \"" + entry.name + "\" is damaged");
      bytesRead += entry.data.size();
    }
    out.push_back(std::move(entry));
  }
}

void WriteChildren(GsfOutfile* storage, const std::vector<CompoundEntry>& children) {
  for (const CompoundEntry& entry : children) {
    GsfPtr<GsfOutput> child(
        gsf_outfile_new_child(storage, entry.name.c_str(), entry.isStorage ? TRUE : FALSE));
    if (!child) throw Exception("Cannot add \"" + entry.name + "\" to the compound document");
    bool written = true;
    if (entry.isStorage) {
      gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(child.get()), entry.classId.data());
      WriteChildren(GSF_OUTFILE(child.get()), entry.children);
    } else if (!entry.data.empty()) {
      written = gsf_output_write(child.get(), entry.data.size(), entry.data.data());
    }
    if (!gsf_output_close(child.get()) || !written)
      throw Exception("Cannot write \"" + entry.name + "\" into the compound document");
  }
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(x) == lower(y);
  });
}

}  // namespace

CompoundEntry* CompoundDocument::FindRootStream(const std::string& name) {
  for (CompoundEntry& entry : children)
    if (!entry.isStorage && SameIgnoringAsciiCase(entry.name, name)) return &entry;
  return nullptr;
}

bool HasCompoundSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= sizeof kSignature &&
         std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

CompoundDocument ReadCompoundDocument(std::span<const std::uint8_t> bytes) {
  InitialiseGsf();
  if (!HasCompoundSignature(bytes)) Unreadable("it has no compound document signature");
  GsfPtr<GsfInput> input(
      gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
  if (!input) Unreadable("out of memory");
  GError* rawError = nullptr;
  GsfPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &rawError));
  const std::unique_ptr<GError, GErrorFree> error(rawError);
  if (!root) Unreadable(error && error->message ? error->message : "its header is damaged");
  CompoundDocument document;
  document.rootClassId = ClassIdOf(root.get());
  std::size_t bytesRead = 0;
  ReadChildren(root.get(), document.children, 0, bytes.size(), bytesRead);
  return document;
}

Bytes WriteCompoundDocument(const CompoundDocument& document) {
  InitialiseGsf();
  GsfPtr<GsfOutput> sink(gsf_output_memory_new());
  GsfPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
  if (!sink || !root) throw Exception("Cannot build the compound document");
  gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), document.rootClassId.data());
  WriteChildren(root.get(), document.children);
  if (!gsf_output_close(GSF_OUTPUT(root.get())))
    throw Exception("Cannot finish the compound document");
  const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
  const gsf_off_t size = gsf_output_size(sink.get());
  if (data == nullptr || size <= 0) throw Exception("Cannot finish the compound document");
  Bytes out(data, data + size);
  BalanceDirectoryTrees(out);
  return out;
}

}  // namespace arvelle::xls
