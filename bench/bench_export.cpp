// "Save" of the results table with 4, 99 and 65536 bolts into a new file, beside writing
// the same number of bytes with a plain std::ofstream, which is the floor for any writer.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "export/table_export.h"
#include "export/xls_export.h"

namespace {

// The table after "Calculations" with `bolts` bolts, made once per size.
const arvelle::StringGrid& TableWithBolts(int bolts) {
  static std::map<int, arvelle::StringGrid> tables;
  auto found = tables.find(bolts);
  if (found == tables.end()) {
    arvelle::PitchCircleModel model;
    model.FormCreate();
    model.inputs.n_Edit = std::to_string(bolts);
    model.BitBtn2Click();
    found = tables.emplace(bolts, model.AdvStringGrid1).first;
  }
  return found->second;
}

std::string BenchFile(const char* what) {
  return (std::filesystem::temp_directory_path() /
          ("arvelle_bench_" + std::to_string(::getpid()) + "_" + what + ".xls"))
      .string();
}

void BM_ExportIntoNewFile(benchmark::State& state) {
  const arvelle::StringGrid& grid = TableWithBolts(static_cast<int>(state.range(0)));
  const arvelle::GridLook look = arvelle::MainWindowGridLook();
  const std::string path = BenchFile("export");
  std::filesystem::remove(path);
  for (auto _ : state) {
    arvelle::XLSExport(grid, look, path, "", -1, 1, arvelle::InsertInSheet::Clear);
    state.PauseTiming();
    state.SetBytesProcessed(state.bytes_processed() +
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
    state.ResumeTiming();
  }
}

// The same number of bytes as the export's file, written through std::ofstream.
void BM_OfstreamSameBytes(benchmark::State& state) {
  const arvelle::StringGrid& grid = TableWithBolts(static_cast<int>(state.range(0)));
  const std::vector<std::uint8_t> bytes = arvelle::xls::XlsFileOfWorkbook(
      arvelle::xls::WorkbookOfTable(grid, arvelle::MainWindowGridLook(), "."));
  const std::string path = BenchFile("ofstream");
  for (auto _ : state) {
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    state.PauseTiming();
    state.SetBytesProcessed(state.bytes_processed() + static_cast<std::int64_t>(bytes.size()));
    std::filesystem::remove(path);
    state.ResumeTiming();
  }
}

// The file's bytes built in memory, without the file: where the export's own time goes.
void BM_BuildFileBytes(benchmark::State& state) {
  const arvelle::StringGrid& grid = TableWithBolts(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto bytes = arvelle::xls::XlsFileOfWorkbook(
        arvelle::xls::WorkbookOfTable(grid, arvelle::MainWindowGridLook(), "."));
    benchmark::DoNotOptimize(bytes.data());
  }
}

BENCHMARK(BM_ExportIntoNewFile)->Arg(4)->Arg(99)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfstreamSameBytes)->Arg(4)->Arg(99)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFileBytes)->Arg(4)->Arg(99)->Arg(65536)->Unit(benchmark::kMillisecond);

}  // namespace
