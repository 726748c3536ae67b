// Where an element sets a style property: its style attribute
// ("fill: red; stroke-width: 2") wins over the presentation attribute of the
// same name (fill="blue"), as CSS ranks them.  Declarations without a colon
// are dropped, as CSS drops what it cannot parse.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}

namespace host::svg {

// A specified value and where it stands: the attribute holding it and the
// value's offset in that attribute, for error messages.
struct Specified {
  std::string_view value;
  const char* attribute = nullptr;
  std::size_t offset = 0;
};

class Declarations {
 public:
  explicit Declarations(const tinyxml2::XMLElement& element);
  std::optional<Specified> Find(std::string_view property) const;

 private:
  const tinyxml2::XMLElement& element_;
  std::vector<std::pair<std::string, Specified>> fromStyle_;
};

}  // namespace host::svg
