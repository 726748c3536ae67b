// The SVG reader on any bytes: it reads a document or raises HostError, never
// anything else; a document it reads is written and read again, and that
// second reading writes the very same text (what is written reads back whole).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/svg/Svg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  host::model::Document first;
  try {
    first = host::svg::ParseSvg(text, "fuzz.svg");
  } catch (const host::HostError&) {
    return 0;
  }
  std::string written;
  try {
    written = host::svg::FormatSvg(first);
  } catch (const host::HostError&) {
    return 0;  // a document the writer refuses (values beyond its range) is reported, not written
  }
  const host::model::Document second = host::svg::ParseSvg(written, "written.svg");  // must not raise
  if (host::svg::FormatSvg(second) != written) std::abort();
  return 0;
}
