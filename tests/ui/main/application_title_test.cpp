// The application title, which is the caption of the error box, from the executable's
// file name: the name without its folder, cut at its first ".", every character after
// the first in lower case.
#include <gtest/gtest.h>

#include "app/application.h"

namespace {

struct TitleCase {
  const char* name;
  const char* path;
  const char* title;
};

class ApplicationTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, FromFileName) {
  EXPECT_EQ(arvelle::shell::ApplicationTitle(QString::fromUtf8(GetParam().path)).toStdString(),
            GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    FileNames, ApplicationTitleTest,
    testing::Values(TitleCase{"Program", "/work/build/app/Arvelle", "Arvelle"},
                    TitleCase{"CutAtFirstDot", "C:/Tools/PlateTool.Setup.exe", "Platetool"},
                    TitleCase{"UpperCaseLowered", "ARVELLE.EXE", "Arvelle"},
                    TitleCase{"FirstKeepsItsCase", "/opt/arvelle", "arvelle"},
                    TitleCase{"NonAsciiLowered", "/opt/ÉCROU.bin", "Écrou"},
                    TitleCase{"LeadingDotGivesEmpty", "/opt/.hidden", ""},
                    TitleCase{"RelativePath", "relative/main_window_test", "main_window_test"}),
    [](const testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

}  // namespace
