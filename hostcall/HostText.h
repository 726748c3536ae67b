// Texts in the host's string objects: the plug-in keeps its texts in the
// platform encoding (GBK) or UTF-8, and hands the host a string object, or
// asks it for the UTF-8 form of platform bytes.
#pragma once

#include <cstdint>
#include <string>

#include "sdk/AIInterfaceSuites.h"

namespace ai {

// A host string from bytes in the encoding (kAIPlatformCharacterEncoding or
// kAIUTF8CharacterEncoding), disposed of with the object.  Raises Error with
// the host's code when the host refuses it (bytes that do not decode).
class HostText {
 public:
  HostText(const char* bytes, int32_t encoding);
  ~HostText();
  HostText(const HostText&) = delete;
  HostText& operator=(const HostText&) = delete;
  AIUnicodeStringHandle get() const { return handle_; }

  std::string Utf8() const;

 private:
  AIUnicodeStringHandle handle_ = nullptr;
};

// The UTF-8 form of text in the platform encoding.  ASCII is returned as it
// is, without a host call.  Raises as HostText.
std::string PlatformToUtf8(const char* platform);

}  // namespace ai
