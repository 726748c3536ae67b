// The preference reader on any bytes: never raises, every kept line has its
// problem, every stored real is finite, and writing back what it read
// (comments, entries and kept lines) reads again to the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/runtime/Preferences.h"

namespace {
std::string Written(const host::Preferences::Contents& c) {
  return host::Preferences::Format(c.entries, c.comments, c.kept);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const host::Preferences::Contents read = host::Preferences::Read(text, "fuzz.ini");
  // One problem per kept line, and one more for a missing format line.
  if (read.problems.size() < read.kept.size() || read.problems.size() > read.kept.size() + 1) std::abort();
  for (const auto& [key, value] : read.entries)
    if (value.type == host::Preferences::Type::Real && !std::isfinite(value.real)) std::abort();
  const host::Preferences::Contents again = host::Preferences::Read(Written(read), "written.ini");
  if (again.entries != read.entries || again.comments != read.comments || again.kept != read.kept) std::abort();
  if (Written(again) != Written(read)) std::abort();
  return 0;
}
