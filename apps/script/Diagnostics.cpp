#include "apps/script/Diagnostics.h"

#include <charconv>

namespace cli {

std::string ToString(const Diagnostic& d) {
  if (d.line <= 0) return d.file + ": " + d.message;
  return d.file + ":" + std::to_string(d.line) + ": " + d.message;
}

std::string FormatNumber(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc{} ? std::string(buffer, end) : std::to_string(value);
}

}  // namespace cli
