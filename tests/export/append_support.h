#pragma once
// Shared by the tests of adding a sheet to an existing workbook: files as bytes, the
// fixtures written by other programs, what xlrd reads of every sheet, and the Workbook
// stream of a compound document.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "export/compound_reader.h"
#include "export/little_endian.h"
#include "read_back.h"

namespace arvelle::test {

inline xls::Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return xls::Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const xls::Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline std::string FixturePath(const std::string& name) {
  return std::string(ARVELLE_SHARED_DIR) + "/fixtures/xls/" + name;
}

// The names of the files in `folder`, to show that no temporary file was left behind.
inline std::set<std::string> FilesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// Every line of append_read_sheets.py about `path`; throws when xlrd refuses the file.
inline std::vector<std::string> SheetLines(const std::string& path) {
  const ScriptRun run = Run(std::string("/usr/bin/python3 ") + ARVELLE_EXPORT_TEST_DIR +
                            "/append_read_sheets.py '" + path + "'");
  if (run.exitCode != 0) throw std::runtime_error("xlrd refused " + path + ": " + run.out);
  std::vector<std::string> lines;
  std::istringstream in(run.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines about sheet `sheet` (cells, looks, widths, heights), the sheet number left out so
// that sheets of different files compare.
inline std::vector<std::string> LinesOfSheet(const std::vector<std::string>& lines, int sheet) {
  std::vector<std::string> found;
  const std::string index = "\t" + std::to_string(sheet) + "\t";
  for (const std::string& line : lines) {
    const auto tab = line.find('\t');
    const std::string kind = line.substr(0, tab);
    if (kind == "sheet" || kind == "active") continue;
    if (line.compare(tab, index.size(), index) == 0)
      found.push_back(kind + "\t" + line.substr(tab + index.size()));
  }
  return found;
}

inline std::vector<std::string> LinesOfKind(const std::vector<std::string>& lines,
                                            const std::string& kind) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(kind + "\t", 0) == 0) found.push_back(line);
  return found;
}

inline xls::Bytes WorkbookStreamOf(const xls::Bytes& file) {
  xls::CompoundDocument document = xls::ReadCompoundDocument(file);
  const xls::CompoundEntry* stream = document.FindRootStream("Workbook");
  if (stream == nullptr) throw std::runtime_error("no Workbook stream");
  return stream->data;
}

}  // namespace arvelle::test
