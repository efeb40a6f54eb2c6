// The application title, which is the caption of the error box, from the executable's
// file name.
#include <gtest/gtest.h>

#include "app/application.h"

namespace {

struct TitleCase {
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
    testing::Values(TitleCase{"/work/build/app/Arvelle", "Arvelle"},
                    TitleCase{"C:/Tools/PlateTool.Setup.exe", "Platetool"},
                    TitleCase{"ARVELLE.EXE", "Arvelle"}, TitleCase{"/opt/arvelle", "arvelle"},
                    TitleCase{"/opt/ÉCROU.bin", "Écrou"}, TitleCase{"/opt/.hidden", ""},
                    TitleCase{"relative/main_window_test", "main_window_test"}));

}  // namespace
