#include "export/file_sink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/errors.h"

namespace arvelle::xls {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

[[noreturn]] void CannotCreate(const std::string& path, int error) {
  throw Exception("Cannot create file " + Quoted(FullPath(path)) + ". " + std::strerror(error));
}

// Deletes the file it guards unless told that the file is complete.
class PartialFile {
 public:
  PartialFile(const std::string& path, int fd) : path_(path), fd_(fd) {}
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  ~PartialFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!complete_) ::unlink(path_.c_str());
  }
  int Fd() const { return fd_; }
  // Closes the file; false (with errno set) when the last data could not be written.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Keep() { complete_ = true; }

 private:
  std::string path_;
  int fd_;
  bool complete_ = false;
};

}  // namespace

std::string FullPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

void WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) CannotCreate(path, ENOENT);
  // O_EXCL: a file that appears at the path after any earlier check is never overwritten.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
      CannotCreate(path, EISDIR);
    // Another program made the file after the export found none there: leave it alone.
    if (error == EEXIST)
      throw Exception("Can't write to file " + Quoted(FullPath(path)) +
                      ". Check it is not in use by another user");
    CannotCreate(path, error);
  }
  PartialFile file(path, fd);
  const auto failed = [&path](int error) {
    throw Exception("Cannot write to file " + Quoted(FullPath(path)) + ". " + std::strerror(error));
  };
  while (!bytes.empty()) {
    const ssize_t written = ::write(file.Fd(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      failed(errno);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  if (!file.Close()) failed(errno);
  file.Keep();
}

}  // namespace arvelle::xls
