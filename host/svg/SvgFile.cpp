// Files: reading whole files with a size cap, and writing through a
// temporary file that is renamed over the target only once complete.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>


#include "host/core/AtomicFile.h"
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

}  // namespace

model::Document ReadSvg(const std::filesystem::path& file, std::vector<std::string>* notes) {
  return ParseSvg(ReadWholeFile(file), file.string(), notes);
}

void WriteSvg(const model::Document& document, const std::filesystem::path& file) {
  std::string text;
  try {
    text = FormatSvg(document);
  } catch (const HostError& e) {
    ThrowFileError(file.string(), e.what());
  }
  if (const std::string problem = WriteFileAtomically(file, text); !problem.empty())
    ThrowFileError(file.string(), problem);
}

}  // namespace host::svg
