// The file layer: a new file gets exactly the bytes; a failure while writing deletes it.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "core/errors.h"
#include "export/file_sink.h"
#include "temp_folder.h"

namespace arvelle::xls {
namespace {

TEST(FileSink, WritesTheBytesIntoANewFile) {
  test::TempFolder folder;
  const Bytes bytes = {0xD0, 0xCF, 0x11, 0xE0, 0, 1, 2};
  WriteNewFile(folder.File("a.xls"), bytes);
  std::ifstream in(folder.File("a.xls"), std::ios::binary);
  const std::string got(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(Bytes(got.begin(), got.end()), bytes);
}

// A file size limit makes the write fail after the file was created.
TEST(FileSink, DeletesThePartlyWrittenFile) {
  test::TempFolder folder;
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message;
  try {
    WriteNewFile(folder.File("big.xls"), Bytes(100000, 0x55));
  } catch (const Exception& e) {
    message = e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(message, "Cannot write to file \"" + folder.File("big.xls") + "\". File too large");
  EXPECT_FALSE(std::filesystem::exists(folder.File("big.xls")));
}

}  // namespace
}  // namespace arvelle::xls
