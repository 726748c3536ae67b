// The font family a text is drawn in.
//
// cairo's text calls draw every glyph from the one font they are given, with
// no fallback, so a label in Chinese drawn in a Latin family shows empty
// boxes.  A text whose characters the preferred family does not cover is
// drawn in the family fontconfig finds for them instead.
#pragma once

#include <string>
#include <string_view>

namespace host::render {

// `preferred` for ASCII text and whenever fontconfig finds nothing better;
// otherwise the family fontconfig matches for the preferred family and the
// text's characters.  Results are cached per set of characters.
std::string FontFamilyFor(std::string_view utf8, const char* preferred);

}  // namespace host::render
