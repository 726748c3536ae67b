#include "host/runtime/TextEncoding.h"

#include <errno.h>
#include <iconv.h>

#include <vector>

#include "host/core/HostError.h"

namespace host::runtime {
namespace {

constexpr const char* kPlatformCodePage = "CP936";
constexpr const char* kUtf8 = "UTF-8";

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw HostError(kNotImplementedErr, std::string("no conversion from ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Run(std::string_view in, const char* what) {
    std::string out;
    std::vector<char> chunk(256);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
      char* dst = chunk.data();
      std::size_t dstLeft = chunk.size();
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(chunk.data(), chunk.size() - dstLeft);
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
        throw HostError(kBadParameterErr, std::string(what) + " at byte " +
                                              std::to_string(in.size() - srcLeft));
    }
    return out;
  }

 private:
  iconv_t cd_;
};

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

std::string PlatformToUtf8(std::string_view gbk) {
  return Converter(kUtf8, kPlatformCodePage).Run(gbk, "invalid GBK text");
}

std::string Utf8ToPlatform(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) throw HostError(kBadParameterErr, "invalid UTF-8 text");
  return Converter(kPlatformCodePage, kUtf8).Run(utf8, "text not representable in GBK");
}

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
