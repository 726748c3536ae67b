// The platform-independent half of the encodings: UTF-8 checks.  The code page
// conversions are TextEncodingPosix.cpp (iconv) and TextEncodingWin.cpp.
#include "host/runtime/TextEncoding.h"

namespace host::runtime {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the UTF-8 sequence starting with lead, or 0 for a byte that cannot
// start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  // Strict: no overlong forms, no surrogates, nothing above U+10FFFF.
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t n = SequenceLength(lead);
    if (n == 0 || i + n > text.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return false;
    if (n >= 3) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xE0 && second < 0xA0) return false;  // overlong
      if (lead == 0xED && second > 0x9F) return false;  // surrogate
      if (lead == 0xF0 && second < 0x90) return false;  // overlong
      if (lead == 0xF4 && second > 0x8F) return false;  // above U+10FFFF
    }
    i += n;
  }
  return true;
}

std::size_t Utf8PrefixLength(std::string_view utf8, std::size_t maxBytes) {
  if (utf8.size() <= maxBytes) return utf8.size();
  std::size_t n = maxBytes;
  while (n > 0 && IsContinuation(static_cast<unsigned char>(utf8[n]))) --n;
  return n;
}

}  // namespace host::runtime
