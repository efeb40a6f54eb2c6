#include "core/calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "separator_guard.h"

namespace arvelle {
namespace {

using Rows = std::vector<std::vector<std::string>>;
const std::vector<std::string> kHeader = {"Bolts", "Angle", "X Axis", "Y Axis",
                                          "X^2",   "Y^2",   "P [kN]"};

// The rows of the results table from row 0 to the last row holding any text.
Rows TableRows(const StringGrid& table) {
  int last = 0;
  for (int r = 0; r < table.RowCount(); ++r) {
    for (int c = 0; c < table.ColCount(); ++c) {
      if (!table.GetCellEx(c, r).empty()) last = r;
    }
  }
  Rows rows;
  for (int r = 0; r <= last; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < table.ColCount(); ++c) row.push_back(table.GetCellEx(c, r));
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> SumRow(const PitchCircleModel& model) {
  std::vector<std::string> row;
  for (int c = 0; c < 7; ++c) row.push_back(model.AdvStringGrid2.GetCellEx(c, 0));
  return row;
}

std::vector<std::pair<double, double>> ChartPoints(const PitchCircleModel& model) {
  std::vector<std::pair<double, double>> points;
  for (const SeriesPoint& p : model.Series1.Points()) points.emplace_back(p.x, p.y);
  return points;
}

// The text of a coordinate mirrored through the centre ("0" stays "0").
std::string RoundTripNegated(const std::string& text) {
  if (text == "0") return text;
  return text[0] == '-' ? text.substr(1) : "-" + text;
}

class CalculationTest : public testing::Test {
 protected:
  CalculationTest() { model.FormCreate(); }
  PitchCircleModel model;
};

TEST_F(CalculationTest, FormCreateWritesTheHeaderRowOnly) {
  EXPECT_EQ(TableRows(model.AdvStringGrid1), Rows{kHeader});
  EXPECT_EQ(SumRow(model), std::vector<std::string>(7));
  EXPECT_EQ(model.Series1.Count(), 0);
}

TEST_F(CalculationTest, DefaultInputs) {
  model.BitBtn2Click();
  EXPECT_EQ(TableRows(model.AdvStringGrid1),
            (Rows{kHeader,
                  {"0", "0", "0", "1500", "0", "2250000", "-128.33"},
                  {"1", "90", "1500", "0", "2250000", "0", "-128.33"},
                  {"2", "180", "0", "-1500", "0", "2250000", "-41.67"},
                  {"3", "270", "-1500", "0", "2250000", "0", "-41.67"}}));
  EXPECT_EQ(SumRow(model), (std::vector<std::string>{"", "", "", "", "4500000", "4500000", ""}));
  EXPECT_EQ(model.Edit1, "90");
  EXPECT_EQ(model.Edit2, "2356.19");
  EXPECT_EQ(ChartPoints(model),
            (std::vector<std::pair<double, double>>{{-1500, 0}, {0, 1500}, {0, -1500}, {1500, 0}}));
  EXPECT_TRUE(std::signbit(model.Series1.Points()[0].y)) << "bolt 3's Y rounds to -0";
}

TEST_F(CalculationTest, SevenBoltsBuildTheAnglesFromTheRoundedStep) {
  model.inputs.n_Edit = "7";
  model.BitBtn2Click();
  EXPECT_EQ(TableRows(model.AdvStringGrid1),
            (Rows{kHeader,
                  {"0", "0", "0", "1500", "0", "2250000", "-73.33"},
                  {"1", "51.43", "1172.77", "935.21", "1375389.47", "874617.74", "-83.37"},
                  {"2", "102.86", "1462.38", "-333.85", "2138555.26", "111455.82", "-67.2"},
                  {"3", "154.29", "650.72", "-1351.5", "423436.52", "1826552.25", "-37"},
                  {"4", "205.72", "-650.96", "-1351.39", "423748.92", "1826254.93", "-15.52"},
                  {"5", "257.15", "-1462.43", "-333.6", "2138701.5", "111288.96", "-18.92"},
                  {"6", "308.58", "-1172.61", "935.41", "1375014.21", "874991.87", "-44.66"}}));
  EXPECT_EQ(SumRow(model)[4], "7874845.88");
  EXPECT_EQ(SumRow(model)[5], "7875161.57");
  EXPECT_EQ(model.Edit1, "51.43");
  EXPECT_EQ(model.Edit2, "1346.4");
}

// A run that stops must leave exactly what it had written.
struct StopCase {
  const char* name;
  std::function<void(InputTexts&)> inputs;
  Rows table;
  std::vector<std::string> sums;  // after a successful default run first
  std::string edit1, edit2;
  std::size_t chartPoints;
  std::string message;  // "" when the run completes
};

class CalculationStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(CalculationStopTest, LeavesTheStateOfTheStep) {
  const StopCase& c = GetParam();
  PitchCircleModel model;
  model.FormCreate();
  model.BitBtn2Click();  // an earlier run whose sums and summaries may stay
  c.inputs(model.inputs);
  std::string message;
  try {
    model.BitBtn2Click();
  } catch (const Exception& e) {
    message = e.Message();
  }
  EXPECT_EQ(message, c.message);
  EXPECT_EQ(TableRows(model.AdvStringGrid1), c.table);
  EXPECT_EQ(SumRow(model), c.sums);
  EXPECT_EQ(model.Edit1, c.edit1);
  EXPECT_EQ(model.Edit2, c.edit2);
  EXPECT_EQ(model.Series1.Points().size(), c.chartPoints);
}

const std::vector<std::string> kDefaultSums = {"", "", "", "", "4500000", "4500000", ""};
const std::vector<std::string> kZeroSums = {"", "", "", "", "0", "0", ""};

INSTANTIATE_TEST_SUITE_P(
    Inputs, CalculationStopTest,
    testing::Values(
        StopCase{"one_bolt",
                 [](InputTexts& in) { in.n_Edit = "1"; },
                 Rows{kHeader, {"0", "0", "0", "1500", "0", "2250000", ""}},
                 {"", "", "", "", "0", "2250000", ""},
                 "90",
                 "2356.19",
                 1,
                 "Invalid floating point operation"},
        StopCase{"no_bolts", [](InputTexts& in) { in.n_Edit = "0"; }, Rows{kHeader}, kDefaultSums,
                 "90", "2356.19", 0, "Floating point division by zero"},
        StopCase{"negative_bolts", [](InputTexts& in) { in.n_Edit = "-4"; }, Rows{kHeader},
                 kZeroSums, "-90", "-2356.19", 0, ""},
        StopCase{"half_a_bolt", [](InputTexts& in) { in.n_Edit = "0.5"; }, Rows{kHeader}, kZeroSums,
                 "720", "18849.56", 0, ""},
        StopCase{"start_angle_abc", [](InputTexts& in) { in.alpha_Edit = "abc"; }, Rows{kHeader},
                 kDefaultSums, "90", "2356.19", 0, "'abc' is not a valid floating point value"},
        StopCase{"first_bad_field_in_reading_order",
                 [](InputTexts& in) {
                   in.alpha_Edit = "abc";
                   in.Mx_Edit = "x";
                 },
                 Rows{kHeader}, kDefaultSums, "90", "2356.19", 0,
                 "'x' is not a valid floating point value"},
        StopCase{"huge_diameter", [](InputTexts& in) { in.D_Edit = "1e155"; },
                 Rows{kHeader, {"0", "0", "0", "5E154", "0", "", ""}}, kDefaultSums, "90",
                 "2356.19", 0, "Floating point overflow"},
        StopCase{"diameter_beyond_double", [](InputTexts& in) { in.D_Edit = "1e400"; },
                 Rows{kHeader}, kDefaultSums, "90", "2356.19", 0, "Floating point overflow"},
        StopCase{"two_bolts_at_90_and_270",
                 [](InputTexts& in) {
                   in.n_Edit = "2";
                   in.alpha_Edit = "90";
                 },
                 Rows{kHeader,
                      {"0", "90", "1500", "0", "2250000", "0", ""},
                      {"1", "270", "-1500", "0", "2250000", "0", ""}},
                 {"", "", "", "", "4500000", "0", ""},
                 "90",
                 "2356.19",
                 2,
                 "Invalid floating point operation"},
        StopCase{
            "zero_diameter",
            [](InputTexts& in) {
              in.D_Edit = "0";
              in.n_Edit = "2";
            },
            Rows{kHeader, {"0", "0", "0", "0", "0", "0", ""}, {"1", "180", "0", "0", "0", "0", ""}},
            kZeroSums, "90", "2356.19", 2, "Invalid floating point operation"},
        StopCase{"squares_rounding_to_zero_under_a_nonzero_coordinate",
                 [](InputTexts& in) {
                   in.D_Edit = "0.02";
                   in.alpha_Edit = "90";
                 },
                 Rows{kHeader,
                      {"0", "90", "0.01", "0", "0", "0", ""},
                      {"1", "180", "0", "-0.01", "0", "0", ""},
                      {"2", "270", "-0.01", "0", "0", "0", ""},
                      {"3", "360", "0", "0.01", "0", "0", ""}},
                 kZeroSums, "90", "2356.19", 4, "Floating point division by zero"},
        StopCase{"too_many_bolts", [](InputTexts& in) { in.n_Edit = "65537"; }, Rows{kHeader},
                 kDefaultSums, "90", "2356.19", 0, "The number of bolts must not exceed 65536"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculationTest, FractionalBoltCountLaysOutWholeBolts) {
  model.inputs.n_Edit = "4.5";
  model.BitBtn2Click();
  const Rows rows = TableRows(model.AdvStringGrid1);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1][1], "0");
  EXPECT_EQ(rows[2][1], "80");
  EXPECT_EQ(rows[3][1], "160");
  EXPECT_EQ(rows[4][1], "240");
  EXPECT_EQ(model.Edit1, "80");
}

TEST_F(CalculationTest, AnglesAreNotBroughtBackBelowAFullTurn) {
  model.inputs.alpha_Edit = "300";
  model.BitBtn2Click();
  const Rows rows = TableRows(model.AdvStringGrid1);
  EXPECT_EQ((std::vector<std::string>{rows[1][1], rows[2][1], rows[3][1], rows[4][1]}),
            (std::vector<std::string>{"300", "390", "480", "570"}));
}

TEST_F(CalculationTest, NegativeDiameterMirrorsThroughTheCentre) {
  PitchCircleModel positive;
  positive.inputs.n_Edit = "7";
  positive.BitBtn2Click();
  model.inputs.n_Edit = "7";
  model.inputs.D_Edit = "-3000";
  model.BitBtn2Click();
  for (int r = 1; r <= 7; ++r) {
    for (int c : {2, 3}) {
      EXPECT_EQ(model.AdvStringGrid1.GetCellEx(c, r),
                RoundTripNegated(positive.AdvStringGrid1.GetCellEx(c, r)))
          << c << "," << r;
    }
    EXPECT_EQ(model.AdvStringGrid1.GetCellEx(4, r), positive.AdvStringGrid1.GetCellEx(4, r));
    EXPECT_EQ(model.AdvStringGrid1.GetCellEx(5, r), positive.AdvStringGrid1.GetCellEx(5, r));
  }
  EXPECT_EQ(SumRow(model), SumRow(positive));
  EXPECT_EQ(model.Edit2, "-1346.4");
}

TEST_F(CalculationTest, StartAngleKeepsAllItsDigits) {
  model.inputs.alpha_Edit = "12.345678";
  model.BitBtn2Click();
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(1, 1), "12.345678");
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(1, 2), "102.345678");
}

TEST_F(CalculationTest, RunningTwiceGivesTheSameResult) {
  model.inputs.n_Edit = "6";
  model.BitBtn2Click();
  const Rows first = TableRows(model.AdvStringGrid1);
  const auto firstPoints = ChartPoints(model);
  model.BitBtn2Click();
  EXPECT_EQ(TableRows(model.AdvStringGrid1), first);
  EXPECT_EQ(ChartPoints(model), firstPoints);
}

TEST_F(CalculationTest, MoreThan99BoltsGetRowsThatAreSummed) {
  model.inputs.n_Edit = "120";
  model.BitBtn2Click();
  const StringGrid& table = model.AdvStringGrid1;
  ASSERT_EQ(table.RowCount(), 121);
  EXPECT_EQ(table.GetCellEx(0, 120), "119");
  EXPECT_EQ(model.Series1.Count(), 120);
  // Every bolt is in the sums: with 120 evenly spaced bolts, sum X^2 is close to
  // n r^2 / 2 = 135000000; a sum over 99 rows only would be far below.
  const double sumX2 = std::stod(model.AdvStringGrid2.GetCellEx(4, 0));
  EXPECT_NEAR(sumX2, 135000000.0, 1000.0);
  for (int r = 1; r <= 120; ++r) EXPECT_FALSE(table.GetCellEx(6, r).empty()) << r;
  // The forces of opposite bolts balance around N / n.
  EXPECT_NEAR(std::stod(table.GetCellEx(6, 1)) + std::stod(table.GetCellEx(6, 61)),
              2 * -340.0 / 120, 0.011);
}

TEST_F(CalculationTest, ClearingAfterManyBoltsShrinksTheTable) {
  model.inputs.n_Edit = "300";
  model.BitBtn2Click();
  EXPECT_EQ(model.AdvStringGrid1.RowCount(), 301);
  model.inputs.n_Edit = "4";
  model.BitBtn2Click();
  EXPECT_EQ(model.AdvStringGrid1.RowCount(), kTableRows);
}

TEST_F(CalculationTest, TheLargestNumberOfBoltsFitsOneWorksheet) {
  model.inputs.n_Edit = "65536";
  model.BitBtn2Click();
  EXPECT_EQ(model.AdvStringGrid1.RowCount(), 65537);
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(0, 65536), "65535");
  EXPECT_EQ(model.Edit1, "0.01");
}

TEST_F(CalculationTest, DecimalCommaThroughout) {
  test::SeparatorGuard comma(u',', u'.');
  model.inputs.n_Edit = "7";
  model.BitBtn2Click();
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(1, 2), "51,43");
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(2, 2), "1172,77");
  EXPECT_EQ(model.AdvStringGrid1.GetCellEx(6, 7), "-44,66");
  EXPECT_EQ(model.AdvStringGrid2.GetCellEx(4, 0), "7874845,88");
  EXPECT_EQ(model.Edit2, "1346,4");
  model.inputs.D_Edit = "3000.5";
  EXPECT_THROW(model.BitBtn2Click(), EConvertError);
}

}  // namespace
}  // namespace arvelle
