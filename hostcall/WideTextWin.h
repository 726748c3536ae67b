// Text between a code page and UTF-16, for the module's own calls into
// Windows (the native dialogs in code page 936, the shell and file names in
// UTF-8).  Windows build only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ai {

// nullopt when the conversion fails (with MB_ERR_INVALID_CHARS in flags: when
// text is not valid in the code page).  Null and empty text give empty text.
inline std::optional<std::wstring> WideFrom(const char* text, UINT codePage, DWORD flags = 0) {
  if (!text || !*text) return std::wstring();
  const int n = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text, -1, wide.data(), n);
  wide.resize(static_cast<std::size_t>(n) - 1);
  return wide;
}

inline std::optional<std::string> NarrowFrom(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.c_str(), -1, text.data(), n, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(n) - 1);
  return text;
}

}  // namespace ai
