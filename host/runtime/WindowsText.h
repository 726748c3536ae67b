// Text at the Windows API boundary: UTF-8 inside the host, UTF-16 for the
// wide-character calls, and the text of the last error.
#pragma once

#include <string>
#include <string_view>

namespace host::runtime {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// GetLastError() as the system's message, with its number.
std::string LastErrorText();

}  // namespace host::runtime
