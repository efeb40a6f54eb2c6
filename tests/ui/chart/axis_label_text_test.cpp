#include "ui/chart/axis_label_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace arvelle {
namespace {

constexpr FormatSettingsRecord kPointAndComma{u'.', u','};
constexpr FormatSettingsRecord kCommaAndPoint{u',', u'.'};
constexpr FormatSettingsRecord kCommaAndNoBreakSpace{u',', u'\u00A0'};

struct LabelCase {
  const char* name;
  double value;
  FormatSettingsRecord format;
  const char16_t* text;
};

class AxisLabelTextTest : public testing::TestWithParam<LabelCase> {};

TEST_P(AxisLabelTextTest, WritesHashCommaHashHashZeroPointHashHashHash) {
  const LabelCase& c = GetParam();
  EXPECT_EQ(AxisLabelText(c.value, c.format), QString::fromUtf16(c.text))
      << std::hexfloat << c.value;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, AxisLabelTextTest, testing::Values(
    LabelCase{"Zero",                  0.0,           kPointAndComma, u"0"},
    LabelCase{"NegativeZero",         -0.0,           kPointAndComma, u"0"},
    LabelCase{"BelowHalfAThousandth",  0.0004,        kPointAndComma, u"0"},
    LabelCase{"NegativeRoundsToZero", -0.0004,        kPointAndComma, u"0"},
    LabelCase{"AboveHalfAThousandth",  0.0006,        kPointAndComma, u"0.001"},
    LabelCase{"Fraction",              0.25,          kPointAndComma, u"0.25"},
    LabelCase{"Hundreds",              500,           kPointAndComma, u"500"},
    LabelCase{"Thousand",              1000,          kPointAndComma, u"1,000"},
    LabelCase{"NegativeThousands",    -1500,          kPointAndComma, u"-1,500"},
    LabelCase{"TwoDecimals",           1299.04,       kPointAndComma, u"1,299.04"},
    LabelCase{"NegativeTwoDecimals",  -1060.66,       kPointAndComma, u"-1,060.66"},
    LabelCase{"ThreeDecimals",         1234567.891,   kPointAndComma, u"1,234,567.891"},
    LabelCase{"FourthDecimalRoundsUp", 999.9996,      kPointAndComma, u"1,000"},
    LabelCase{"TrailingZerosDropped",  12.5,          kPointAndComma, u"12.5"},
    LabelCase{"BeyondSignificance",    1e20,          kPointAndComma, u"100,000,000,000,000,000,000"},
    LabelCase{"CommaDecimals",         1234.5,        kCommaAndPoint, u"1.234,5"},
    LabelCase{"NoBreakSpaceThousands", -1172.61,      kCommaAndNoBreakSpace, u"-1\u00A0172,61"}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });
// clang-format on

TEST(AxisLabelText, LargestDoubleHasEveryIntegerDigitGrouped) {
  const QString text = AxisLabelText(std::numeric_limits<double>::max(), kPointAndComma);
  EXPECT_TRUE(text.startsWith(QStringLiteral("179,769,313,486,231,570,")));
  // 309 digits in 103 groups of three.
  EXPECT_EQ(text.size(), 309 + 102);
}

TEST(AxisLabelText, RefusesValuesThatAreNotFinite) {
  for (const double value : {std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_THROW(AxisLabelText(value, kPointAndComma), std::invalid_argument) << value;
  }
}

}  // namespace
}  // namespace arvelle
