// The value rule: which cell texts become numbers, blanks or texts.
#include <gtest/gtest.h>

#include <cmath>

#include "export/cell_value.h"

namespace arvelle::xls {
namespace {

struct Case {
  const char* text;
  const char* separator;
  CellValue expected;
};

std::string Describe(const CellValue& v) {
  if (std::holds_alternative<BlankValue>(v)) return "blank";
  if (const auto* n = std::get_if<NumberValue>(&v))
    return "number " + std::to_string(n->value) + (n->exponentForm ? " (exponent form)" : "");
  return "text '" + std::get<TextValue>(v).text + "'";
}

TEST(ValueRule, TurnsTheTableTextsIntoTypedCells) {
  const Case cases[] = {
      {"", ".", BlankValue{}},
      {"   ", ".", BlankValue{}},
      {"\t\r\n", ".", BlankValue{}},
      {"1060.66", ".", NumberValue{1060.66, false}},
      {"1060,66", ",", NumberValue{1060.66, false}},
      {"-128.33", ".", NumberValue{-128.33, false}},
      {"0", ".", NumberValue{0.0, false}},
      {"2250000", ".", NumberValue{2250000.0, false}},
      {" 12.5\t", ".", NumberValue{12.5, false}},
      {"1.5E16", ".", NumberValue{1.5e16, true}},
      {"1E15", ".", NumberValue{1e15, true}},
      {"-1,5E-7", ",", NumberValue{-1.5e-7, true}},
      {"1e+5", ".", NumberValue{1e5, true}},
      {"0.333333333333333", ".", NumberValue{0.333333333333333, false}},
      // Not the number shape of the table: kept as text.
      {"1060.66", ",", TextValue{"1060.66"}},
      {"1060,66", ".", TextValue{"1060,66"}},
      {"NAN", ".", TextValue{"NAN"}},
      {"-INF", ".", TextValue{"-INF"}},
      {"+3", ".", TextValue{"+3"}},
      {".5", ".", TextValue{".5"}},
      {"5.", ".", TextValue{"5."}},
      {"1e", ".", TextValue{"1e"}},
      {"1 000", ".", TextValue{"1 000"}},
      {"1.2.3", ".", TextValue{"1.2.3"}},
      {"-", ".", TextValue{"-"}},
      {"E5", ".", TextValue{"E5"}},
      {"1e400", ".", TextValue{"1e400"}},  // beyond the double range
      {" two\nlines ", ".", TextValue{"two\nlines"}},
  };
  for (const Case& c : cases) {
    const CellValue got = CellValueOfText(c.text, c.separator);
    EXPECT_EQ(got, c.expected) << '"' << c.text << "\" with \"" << c.separator << "\" gave "
                               << Describe(got);
  }
}

TEST(ValueRule, GivesTheNearestDouble) {
  // 0.066434 is a text that a two-step rounding gets wrong by one unit in the last place.
  const CellValue value = CellValueOfText("0.066434", ".");
  const auto* n = std::get_if<NumberValue>(&value);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->value, 0.066434);
  const CellValue tiny = CellValueOfText("4.94065645841247E-324", ".");
  ASSERT_TRUE(std::holds_alternative<NumberValue>(tiny));
  EXPECT_EQ(std::get<NumberValue>(tiny).value, std::nextafter(0.0, 1.0));
}

}  // namespace
}  // namespace arvelle::xls
