// The host's byte-string encodings: the platform code page (GBK, code page
// 936, in which plug-ins pass tooltips, drawer texts and platform-encoded
// menu texts) and UTF-8 (what the host keeps and reports).
#pragma once

#include <string>
#include <string_view>

namespace host::runtime {

// Throws HostError(kBadParameterErr) naming the byte offset when the bytes are
// not valid GBK.
std::string PlatformToUtf8(std::string_view gbk);
// Throws HostError(kBadParameterErr) when the text is not valid UTF-8 or has a
// character GBK cannot represent.
std::string Utf8ToPlatform(std::string_view utf8);

bool IsValidUtf8(std::string_view text);
// The longest prefix of at most maxBytes bytes that ends on a character
// boundary, so that cutting a text never leaves half a character.
std::size_t Utf8PrefixLength(std::string_view utf8, std::size_t maxBytes);

}  // namespace host::runtime
