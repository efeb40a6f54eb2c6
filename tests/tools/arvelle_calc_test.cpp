// End-to-end runs of the arvelle-calc program, as a script would call it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct CalcRun {
  std::string out;
  std::string err;
  int status = -1;
};

// Runs arvelle-calc with `arguments` (already shell-quoted) under `environment`.
CalcRun Calc(const std::string& arguments, const std::string& environment = "LC_ALL=C") {
  // ctest runs the cases side by side, so each run gets a file of its own.
  std::string errFile = testing::TempDir() + "arvelle_calc_stderr_XXXXXX";
  const int fd = mkstemp(errFile.data());
  if (fd >= 0) close(fd);
  const std::string command =
      "env " + environment + " '" ARVELLE_CALC "' " + arguments + " 2>'" + errFile + "'";
  CalcRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(errFile);
  std::stringstream text;
  text << err.rdbuf();
  run.err = text.str();
  std::remove(errFile.c_str());
  return run;
}

const char* const kHeader = "Bolts\tAngle\tX Axis\tY Axis\tX^2\tY^2\tP [kN]\n";

TEST(ArvelleCalc, DefaultInputsPrintTheTableTheSumsAndTheSummaries) {
  const CalcRun run = Calc("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, std::string(kHeader) +
                         "0\t0\t0\t1500\t0\t2250000\t-128.33\n"
                         "1\t90\t1500\t0\t2250000\t0\t-128.33\n"
                         "2\t180\t0\t-1500\t0\t2250000\t-41.67\n"
                         "3\t270\t-1500\t0\t2250000\t0\t-41.67\n"
                         "\n"
                         "\t\t\t\t4500000\t4500000\t\n"
                         "90\n"
                         "2356.19\n");
}

TEST(ArvelleCalc, AFailurePrintsWhatStaysAndTheReportOnStderr) {
  const CalcRun run = Calc("--bolts 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Invalid floating point operation.\n");
  EXPECT_EQ(run.out, std::string(kHeader) +
                         "0\t0\t0\t1500\t0\t2250000\t\n"
                         "\n"
                         "\t\t\t\t0\t2250000\t\n"
                         "\n"
                         "\n");
}

TEST(ArvelleCalc, FieldTextsAreTakenVerbatim) {
  const CalcRun run = Calc("--angle ' abc'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "' abc' is not a valid floating point value.\n");
  EXPECT_EQ(run.out, std::string(kHeader) + "\n\t\t\t\t\t\t\n\n\n");
}

TEST(ArvelleCalc, SeparatorOptionAndLocaleBothGiveTheComma) {
  const CalcRun option = Calc("--bolts 7 --separator ,");
  EXPECT_EQ(option.status, 0);
  EXPECT_NE(option.out.find("1\t51,43\t1172,77\t935,21\t1375389,47\t874617,74\t-83,37\n"),
            std::string::npos)
      << option.out;
  EXPECT_NE(option.out.find("\n51,43\n1346,4\n"), std::string::npos);

  const CalcRun locale = Calc("--bolts 7", "LC_ALL=de_DE.UTF-8");
  if (locale.out.find("51,43") == std::string::npos) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  EXPECT_EQ(locale.out, option.out);

  const CalcRun pointUnderComma = Calc("--diameter 3000.5 --separator ,");
  EXPECT_EQ(pointUnderComma.status, 1);
  EXPECT_EQ(pointUnderComma.err, "'3000.5' is not a valid floating point value.\n");
}

TEST(ArvelleCalc, BadOptionsGiveTheUsageAndStatusTwo) {
  for (const char* arguments : {"--bolt 4", "--bolts", "--separator ,,", "stray"}) {
    const CalcRun run = Calc(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("usage: arvelle-calc"), std::string::npos) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
  }
  const CalcRun help = Calc("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: arvelle-calc"), std::string::npos);
}

TEST(ArvelleCalc, TooManyBoltsStopsAfterReadingTheInputs) {
  const CalcRun run = Calc("--bolts 65537");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "The number of bolts must not exceed 65536.\n");
  EXPECT_EQ(run.out, std::string(kHeader) + "\n\t\t\t\t\t\t\n\n\n");
}

// The cells of a workbook as python3-xlrd reads them: "row col type value" lines.
std::string WorkbookCells(const std::string& path) {
  const std::string command = "/usr/bin/python3 '" ARVELLE_READ_WORKBOOK "' '" + path +
                              "' | awk -F'\t' '$1 == \"cell\" && $4 == \"number\" "
                              "{ print $2, $3, $5 }'";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

TEST(ArvelleCalc, XlsWritesTheTableAsSaveDoes) {
  const std::string path = testing::TempDir() + "arvelle_calc_default.xls";
  std::remove(path.c_str());
  const CalcRun run = Calc("--xls '" + path + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string cells = WorkbookCells(path);
  // Bolt 0 on sheet row 1: angle, X, Y, X^2, Y^2, P as numbers.
  EXPECT_NE(cells.find("0 0 0.0\n0 1 0.0\n0 2 1500.0\n0 3 0.0\n0 4 2250000.0\n0 5 -128.33\n"),
            std::string::npos)
      << cells;
  EXPECT_NE(cells.find("3 5 -41.67\n"), std::string::npos) << cells;
  EXPECT_EQ(cells.find("\n4 "), std::string::npos) << "rows below the last bolt are blank";
  std::remove(path.c_str());
}

TEST(ArvelleCalc, XlsWritesNothingWhenTheCalculationFails) {
  const std::string path = testing::TempDir() + "arvelle_calc_failed.xls";
  std::remove(path.c_str());
  const CalcRun run = Calc("--bolts 0 --xls '" + path + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Floating point division by zero.\n");
  EXPECT_NE(access(path.c_str(), F_OK), 0) << "no file may be left";
}

TEST(ArvelleCalc, XlsReportsAFileThatCannotBeCreated) {
  const CalcRun run = Calc("--xls /nonexistent-folder/results.xls");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("Cannot create file \"/nonexistent-folder/results.xls\". ", 0), 0u)
      << run.err;
}

}  // namespace
