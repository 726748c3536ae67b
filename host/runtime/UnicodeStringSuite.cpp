// "AI Unicode String Suite": strings made from platform (GBK) or UTF-8 bytes,
// kept as UTF-8 until the plug-in disposes of them.
#include <cstring>

#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"
#include "host/runtime/TextEncoding.h"

namespace host::runtime {
namespace {

AIErr NewFromBytes(const char* bytes, int32_t length, int32_t encoding, AIUnicodeStringHandle* string) {
  return SuiteCall(kAIUnicodeStringSuite, "NewFromBytes", [&] {
    *Required(string, "string") = nullptr;
    if (length < -1) throw HostError(kBadParameterErr, "negative length");
    if (length != 0) Required(bytes, "bytes");
    const std::string_view in = length == -1 ? std::string_view(bytes) : std::string_view(bytes, length);
    std::string utf8;
    if (encoding == kAIPlatformCharacterEncoding) {
      utf8 = PlatformToUtf8(in);
    } else if (encoding == kAIUTF8CharacterEncoding) {
      if (!IsValidUtf8(in)) throw HostError(kBadParameterErr, "invalid UTF-8 text");
      utf8 = in;
    } else {
      throw HostError(kBadParameterErr, "unknown encoding " + std::to_string(encoding));
    }
    *string = App().strings.Add(std::move(utf8));
    return kNoErr;
  });
}

AIErr GetUTF8(AIUnicodeStringHandle string, char* buffer, int32_t capacity, int32_t* length) {
  return SuiteCall(kAIUnicodeStringSuite, "GetUTF8", [&] {
    const std::string& s = App().strings.Get(string, "Unicode string");
    if (capacity < 0) throw HostError(kBadParameterErr, "negative capacity");
    if (capacity > 0) {
      Required(buffer, "buffer");
      const std::size_t n = Utf8PrefixLength(s, static_cast<std::size_t>(capacity) - 1);
      std::memcpy(buffer, s.data(), n);
      buffer[n] = '\0';
    }
    if (length) *length = static_cast<int32_t>(s.size());
    return kNoErr;
  });
}

AIErr Dispose(AIUnicodeStringHandle string) {
  return SuiteCall(kAIUnicodeStringSuite, "Dispose", [&] {
    AppState& app = App();
    app.strings.Get(string, "Unicode string");
    app.strings.Remove(string);
    return kNoErr;
  });
}

const AIUnicodeStringSuite kUnicodeString = {NewFromBytes, GetUTF8, Dispose};

}  // namespace

void AddUnicodeStringSuite(SuiteRegistry& registry) {
  registry.Add(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &kUnicodeString);
}

}  // namespace host::runtime
