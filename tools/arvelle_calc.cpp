// arvelle-calc: the pitch-circle calculation without a window, for scripting and for
// checking the calculation from outside. Prints the results table, the sum row and the
// two summary texts as the main window would show them after "Calculations".
#include <exception>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/calculation.h"
#include "core/error_report.h"
#include "core/format_settings.h"
#include "export/xls_export.h"

namespace {

constexpr std::string_view kUsage =
    "usage: arvelle-calc [--diameter TEXT] [--bolts TEXT] [--angle TEXT] [--force TEXT]\n"
    "                    [--mx TEXT] [--my TEXT] [--separator CHAR] [--xls FILE]\n"
    "\n"
    "Runs the pitch-circle calculation on the six input texts (each taken verbatim, as\n"
    "typed into the window; defaults 3000, 4, 0, -340, 130, 130) and prints the results\n"
    "table, an empty line, the sum row, and the degrees and distance between bolts.\n"
    "Cells are separated by one TAB. --separator sets the decimal separator; without it\n"
    "the user's locale decides. --xls saves the table into the workbook FILE as the\n"
    "window's \"Save\" does (a new workbook, or a sheet added to an existing one), only\n"
    "when the calculation succeeded. Exit status: 0 done, 1 the calculation or the save\n"
    "failed (the message goes to stderr), 2 bad options.\n";

struct Options {
  arvelle::InputTexts inputs;
  std::optional<char16_t> separator;
  std::optional<std::string> workbook;
};

// Parses the command line; nullopt after printing the usage (`exitCode` says why).
std::optional<Options> ParseArguments(int argc, char** argv, int& exitCode) {
  Options options;
  const std::map<std::string_view, std::string*> fields = {
      {"--diameter", &options.inputs.D_Edit},  {"--bolts", &options.inputs.n_Edit},
      {"--angle", &options.inputs.alpha_Edit}, {"--force", &options.inputs.Nforce_Edit},
      {"--mx", &options.inputs.Mx_Edit},       {"--my", &options.inputs.My_Edit},
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help") {
      std::cout << kUsage;
      exitCode = 0;
      return std::nullopt;
    }
    if (i + 1 >= argc) {
      std::cerr << "arvelle-calc: " << option << " needs a value\n" << kUsage;
      exitCode = 2;
      return std::nullopt;
    }
    const std::string_view value = argv[++i];
    if (const auto field = fields.find(option); field != fields.end()) {
      *field->second = std::string(value);
    } else if (option == "--xls") {
      options.workbook = std::string(value);
    } else if (option == "--separator") {
      options.separator = arvelle::SeparatorFromUtf8(value);
      if (!options.separator) {
        std::cerr << "arvelle-calc: --separator takes exactly one character\n" << kUsage;
        exitCode = 2;
        return std::nullopt;
      }
    } else {
      std::cerr << "arvelle-calc: unknown option " << option << "\n" << kUsage;
      exitCode = 2;
      return std::nullopt;
    }
  }
  return options;
}

void PrintRow(const arvelle::StringGrid& grid, int row) {
  for (int col = 0; col < grid.ColCount(); ++col) {
    if (col > 0) std::cout << '\t';
    std::cout << grid.GetCellEx(col, row);
  }
  std::cout << '\n';
}

void PrintState(const arvelle::PitchCircleModel& model) {
  const arvelle::StringGrid& table = model.AdvStringGrid1;
  int lastRow = 0;
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int col = 0; col < table.ColCount(); ++col) {
      if (!table.GetCellEx(col, row).empty()) lastRow = row;
    }
  }
  for (int row = 0; row <= lastRow; ++row) PrintRow(table, row);
  std::cout << '\n';
  PrintRow(model.AdvStringGrid2, 0);
  std::cout << model.Edit1 << '\n' << model.Edit2 << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  int exitCode = 0;
  const std::optional<Options> options = ParseArguments(argc, argv, exitCode);
  if (!options) return exitCode;

  arvelle::FormatSettings = arvelle::FormatSettingsFromUserLocale();
  if (options->separator) arvelle::FormatSettings.DecimalSeparator = *options->separator;

  arvelle::PitchCircleModel model;
  model.inputs = options->inputs;
  model.FormCreate();
  std::exception_ptr failure;
  try {
    model.BitBtn2Click();
  } catch (...) {
    failure = std::current_exception();
  }
  PrintState(model);
  std::cout.flush();
  if (!failure && options->workbook) {
    try {
      arvelle::XLSExport(model.AdvStringGrid1, arvelle::MainWindowGridLook(), *options->workbook,
                         "", -1, 1, arvelle::InsertInSheet::Clear);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  if (failure) {
    std::cerr << arvelle::ReportText(failure) << '\n';
    return 1;
  }
  return 0;
}
