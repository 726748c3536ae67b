// Cursor hot-spot records.
//
// Each cursor image has an XML property map of the same base name (resource
// type "XML") that says where in the image the cursor points:
//
//   <prop.map><prop.list>
//     <prop.pair><key>kHotSpot</key>
//       <array><array.type>int</array.type><int>15</int><int>15</int></array>
//     </prop.pair>
//     ...
//   </prop.list></prop.map>
//
// The hot spot is in pixels of the plain (96 dots per inch) image.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace Tools {

struct HotSpot {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const HotSpot&, const HotSpot&) = default;
};

// The first "kHotSpot" pair of the record.  Nothing when the text is not
// well-formed XML, does not have the structure above, or that pair's array
// does not hold two signed 32-bit decimal numbers after its "array.type".
std::optional<HotSpot> ParseHotSpot(std::string_view xml);

// The hot spot moved to an image drawn for dpi: trunc(v * dpi / 96 + 0.5).
HotSpot ScaleHotSpot(HotSpot spot, int32_t dpi);

}  // namespace Tools
