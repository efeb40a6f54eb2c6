#pragma once
// The pitch-circle calculation on a window-free model of the main window: the six input
// texts, the results table, the sum row, the chart series and the two summary texts.
//
// The calculation writes its values into the table as text and reads several of them
// back, so the number texts shape the results. It catches nothing: a failure ends the
// command at the faulting step and everything written until then stays.
#include <string>

#include "core/point_series.h"
#include "core/string_grid.h"

namespace arvelle {

// One worksheet holds 65536 rows, so no more bolts than that are laid out.
inline constexpr int kMaxBolts = 65536;
// The table's rows when it holds 99 bolts or fewer: the header and 99 bolt rows.
inline constexpr int kTableRows = 100;
inline constexpr int kTableCols = 7;

// The texts of the six input fields, with the window's initial texts.
struct InputTexts {
  std::string D_Edit = "3000";       // pitch diameter, mm
  std::string alpha_Edit = "0";      // angle of the first bolt, degrees
  std::string n_Edit = "4";          // number of bolts
  std::string Nforce_Edit = "-340";  // axial force, kN, negative for compression
  std::string Mx_Edit = "130";       // bending moment paired with X, kNm
  std::string My_Edit = "130";       // bending moment paired with Y, kNm
};

class PitchCircleModel {
 public:
  PitchCircleModel();

  // Writes the results table's header row; the main window's creation runs it once.
  void FormCreate();

  // "Calculations": clears the series and the table, writes the headers, reads the six
  // inputs (D, n, N, Mx, My, alpha), lays the bolts out, sums the squared coordinates,
  // computes each bolt's force and writes the two summary texts. Throws EConvertError,
  // EZeroDivide, EInvalidOp, EOverflow, or Exception "The number of bolts must not exceed
  // 65536" (checked right after the inputs are read).
  void BitBtn2Click();

  InputTexts inputs;
  StringGrid AdvStringGrid1{kTableCols, kTableRows};  // the results table
  StringGrid AdvStringGrid2{kTableCols, 1};           // the sum row
  PointSeries Series1;                                // the hole-position chart's points
  std::string Edit1;                                  // degrees between bolts
  std::string Edit2;  // distance between bolts along the pitch circle, mm
};

}  // namespace arvelle
