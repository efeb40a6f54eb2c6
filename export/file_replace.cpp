#include "export/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/errors.h"
#include "export/file_sink.h"

namespace arvelle::xls {
namespace {

// Far past the size of any real workbook (one full worksheet is some 7 MB). Reading is
// bounded so that the reader's own tables, several times the size of the records they
// index, stay within the memory of an ordinary machine.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

[[noreturn]] void CannotOpen(const std::string& path, int error) {
  throw Exception("Cannot open file " + Quoted(FullPath(path)) + ". " + std::strerror(error));
}

[[noreturn]] void CannotReplace(const std::string& path) {
  throw Exception("Can't write to file " + Quoted(FullPath(path)) +
                  ". Check it is not in use by another user");
}

[[noreturn]] void CannotWrite(const std::string& path, int error) {
  throw Exception("Cannot write to file " + Quoted(FullPath(path)) + ". " + std::strerror(error));
}

// Errors that mean the file or its folder may not be changed, as opposed to a failing disk.
bool IsPermissionError(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == EBUSY || error == ETXTBSY;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  // Closes now; false (errno set) when the system reports a late write error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The temporary file: removed when the replacement does not complete.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!renamed_) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  void Renamed() { renamed_ = true; }

 private:
  std::string path_;
  bool renamed_ = false;
};

// The mode bits are checked as well as the system's answer, because a process with
// administrator rights may write to any file, read-only or not, while the user's choice to
// make a file read-only must still hold.
void CheckReplaceable(const std::string& path, const std::string& target, const struct stat& file,
                      const std::string& folder) {
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  if ((file.st_mode & kAnyWrite) == 0 || ::access(target.c_str(), W_OK) != 0) CannotReplace(path);
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0 || (dir.st_mode & kAnyWrite) == 0 ||
      ::access(folder.c_str(), W_OK | X_OK) != 0)
    CannotReplace(path);
}

}  // namespace

Bytes ReadExistingFile(const std::string& path) {
  // O_NONBLOCK: a named pipe in place of the file must not leave the save waiting for a
  // writer; reading a regular file is not affected by it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) CannotOpen(path, errno);
  Descriptor file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) CannotOpen(path, errno);
  if (S_ISDIR(info.st_mode)) CannotOpen(path, EISDIR);
  if (!S_ISREG(info.st_mode)) CannotOpen(path, EINVAL);
  if (static_cast<std::uint64_t>(info.st_size) > kMaxFileSize) CannotOpen(path, EFBIG);
  Bytes bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) CannotOpen(path, errno);
    if (got == 0) break;  // the file shrank while it was read
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const WriteFunction& write) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) CannotOpen(path, errno);
  // Through a symbolic link the file it names is replaced, and the link stays a link.
  std::error_code error;
  std::filesystem::path full = std::filesystem::canonical(path, error);
  if (error) full = FullPath(path);
  const std::string target = full.string();
  const std::string folder = full.has_parent_path() ? full.parent_path().string() : ".";
  CheckReplaceable(path, target, old, folder);

  // Beside the old file, so that the rename stays on one file system and is atomic.
  std::string hiddenName = ".";
  hiddenName += full.filename().string();
  hiddenName += ".XXXXXX";
  std::string pattern = (full.parent_path() / hiddenName).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    if (IsPermissionError(errno)) CannotReplace(path);
    CannotWrite(path, errno);
  }
  TemporaryFile temporary(pattern);
  Descriptor out(fd);
  if (::fchmod(fd, old.st_mode & 07777) != 0) CannotWrite(path, errno);
  // Keep the owner when saving someone else's file with administrator rights; an ordinary
  // user cannot give a file away, and the file is then the user's own, as a new file would be.
  if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM)
    CannotWrite(path, errno);

  while (!bytes.empty()) {
    const long written = write ? write(fd, bytes.data(), bytes.size())
                               : static_cast<long>(::write(fd, bytes.data(), bytes.size()));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) CannotWrite(path, errno);
    if (written == 0) CannotWrite(path, ENOSPC);
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  if (::fsync(fd) != 0) CannotWrite(path, errno);
  if (!out.Close()) CannotWrite(path, errno);
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
    if (IsPermissionError(errno)) CannotReplace(path);
    CannotWrite(path, errno);
  }
  temporary.Renamed();
  // The rename itself is durable only once the folder is flushed.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) CannotWrite(path, errno);
  Descriptor dir(dirFd);
  if (::fsync(dirFd) != 0 && errno != EINVAL) CannotWrite(path, errno);
}

}  // namespace arvelle::xls
