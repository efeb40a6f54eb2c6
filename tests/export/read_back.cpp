#include "read_back.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace arvelle::test {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

const std::string kHelper =
    std::string("/usr/bin/python3 ") + ARVELLE_EXPORT_TEST_DIR "/read_workbook.py ";

}  // namespace

ScriptRun Run(const std::string& command) {
  ScriptRun run;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

WorkbookRead ReadWithXlrd(const std::string& path) {
  const ScriptRun run = Run(kHelper + Quoted(path));
  if (run.exitCode != 0)
    throw std::runtime_error("xlrd refused " + path + ": " + run.out.substr(0, 2000));
  WorkbookRead book;
  std::istringstream lines(run.out);
  std::string line;
  while (std::getline(lines, line)) {
    const std::vector<std::string> f = Fields(line);
    if (f.empty()) continue;
    const auto i = [&f](std::size_t k) { return std::stoi(f.at(k)); };
    if (f[0] == "stream") {
      book.streams.push_back(f.at(1));
    } else if (f[0] == "sheet") {
      book.sheets.push_back(SheetRead{f.at(2), i(3), i(4)});
    } else if (f[0] == "cell" && book.sheets.size() == 1) {
      book.cells[{i(1), i(2)}] = CellRead{f.at(3), f.at(4), i(5)};
    } else if (f[0] == "xf") {
      book.xfs[i(1)] = XfRead{f.at(2), i(3),  i(4),  i(5),     i(6),  i(7), i(8),
                              i(9),    i(10), i(11), f.at(12), i(13), i(14)};
    } else if (f[0] == "col" && book.sheets.size() == 1) {
      book.columnWidths[i(1)] = i(2);
    } else if (f[0] == "row" && book.sheets.size() == 1) {
      book.rows[i(1)] = WorkbookRead::RowRead{i(2), i(3), i(4)};
    } else if (f[0] == "palette") {
      book.palette[i(1)] = f.at(2);
    } else if (f[0] == "default" && book.sheets.size() == 1) {
      book.defaultColumnWidth = i(1);
      book.defaultRowHeight = i(2);
    } else if (f[0] == "view" && book.sheets.size() == 1) {
      book.gridlines = i(1);
      book.headings = i(2);
    } else {
      throw std::runtime_error("unexpected line from the helper: " + line);
    }
  }
  return book;
}

std::map<std::string, std::string> ReadStreams(const std::string& path) {
  const ScriptRun run = Run(kHelper + "--streams " + Quoted(path));
  if (run.exitCode != 0) throw std::runtime_error("olefile refused " + path + ": " + run.out);
  std::map<std::string, std::string> streams;
  std::istringstream lines(run.out);
  std::string line;
  while (std::getline(lines, line)) {
    const auto f = Fields(line);
    streams[f.at(1)] = f.size() > 2 ? f[2] : "";
  }
  return streams;
}

std::string HexOf(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

}  // namespace arvelle::test
