// Text encodings for what the reader's own data- attributes carry: free text,
// key=value records and dictionaries.
//
// Escaping is percent-encoding of '%', control bytes (which XML 1.0 cannot
// hold even as character references) and the separators of the enclosing
// format; every other byte, UTF-8 included, is kept as it is, so titles and
// names stay readable in the file.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/model/Dictionary.h"

namespace host::svg {

std::string Escape(std::string_view text, std::string_view separators = {});
// Throws SyntaxError for a '%' not followed by two hex digits.
std::string Unescape(std::string_view text);

// "key=value;key=value", keys and values escaped (spaces included).
using Fields = std::vector<std::pair<std::string, std::string>>;
std::string FormatFields(const Fields& fields);
// Throws SyntaxError (offset in `text`) for an entry without '='.
Fields ParseFields(std::string_view text);

// A dictionary as fields whose keys carry the entry's kind: "r:Name=1.5" for
// a real (shortest text of the 32-bit float), "s:Name=text" for a string.
std::string FormatDictionary(const model::Dictionary& dictionary);
model::Dictionary ParseDictionary(std::string_view text);

}  // namespace host::svg
