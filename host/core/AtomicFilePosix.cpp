#include "host/core/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace host {
namespace {

std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// Temporary files are named "<file>.tmp-<pid>-XXXXXX": the process id tells a
// later write which leftovers belong to a writer that no longer runs.
std::string TemporaryPrefix(const std::filesystem::path& target) { return target.filename().string() + ".tmp-"; }

// Owns the temporary file until it has been renamed over the target.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& target, const struct stat* existing)
      : path_(target.string() + ".tmp-" + std::to_string(::getpid()) + "-XXXXXX") {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) {
      problem_ = Errno("cannot create a temporary file");
      return;
    }
    if (existing) {
      // The replacement keeps the file's permissions (a private file stays
      // private) and, where the process may, its owner and group.
      if (::fchown(fd_, existing->st_uid, existing->st_gid) != 0) {
        // Not the owner: the file becomes ours, as any rewrite by us would.
      }
      ::fchmod(fd_, existing->st_mode & 07777);
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

// Where the bytes must go: the file a symbolic link finally names (a
// relative link is read from the link's folder), so the link stays a link.
std::filesystem::path ResolveLinks(std::filesystem::path target) {
  constexpr int kMaxLinks = 40;  // as the system's own limit on link chains
  std::error_code ec;
  for (int i = 0; i < kMaxLinks && std::filesystem::is_symlink(target, ec); ++i) {
    const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
    if (ec) break;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return target;
}

// A temporary file of a writer that is gone (killed mid-write) is removed;
// those of running writers, this one included, are left alone.
void RemoveLeftovers(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::string prefix = TemporaryPrefix(target);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
    if (pid <= 0 || *end != '-') continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::filesystem::remove(entry.path(), ec);
  }
}

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  const std::filesystem::path target = ResolveLinks(requested);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  TemporaryFile temporary(target, exists ? &existing : nullptr);
  if (!temporary.problem().empty()) return temporary.problem();
  if (!temporary.Write(bytes) || !temporary.RenameTo(target)) return temporary.problem();
  FlushFolderOf(target);
  RemoveLeftovers(target);
  return {};
}

}  // namespace host
