#include "host/render/Utf8.h"

#include <cstdint>

namespace host::render {

namespace {

struct LeadByte {
  unsigned char min, max;
  unsigned char payloadMask;
  std::size_t length;
  uint32_t shortest;  // the smallest code point the length may carry
};
constexpr LeadByte kLeadBytes[] = {
    {0xc2, 0xdf, 0x1f, 2, 0x80},
    {0xe0, 0xef, 0x0f, 3, 0x800},
    {0xf0, 0xf4, 0x07, 4, 0x10000},
};

// The length of the well-formed sequence at the start of s, or 0.
std::size_t SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  if (byte(0) < 0x80) return 1;
  for (const LeadByte& lead : kLeadBytes) {
    if (byte(0) < lead.min || byte(0) > lead.max) continue;
    if (s.size() < lead.length) return 0;
    uint32_t code = byte(0) & lead.payloadMask;
    for (std::size_t i = 1; i < lead.length; ++i) {
      if ((byte(i) & 0xc0) != 0x80) return 0;
      code = (code << 6) | (byte(i) & 0x3f);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < lead.shortest || surrogate || code > 0x10ffff ? 0 : lead.length;
  }
  return 0;
}

}  // namespace

std::string WellFormedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t n = SequenceLength(text);
    out.append(n == 0 ? std::string_view("?") : text.substr(0, n));
    text.remove_prefix(n == 0 ? 1 : n);
  }
  return out;
}

}  // namespace host::render
