#include <errno.h>
#include <iconv.h>

#include <vector>

#include "host/core/HostError.h"
#include "host/runtime/TextEncoding.h"

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

}  // namespace

std::string PlatformToUtf8(std::string_view gbk) {
  return Converter(kUtf8, kPlatformCodePage).Run(gbk, "invalid GBK text");
}

std::string Utf8ToPlatform(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) throw HostError(kBadParameterErr, "invalid UTF-8 text");
  return Converter(kPlatformCodePage, kUtf8).Run(utf8, "text not representable in GBK");
}

}  // namespace host::runtime
