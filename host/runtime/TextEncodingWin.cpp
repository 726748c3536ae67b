// The code page conversions through the system's own tables (code page 936).
// They go one character at a time so that a failure names its byte offset,
// as the iconv conversion does on other systems.
#include <windows.h>

#include "host/core/HostError.h"
#include "host/runtime/TextEncoding.h"
#include "host/runtime/WindowsText.h"

namespace host::runtime {
namespace {

constexpr UINT kPlatformCodePage = 936;

[[noreturn]] void FailAt(const char* what, std::size_t offset) {
  throw HostError(kBadParameterErr, std::string(what) + " at byte " + std::to_string(offset));
}

// Bytes of the GBK character that starts with lead.
std::size_t GbkLength(unsigned char lead) { return lead >= 0x81 && lead <= 0xFE ? 2 : 1; }

std::size_t Utf8Length(unsigned char lead) { return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4; }

}  // namespace

std::string PlatformToUtf8(std::string_view gbk) {
  std::wstring wide;
  for (std::size_t i = 0; i < gbk.size();) {
    const std::size_t n = GbkLength(static_cast<unsigned char>(gbk[i]));
    wchar_t unit[2];
    const int got = i + n <= gbk.size()
                        ? MultiByteToWideChar(kPlatformCodePage, MB_ERR_INVALID_CHARS, gbk.data() + i,
                                              static_cast<int>(n), unit, 2)
                        : 0;
    if (got <= 0) FailAt("invalid GBK text", i);
    wide.append(unit, static_cast<std::size_t>(got));
    i += n;
  }
  return Utf8FromWide(wide);
}

std::string Utf8ToPlatform(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) throw HostError(kBadParameterErr, "invalid UTF-8 text");
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = Utf8Length(static_cast<unsigned char>(utf8[i]));
    const std::wstring wide = WideFromUtf8(utf8.substr(i, n));
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int got = WideCharToMultiByte(kPlatformCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                        static_cast<int>(wide.size()), bytes, sizeof bytes, nullptr, &usedDefault);
    if (got <= 0 || usedDefault) FailAt("text not representable in GBK", i);
    out.append(bytes, static_cast<std::size_t>(got));
    i += n;
  }
  return out;
}

}  // namespace host::runtime
