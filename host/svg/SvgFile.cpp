// Files: reading whole files with a size cap, and writing through a
// temporary file that is renamed over the target only once complete.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/svg/FileError.h"
#include "host/svg/Limits.h"
#include "host/svg/Svg.h"

namespace host::svg {
namespace {

std::string ReadWholeFile(const std::filesystem::path& file) {
  const std::string name = file.string();
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error) ThrowFileError(name, "cannot open: " + error.message());
  // Devices and pipes have no end to wait for.
  if (!std::filesystem::is_regular_file(status)) ThrowFileError(name, "cannot open: not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) ThrowFileError(name, "cannot open: " + error.message());
  if (size > kMaxFileBytes)
    ThrowFileError(name, "file too large (" + std::to_string(size) + " bytes; at most " +
                             std::to_string(kMaxFileBytes) + ")");
  std::ifstream in(file, std::ios::binary);
  if (!in) ThrowFileError(name, std::string("cannot open: ") + std::strerror(errno));
  std::string text;
  text.resize(static_cast<std::size_t>(size));
  in.read(text.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) ThrowFileError(name, "cannot read the whole file");
  return text;
}

// Owns the temporary file until it has been renamed over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target) : path_(target.string() + ".XXXXXX") {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) ThrowFileError(target.string(), std::string("cannot write: ") + std::strerror(errno));
    // mkstemp makes the file private; a saved drawing gets the permissions
    // any new file would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Empty on success, else what failed.
  std::string Write(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::strerror(errno);
      done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd_) != 0) return std::strerror(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return std::strerror(errno);
    return {};
  }
  std::string RenameTo(const std::filesystem::path& target) {
    if (std::rename(path_.c_str(), target.c_str()) != 0) return std::strerror(errno);
    committed_ = true;
    return {};
  }

 private:
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace

model::Document ReadSvg(const std::filesystem::path& file) { return ParseSvg(ReadWholeFile(file), file.string()); }

void WriteSvg(const model::Document& document, const std::filesystem::path& file) {
  std::string text;
  try {
    text = FormatSvg(document);
  } catch (const HostError& e) {
    ThrowFileError(file.string(), e.what());
  }
  TemporaryFile temporary(file);
  std::string problem = temporary.Write(text);
  if (problem.empty()) problem = temporary.RenameTo(file);
  if (!problem.empty()) ThrowFileError(file.string(), "cannot write: " + problem);
}

}  // namespace host::svg
