#include "core/calculation.h"

#include <array>

#include "core/errors.h"
#include "core/extended.h"
#include "core/number_text.h"

namespace arvelle {
namespace {

constexpr std::array<const char*, kTableCols> kHeaders = {"Bolts", "Angle", "X Axis", "Y Axis",
                                                          "X^2",   "Y^2",   "P [kN]"};

// The program's value of pi, nine decimals, as an extended constant.
const Extended kPi = Extended::FromLongDouble(3.141592653L);

void WriteHeaderRow(StringGrid& table) {
  for (int col = 0; col < kTableCols; ++col) table.SetCellEx(col, 0, kHeaders[col]);
}

double ReadInput(const std::string& text) { return CellTextToNumber(text).ToDouble(); }

// A bolt's angle in radians, from the angle text in degrees, stored as a double.
double Radians(const std::string& angleText) {
  return (CellTextToNumber(angleText) * kPi / 180.0).ToDouble();
}

}  // namespace

PitchCircleModel::PitchCircleModel() = default;

void PitchCircleModel::FormCreate() { WriteHeaderRow(AdvStringGrid1); }

void PitchCircleModel::BitBtn2Click() {
  StringGrid& table = AdvStringGrid1;
  Series1.Clear();
  table.Clear();
  WriteHeaderRow(table);

  const double D = ReadInput(inputs.D_Edit);
  const double n = ReadInput(inputs.n_Edit);
  const double N = ReadInput(inputs.Nforce_Edit);
  const double Mx = ReadInput(inputs.Mx_Edit);
  const double My = ReadInput(inputs.My_Edit);
  const double alpha = ReadInput(inputs.alpha_Edit);
  if (n > kMaxBolts) throw Exception("The number of bolts must not exceed 65536");

  const double s = RoundToHundredths(Extended(360.0) / n);

  // Every bolt gets a row of its own: the table grows past its 99 bolt rows when needed.
  const int boltRows = n >= 1 ? static_cast<int>(n) : 0;
  if (boltRows + 1 > table.RowCount()) table.SetRowCount(boltRows + 1);

  for (int i = 1; i <= n; ++i) {
    table.SetCellEx(0, i, IntegerToCellText(i - 1));
    if (i == 1) {
      table.SetCellEx(1, 1, NumberToCellText(alpha));
    } else {
      const double previous = CellTextToNumber(table.GetCellEx(1, i - 1)).ToDouble();
      table.SetCellEx(1, i, NumberToCellText((Extended(previous) + s).ToDouble()));
    }
    const double X = RoundToHundredths(Sin(Radians(table.GetCellEx(1, i))) * (Extended(D) / 2.0));
    table.SetCellEx(2, i, NumberToCellText(X));
    const double Y = RoundToHundredths(Cos(Radians(table.GetCellEx(1, i))) * (Extended(D) / 2.0));
    table.SetCellEx(3, i, NumberToCellText(Y));
    table.SetCellEx(4, i, NumberToCellText(RoundToHundredths(Sqr(X))));
    table.SetCellEx(5, i, NumberToCellText(RoundToHundredths(Sqr(Y))));
    Series1.AddXY(X, Y, "", kSeriesDefaultColor);
  }

  const int lastRow = table.RowCount() - 1;
  AdvStringGrid2.SetCellEx(4, 0, NumberToCellText(table.ColumnSum(4, 1, lastRow)));
  const double sumX2 = CellTextToNumber(AdvStringGrid2.GetCellEx(4, 0)).ToDouble();
  AdvStringGrid2.SetCellEx(5, 0, NumberToCellText(table.ColumnSum(5, 1, lastRow)));
  const double sumY2 = CellTextToNumber(AdvStringGrid2.GetCellEx(5, 0)).ToDouble();

  for (int j = 1; j <= n; ++j) {
    const double x = RoundToHundredths(CellTextToNumber(table.GetCellEx(2, j)));
    const double y = RoundToHundredths(CellTextToNumber(table.GetCellEx(3, j)));
    Extended P = Extended(N) / n;
    P = P - (Extended(Mx) * x) / sumX2 * 1000.0;
    P = P - (Extended(My) * y) / sumY2 * 1000.0;
    table.SetCellEx(6, j, NumberToCellText(RoundToHundredths(P)));
  }

  Edit1 = NumberToCellText(RoundToHundredths(Extended(360.0) / n));
  Edit2 = NumberToCellText(RoundToHundredths(Extended(D) * kPi / n));
}

}  // namespace arvelle
