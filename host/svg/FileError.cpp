#include "host/svg/FileError.h"

#include <string>

#include "host/core/HostError.h"

namespace host::svg {

void ThrowFileError(std::string_view file, int line, std::optional<std::size_t> offset, std::string_view problem) {
  std::string message(file);
  if (line > 0) message += ':' + std::to_string(line);
  if (line > 0 && offset) message += ':' + std::to_string(*offset);
  message += ": ";
  message += problem;
  throw HostError(kFileErr, message);
}

void ThrowFileError(std::string_view file, std::string_view problem) { ThrowFileError(file, 0, std::nullopt, problem); }

}  // namespace host::svg
