#include "core/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/errors.h"

namespace arvelle {
namespace {

struct PeriodCase {
  const char* message;
  const char* shown;
};

class ReportPeriodTest : public testing::TestWithParam<PeriodCase> {};

TEST_P(ReportPeriodTest, AppendsAPeriodAfterCharactersAboveThePoint) {
  EXPECT_EQ(WithReportPeriod(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ReportPeriodTest,
    testing::Values(PeriodCase{"'abc' is not a valid floating point value",
                               "'abc' is not a valid floating point value."},
                    PeriodCase{"Already ended.", "Already ended."},
                    PeriodCase{"ends in a digit 7", "ends in a digit 7."},
                    PeriodCase{"Exit?", "Exit?."}, PeriodCase{"colon:", "colon:."},
                    PeriodCase{"space ", "space "}, PeriodCase{"bang!", "bang!"},
                    PeriodCase{"quote\"", "quote\""}, PeriodCase{"comma,", "comma,"},
                    PeriodCase{"dash-", "dash-"}, PeriodCase{"slash/", "slash/."},
                    PeriodCase{"umlaut \xC3\xBC", "umlaut \xC3\xBC."}, PeriodCase{"", ""}));

TEST(ReportText, ShowsOurExceptionsWithThePeriod) {
  EXPECT_EQ(ReportText(std::make_exception_ptr(EZeroDivide())), "Floating point division by zero.");
  EXPECT_EQ(ReportText(std::make_exception_ptr(Exception("Cannot create file \"/x\". Denied."))),
            "Cannot create file \"/x\". Denied.");
}

TEST(ReportText, OtherThrownObjectsGetTheEmptyMessage) {
  EXPECT_EQ(ReportText(std::make_exception_ptr(std::runtime_error("internal"))), "");
  EXPECT_EQ(ReportText(std::make_exception_ptr(42)), "");
  EXPECT_EQ(ReportText(nullptr), "");
}

TEST(ReportText, UsesTheInnermostNonEmptyMessage) {
  std::exception_ptr wrapped;
  try {
    try {
      throw EOverflow();
    } catch (...) {
      std::throw_with_nested(Exception("outer"));
    }
  } catch (...) {
    wrapped = std::current_exception();
  }
  EXPECT_EQ(ReportText(wrapped), "Floating point overflow.");

  std::exception_ptr emptyInner;
  try {
    try {
      throw Exception("");
    } catch (...) {
      std::throw_with_nested(Exception("outer"));
    }
  } catch (...) {
    emptyInner = std::current_exception();
  }
  EXPECT_EQ(ReportText(emptyInner), "outer.");
}

}  // namespace
}  // namespace arvelle
