#include "core/string_grid.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

#include "core/extended.h"
#include "core/format_settings.h"

namespace arvelle {
namespace {

const std::string kEmpty;

// The grid's own reading of a cell: the thousands separator is dropped wherever it
// stands, the decimal separator becomes the decimal point, and the rest must be an
// optional "-", digits with an optional fraction, and an optional exponent.
bool ReadGridNumber(std::string_view text, const std::string& decimal, const std::string& thousands,
                    double& value) {
  std::string plain;
  plain.reserve(text.size());
  const bool singleBytes = decimal.size() == 1 && thousands.size() == 1;
  for (std::size_t i = 0; i < text.size();) {
    if (singleBytes) {
      // The usual separators: one byte each, compared without building substrings.
      const char c = text[i++];
      if (c == decimal[0]) {
        plain += '.';
      } else if (c != thousands[0]) {
        plain += c;
      }
    } else if (text.substr(i, decimal.size()) == decimal) {
      plain += '.';
      i += decimal.size();
    } else if (text.substr(i, thousands.size()) == thousands) {
      i += thousands.size();
    } else {
      plain += text[i++];
    }
  }
  while (!plain.empty() && plain.back() == ' ') plain.pop_back();
  std::size_t start = plain.find_first_not_of(' ');
  if (start == std::string::npos) start = plain.size();
  const std::string_view number = std::string_view(plain).substr(start);
  if (number.empty() || number == "-") {
    value = 0.0;
    return true;
  }

  std::size_t pos = number[0] == '-' ? 1 : 0;
  const auto digits = [&] {
    const std::size_t from = pos;
    while (pos < number.size() && number[pos] >= '0' && number[pos] <= '9') ++pos;
    return pos - from;
  };
  std::size_t mantissaDigits = digits();
  if (pos < number.size() && number[pos] == '.') {
    ++pos;
    mantissaDigits += digits();
  }
  if (mantissaDigits == 0) return false;
  if (pos < number.size() && (number[pos] == 'E' || number[pos] == 'e')) {
    ++pos;
    if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) ++pos;
    if (digits() == 0) return false;
  }
  if (pos != number.size()) return false;

  // from_chars takes no leading "+" and reads the rest exactly as validated above.
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  return result.ec == std::errc() && result.ptr == number.data() + number.size();
}

}  // namespace

StringGrid::StringGrid(int colCount, int rowCount)
    : colCount_(colCount),
      rowCount_(rowCount),
      initialRowCount_(rowCount),
      cells_(static_cast<std::size_t>(colCount) * static_cast<std::size_t>(rowCount)) {}

std::size_t StringGrid::Index(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
    throw std::out_of_range("cell (" + std::to_string(col) + ", " + std::to_string(row) +
                            ") lies outside the grid");
  }
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
         static_cast<std::size_t>(col);
}

void StringGrid::SetCellEx(int col, int row, std::string value) {
  cells_[Index(col, row)] = std::move(value);
  if (observer_ != nullptr) observer_->CellChanged(col, row);
}

const std::string& StringGrid::GetCellEx(int col, int row) const {
  const std::size_t index = Index(col, row);
  return index < cells_.size() ? cells_[index] : kEmpty;
}

void StringGrid::Clear() {
  // Emptying the texts in place keeps their storage for the next calculation.
  cells_.resize(static_cast<std::size_t>(colCount_) * static_cast<std::size_t>(initialRowCount_));
  for (std::string& cell : cells_) cell.clear();
  rowCount_ = initialRowCount_;
  if (observer_ != nullptr) observer_->GridReset();
}

void StringGrid::SetRowCount(int rowCount) {
  if (rowCount < 0) throw std::out_of_range("a grid cannot have a negative number of rows");
  rowCount_ = rowCount;
  cells_.resize(static_cast<std::size_t>(colCount_) * static_cast<std::size_t>(rowCount));
  if (observer_ != nullptr) observer_->GridReset();
}

double StringGrid::ColumnSum(int col, int fromRow, int toRow) const {
  const std::string decimal = SeparatorUtf8(FormatSettings.DecimalSeparator);
  const std::string thousands = SeparatorUtf8(FormatSettings.ThousandSeparator);
  double sum = 0.0;
  for (int row = fromRow; row <= toRow; ++row) {
    const std::string& text = GetCellEx(col, row);
    double value = 0.0;
    if (text.empty()) continue;  // counts 0
    if (ReadGridNumber(text, decimal, thousands, value)) sum = (Extended(sum) + value).ToDouble();
  }
  return sum;
}

}  // namespace arvelle
