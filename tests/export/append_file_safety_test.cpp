// Saving over an existing workbook never loses it: a write that fails half way (an injected
// failure, a full disk, a full small file system) leaves the old file byte for byte as it
// was and no temporary file behind; a read-only file or folder is refused before anything
// is written.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "append_support.h"
#include "core/errors.h"
#include "export/file_replace.h"
#include "sample_tables.h"
#include "temp_folder.h"

namespace arvelle::test {
namespace {

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}

// Writes at most half of what it is given the first time, then fails with `error`.
xls::WriteFunction FailingHalfWay(int error) {
  auto calls = std::make_shared<int>(0);
  return [calls, error](int fd, const std::uint8_t* data, std::size_t size) -> long {
    if ((*calls)++ > 0) {
      errno = error;
      return -1;
    }
    return static_cast<long>(::write(fd, data, size / 2));
  };
}

std::string MessageOfSaveOf(const std::string& path) {
  return MessageOf([&] { ExportSample(SampleNamed("bolts_7"), path); });
}

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.File("results.xls");
    ExportSample(SampleNamed("bolts_4"), path);
    old = FileBytes(path);
  }
  void ExpectOldFileAlone() {
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(FilesIn(folder.Path()), std::set<std::string>{"results.xls"});
  }
  TempFolder folder;
  std::string path;
  xls::Bytes old;
};

TEST_F(FileReplacement, FailingHalfWayLeavesTheOldFile) {
  const struct {
    int error;
    const char* text;
  } cases[] = {{EIO, "Input/output error"}, {ENOSPC, "No space left on device"}};
  const xls::Bytes replacement(100000, 0x5A);
  for (const auto& c : cases) {
    EXPECT_EQ(MessageOf([&] { xls::ReplaceFile(path, replacement, FailingHalfWay(c.error)); }),
              "Cannot write to file \"" + path + "\". " + c.text);
    ExpectOldFileAlone();
  }
}

TEST_F(FileReplacement, WritingNothingCountsAsAFullDisk) {
  const auto nothing = [](int, const std::uint8_t*, std::size_t) -> long { return 0; };
  EXPECT_EQ(MessageOf([&] { xls::ReplaceFile(path, xls::Bytes(10, 1), nothing); }),
            "Cannot write to file \"" + path + "\". No space left on device");
  ExpectOldFileAlone();
}

TEST_F(FileReplacement, ReplacesTheContentAndKeepsThePermissions) {
  ::chmod(path.c_str(), 0640);
  const xls::Bytes replacement(5000, 0x42);
  xls::ReplaceFile(path, replacement);
  EXPECT_EQ(FileBytes(path), replacement);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(FilesIn(folder.Path()), std::set<std::string>{"results.xls"});
}

TEST_F(FileReplacement, ThroughALinkReplacesTheFileItNames) {
  const std::string link = folder.File("link.xls");
  std::filesystem::create_symlink(path, link);
  xls::ReplaceFile(link, xls::Bytes(7, 7));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(FileBytes(path), xls::Bytes(7, 7));
}

TEST_F(FileReplacement, RefusesAReadOnlyFileOrFolder) {
  const std::string cannot =
      "Can't write to file \"" + path + "\". Check it is not in use by another user";
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(MessageOfSaveOf(path), cannot);
  ::chmod(path.c_str(), 0644);
  ExpectOldFileAlone();
  ::chmod(folder.Path().c_str(), 0555);
  EXPECT_EQ(MessageOfSaveOf(path), cannot);
  ::chmod(folder.Path().c_str(), 0755);
  ExpectOldFileAlone();
}

TEST(ExistingFile, ThatCannotBeReadGivesCannotOpen) {
  TempFolder folder;
  const std::string missing = folder.File("missing.xls");
  EXPECT_EQ(MessageOf([&] { xls::ReadExistingFile(missing); }),
            "Cannot open file \"" + missing + "\". No such file or directory");
  // A named pipe is no file to read a workbook from, and must not keep the save waiting.
  const std::string pipe = folder.File("pipe.xls");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EQ(MessageOf([&] { ExportSample(SampleNamed("bolts_4"), pipe); }),
            "Cannot open file \"" + pipe + "\". Invalid argument");
}

// A real full file system: a small tmpfs holding the workbook and a filler that takes the
// rest of its space. Mounting needs the rights to do so; without them the injected ENOSPC
// above stands in for it.
TEST(FullFileSystem, LeavesTheOldWorkbookAndNoTemporaryFile) {
  TempFolder folder;
  const std::string mountPoint = folder.File("small");
  std::filesystem::create_directory(mountPoint);
  if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  const std::string path = mountPoint + "/results.xls";
  ExportSample(SampleNamed("bolts_4"), path);
  const xls::Bytes old = FileBytes(path);
  {
    std::ofstream filler(mountPoint + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
           filler.flush()) {
    }
  }
  const std::string message = MessageOf([&] { ExportSample(SampleNamed("bolts_7"), path); });
  EXPECT_EQ(message, "Cannot write to file \"" + path + "\". No space left on device");
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(FilesIn(mountPoint), (std::set<std::string>{"filler", "results.xls"}));
  ::umount(mountPoint.c_str());
}

}  // namespace
}  // namespace arvelle::test
