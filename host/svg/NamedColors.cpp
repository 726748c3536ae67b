#include "host/svg/NamedColors.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace host::svg {
namespace {

struct Entry {
  std::string_view name;
  Rgb8 rgb;
};

// Sorted by name for the binary search below.
constexpr std::array kColors = {
    Entry{"aliceblue", {240, 248, 255}}, Entry{"antiquewhite", {250, 235, 215}},
    Entry{"aqua", {0, 255, 255}}, Entry{"aquamarine", {127, 255, 212}},
    Entry{"azure", {240, 255, 255}}, Entry{"beige", {245, 245, 220}},
    Entry{"bisque", {255, 228, 196}}, Entry{"black", {0, 0, 0}},
    Entry{"blanchedalmond", {255, 235, 205}}, Entry{"blue", {0, 0, 255}},
    Entry{"blueviolet", {138, 43, 226}}, Entry{"brown", {165, 42, 42}},
    Entry{"burlywood", {222, 184, 135}}, Entry{"cadetblue", {95, 158, 160}},
    Entry{"chartreuse", {127, 255, 0}}, Entry{"chocolate", {210, 105, 30}},
    Entry{"coral", {255, 127, 80}}, Entry{"cornflowerblue", {100, 149, 237}},
    Entry{"cornsilk", {255, 248, 220}}, Entry{"crimson", {220, 20, 60}},
    Entry{"cyan", {0, 255, 255}}, Entry{"darkblue", {0, 0, 139}},
    Entry{"darkcyan", {0, 139, 139}}, Entry{"darkgoldenrod", {184, 134, 11}},
    Entry{"darkgray", {169, 169, 169}}, Entry{"darkgreen", {0, 100, 0}},
    Entry{"darkgrey", {169, 169, 169}}, Entry{"darkkhaki", {189, 183, 107}},
    Entry{"darkmagenta", {139, 0, 139}}, Entry{"darkolivegreen", {85, 107, 47}},
    Entry{"darkorange", {255, 140, 0}}, Entry{"darkorchid", {153, 50, 204}},
    Entry{"darkred", {139, 0, 0}}, Entry{"darksalmon", {233, 150, 122}},
    Entry{"darkseagreen", {143, 188, 143}}, Entry{"darkslateblue", {72, 61, 139}},
    Entry{"darkslategray", {47, 79, 79}}, Entry{"darkslategrey", {47, 79, 79}},
    Entry{"darkturquoise", {0, 206, 209}}, Entry{"darkviolet", {148, 0, 211}},
    Entry{"deeppink", {255, 20, 147}}, Entry{"deepskyblue", {0, 191, 255}},
    Entry{"dimgray", {105, 105, 105}}, Entry{"dimgrey", {105, 105, 105}},
    Entry{"dodgerblue", {30, 144, 255}}, Entry{"firebrick", {178, 34, 34}},
    Entry{"floralwhite", {255, 250, 240}}, Entry{"forestgreen", {34, 139, 34}},
    Entry{"fuchsia", {255, 0, 255}}, Entry{"gainsboro", {220, 220, 220}},
    Entry{"ghostwhite", {248, 248, 255}}, Entry{"gold", {255, 215, 0}},
    Entry{"goldenrod", {218, 165, 32}}, Entry{"gray", {128, 128, 128}},
    Entry{"green", {0, 128, 0}}, Entry{"greenyellow", {173, 255, 47}},
    Entry{"grey", {128, 128, 128}}, Entry{"honeydew", {240, 255, 240}},
    Entry{"hotpink", {255, 105, 180}}, Entry{"indianred", {205, 92, 92}},
    Entry{"indigo", {75, 0, 130}}, Entry{"ivory", {255, 255, 240}},
    Entry{"khaki", {240, 230, 140}}, Entry{"lavender", {230, 230, 250}},
    Entry{"lavenderblush", {255, 240, 245}}, Entry{"lawngreen", {124, 252, 0}},
    Entry{"lemonchiffon", {255, 250, 205}}, Entry{"lightblue", {173, 216, 230}},
    Entry{"lightcoral", {240, 128, 128}}, Entry{"lightcyan", {224, 255, 255}},
    Entry{"lightgoldenrodyellow", {250, 250, 210}}, Entry{"lightgray", {211, 211, 211}},
    Entry{"lightgreen", {144, 238, 144}}, Entry{"lightgrey", {211, 211, 211}},
    Entry{"lightpink", {255, 182, 193}}, Entry{"lightsalmon", {255, 160, 122}},
    Entry{"lightseagreen", {32, 178, 170}}, Entry{"lightskyblue", {135, 206, 250}},
    Entry{"lightslategray", {119, 136, 153}}, Entry{"lightslategrey", {119, 136, 153}},
    Entry{"lightsteelblue", {176, 196, 222}}, Entry{"lightyellow", {255, 255, 224}},
    Entry{"lime", {0, 255, 0}}, Entry{"limegreen", {50, 205, 50}},
    Entry{"linen", {250, 240, 230}}, Entry{"magenta", {255, 0, 255}},
    Entry{"maroon", {128, 0, 0}}, Entry{"mediumaquamarine", {102, 205, 170}},
    Entry{"mediumblue", {0, 0, 205}}, Entry{"mediumorchid", {186, 85, 211}},
    Entry{"mediumpurple", {147, 112, 219}}, Entry{"mediumseagreen", {60, 179, 113}},
    Entry{"mediumslateblue", {123, 104, 238}}, Entry{"mediumspringgreen", {0, 250, 154}},
    Entry{"mediumturquoise", {72, 209, 204}}, Entry{"mediumvioletred", {199, 21, 133}},
    Entry{"midnightblue", {25, 25, 112}}, Entry{"mintcream", {245, 255, 250}},
    Entry{"mistyrose", {255, 228, 225}}, Entry{"moccasin", {255, 228, 181}},
    Entry{"navajowhite", {255, 222, 173}}, Entry{"navy", {0, 0, 128}},
    Entry{"oldlace", {253, 245, 230}}, Entry{"olive", {128, 128, 0}},
    Entry{"olivedrab", {107, 142, 35}}, Entry{"orange", {255, 165, 0}},
    Entry{"orangered", {255, 69, 0}}, Entry{"orchid", {218, 112, 214}},
    Entry{"palegoldenrod", {238, 232, 170}}, Entry{"palegreen", {152, 251, 152}},
    Entry{"paleturquoise", {175, 238, 238}}, Entry{"palevioletred", {219, 112, 147}},
    Entry{"papayawhip", {255, 239, 213}}, Entry{"peachpuff", {255, 218, 185}},
    Entry{"peru", {205, 133, 63}}, Entry{"pink", {255, 192, 203}},
    Entry{"plum", {221, 160, 221}}, Entry{"powderblue", {176, 224, 230}},
    Entry{"purple", {128, 0, 128}}, Entry{"rebeccapurple", {102, 51, 153}},
    Entry{"red", {255, 0, 0}}, Entry{"rosybrown", {188, 143, 143}},
    Entry{"royalblue", {65, 105, 225}}, Entry{"saddlebrown", {139, 69, 19}},
    Entry{"salmon", {250, 128, 114}}, Entry{"sandybrown", {244, 164, 96}},
    Entry{"seagreen", {46, 139, 87}}, Entry{"seashell", {255, 245, 238}},
    Entry{"sienna", {160, 82, 45}}, Entry{"silver", {192, 192, 192}},
    Entry{"skyblue", {135, 206, 235}}, Entry{"slateblue", {106, 90, 205}},
    Entry{"slategray", {112, 128, 144}}, Entry{"slategrey", {112, 128, 144}},
    Entry{"snow", {255, 250, 250}}, Entry{"springgreen", {0, 255, 127}},
    Entry{"steelblue", {70, 130, 180}}, Entry{"tan", {210, 180, 140}},
    Entry{"teal", {0, 128, 128}}, Entry{"thistle", {216, 191, 216}},
    Entry{"tomato", {255, 99, 71}}, Entry{"turquoise", {64, 224, 208}},
    Entry{"violet", {238, 130, 238}}, Entry{"wheat", {245, 222, 179}},
    Entry{"white", {255, 255, 255}}, Entry{"whitesmoke", {245, 245, 245}},
    Entry{"yellow", {255, 255, 0}}, Entry{"yellowgreen", {154, 205, 50}},
};

static_assert(std::is_sorted(kColors.begin(), kColors.end(),
                             [](const Entry& a, const Entry& b) { return a.name < b.name; }));

}  // namespace

std::optional<Rgb8> NamedColor(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto it = std::lower_bound(kColors.begin(), kColors.end(), lower,
                                   [](const Entry& e, const std::string& key) { return e.name < key; });
  if (it == kColors.end() || it->name != lower) return std::nullopt;
  return it->rgb;
}

}  // namespace host::svg
