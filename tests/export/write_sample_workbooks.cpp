// Writes one workbook of every kind that "Save" produces into the folder given as the
// argument, for the independent readers that CI runs on them.
#include <filesystem>
#include <iostream>

#include "sample_tables.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_sample_workbooks FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  try {
    std::filesystem::create_directories(folder);
    for (const auto& table : arvelle::test::AllSampleTables()) {
      const std::filesystem::path file = folder / (table.name + ".xls");
      std::filesystem::remove(file);
      arvelle::test::ExportSample(table, file.string());
      std::cout << file.string() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
