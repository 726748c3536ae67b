#include "host/svg/Declarations.h"

#include <cctype>

#include <tinyxml2.h>

#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

constexpr const char* kStyleAttribute = "style";
constexpr std::string_view kImportant = "!important";

// [begin, end) of `text` with spaces trimmed from both sides.
std::pair<std::size_t, std::size_t> Trimmed(std::string_view text, std::size_t begin, std::size_t end) {
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return {begin, end};
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

Declarations::Declarations(const tinyxml2::XMLElement& element) : element_(element) {
  const char* style = element.Attribute(kStyleAttribute);
  if (!style) return;
  const std::string_view text(style);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::size_t colon = text.find(':', start);
    if (colon < end) {
      const auto [nameBegin, nameEnd] = Trimmed(text, start, colon);
      auto [valueBegin, valueEnd] = Trimmed(text, colon + 1, end);
      // The priority marker means nothing without style sheets to rank against.
      if (Lower(text.substr(valueBegin, valueEnd - valueBegin)).ends_with(kImportant))
        valueEnd = Trimmed(text, valueBegin, valueEnd - kImportant.size()).second;
      fromStyle_.emplace_back(Lower(text.substr(nameBegin, nameEnd - nameBegin)),
                              Specified{text.substr(valueBegin, valueEnd - valueBegin), kStyleAttribute, valueBegin});
    }
    start = end + 1;
  }
}

std::optional<Specified> Declarations::Find(std::string_view property) const {
  // The last declaration of a property in a style attribute counts.
  for (auto it = fromStyle_.rbegin(); it != fromStyle_.rend(); ++it)
    if (it->first == property) return it->second;
  for (const tinyxml2::XMLAttribute* a = element_.FirstAttribute(); a; a = a->Next())
    if (property == a->Name()) return Specified{a->Value(), a->Name(), 0};
  return std::nullopt;
}

}  // namespace host::svg
