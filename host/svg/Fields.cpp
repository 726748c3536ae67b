#include "host/svg/Fields.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

// The space too: compound path members are listed space-separated.
constexpr std::string_view kFieldSeparators = ";= ";
constexpr std::string_view kRealPrefix = "r:";
constexpr std::string_view kStringPrefix = "s:";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string UnescapeAt(std::string_view text, std::size_t base) {
  try {
    return Unescape(text);
  } catch (const SyntaxError& e) {
    throw SyntaxError(base + e.offset(), e.what());
  }
}

float ParseReal(std::string_view text, std::size_t offset) {
  float value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size())
    throw SyntaxError(offset, "malformed real '" + std::string(text) + "'");
  return value;
}

}  // namespace

std::string Escape(std::string_view text, std::string_view separators) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '%' || byte < 0x20 || byte == 0x7f || separators.find(c) != std::string_view::npos) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", byte);
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
    if (high < 0 || low < 0) throw SyntaxError(i, "malformed escape");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::string FormatFields(const Fields& fields) {
  std::string out;
  for (const auto& [key, value] : fields) {
    if (!out.empty()) out += ';';
    out += Escape(key, kFieldSeparators);
    out += '=';
    out += Escape(value, kFieldSeparators);
  }
  return out;
}

Fields ParseFields(std::string_view text) {
  Fields fields;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view entry = text.substr(start, end - start);
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) throw SyntaxError(start, "expected '=' in entry");
    fields.emplace_back(UnescapeAt(entry.substr(0, equals), start),
                        UnescapeAt(entry.substr(equals + 1), start + equals + 1));
    start = end + 1;
  }
  return fields;
}

std::string FormatDictionary(const model::Dictionary& dictionary) {
  Fields fields;
  for (const auto& [key, entry] : dictionary) {
    if (const float* real = std::get_if<float>(&entry))
      fields.emplace_back(std::string(kRealPrefix) + key, FormatNumber(*real));
    else
      fields.emplace_back(std::string(kStringPrefix) + key, std::get<std::string>(entry));
  }
  return FormatFields(fields);
}

model::Dictionary ParseDictionary(std::string_view text) {
  model::Dictionary dictionary;
  // Offsets of entries are found again in the raw text for error messages.
  std::size_t searchFrom = 0;
  for (auto& [key, value] : ParseFields(text)) {
    const std::size_t at = std::min(text.size(), searchFrom);
    searchFrom = text.find(';', at);
    searchFrom = searchFrom == std::string_view::npos ? text.size() : searchFrom + 1;
    const std::string_view kind = std::string_view(key).substr(0, 2);
    const std::string name = key.substr(std::min<std::size_t>(2, key.size()));
    if (kind == kRealPrefix) dictionary[name] = ParseReal(value, at);
    else if (kind == kStringPrefix) dictionary[name] = value;
    else throw SyntaxError(at, "dictionary entry '" + key + "' has no kind (r: or s:)");
  }
  return dictionary;
}

}  // namespace host::svg
