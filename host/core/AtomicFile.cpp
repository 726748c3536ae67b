#include "host/core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host {
namespace {

std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// Owns the temporary file until it has been renamed over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target) : path_(target.string() + ".tmp-XXXXXX") {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) {
      problem_ = Errno("cannot create a temporary file");
      return;
    }
    // mkstemp makes the file private to its owner.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (fd_ != kNeverCreated && !renamed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& problem() const { return problem_; }

  bool Write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Failed("cannot write");
      done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd_) != 0) return Failed("cannot flush");
    const int fd = fd_;
    fd_ = kClosed;
    // close reports write errors the earlier calls could not see.
    if (::close(fd) != 0) return Failed("cannot close");
    return true;
  }

  bool RenameTo(const std::filesystem::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) return Failed("cannot replace the file");
    renamed_ = true;
    return true;
  }

 private:
  static constexpr int kNeverCreated = -1;
  static constexpr int kClosed = -2;

  bool Failed(const char* what) {
    problem_ = Errno(what);
    return false;
  }

  std::string path_;
  int fd_ = kNeverCreated;
  bool renamed_ = false;
  std::string problem_;
};

void FlushFolderOf(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;  // the file is written; only crash safety of the rename is lost
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  TemporaryFile temporary(target);
  if (!temporary.problem().empty()) return temporary.problem();
  if (!temporary.Write(bytes) || !temporary.RenameTo(target)) return temporary.problem();
  FlushFolderOf(target);
  return {};
}

}  // namespace host
