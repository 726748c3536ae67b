#include "hostcall/HostText.h"

#include <vector>

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"

namespace ai {

HostText::HostText(const char* bytes, int32_t encoding) {
  Check(Suites().UnicodeString().NewFromBytes(bytes, -1, encoding, &handle_));
}

HostText::~HostText() {
  if (handle_) Suites().UnicodeString().Dispose(handle_);
}

std::string HostText::Utf8() const {
  int32_t length = 0;
  Check(Suites().UnicodeString().GetUTF8(handle_, nullptr, 0, &length));
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  Check(Suites().UnicodeString().GetUTF8(handle_, buffer.data(), length + 1, &length));
  return std::string(buffer.data());
}

std::string PlatformToUtf8(const char* platform) {
  if (!platform) return {};
  bool ascii = true;
  for (const char* c = platform; *c && ascii; ++c) ascii = static_cast<unsigned char>(*c) < 0x80;
  if (ascii) return platform;
  return HostText(platform, kAIPlatformCharacterEncoding).Utf8();
}

}  // namespace ai
