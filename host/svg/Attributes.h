// The attributes of the host's own that carry what plain SVG cannot: layers,
// corner flags, dictionaries and the like.  Other SVG programs ignore data-
// attributes, and the reader treats a file without them as a plain SVG.
#pragma once

namespace host::svg::attr {

// On <svg>: marks a file this host wrote (its format version).
inline constexpr const char* kVersion = "data-corvane";
inline constexpr const char* kFormatVersion = "1";
// On <svg>: ruler units by name ("points", "millimeters", ...).
inline constexpr const char* kUnits = "data-corvane-units";
// On <svg>: index of the current layer, front to back.
inline constexpr const char* kCurrentLayer = "data-corvane-current-layer";
// On <svg>: "left top right bottom" in artwork space, written only when the
// viewBox does not give back exactly the same artboard.
inline constexpr const char* kArtboard = "data-corvane-artboard";

// On a top-level <g>: the layer's title (escaped).  Visibility is display="none".
inline constexpr const char* kLayer = "data-corvane-layer";
inline constexpr const char* kLayerColor = "data-corvane-layer-color";
inline constexpr const char* kLayerLocked = "data-corvane-layer-locked";

// On any element: flags and data of the art (flags written only when set).
inline constexpr const char* kLocked = "data-corvane-locked";
// A layer group's own hidden flag; other art uses display="none".
inline constexpr const char* kHidden = "data-corvane-hidden";
inline constexpr const char* kCenterVisible = "data-corvane-center";
inline constexpr const char* kName = "data-corvane-name";  // when the name cannot be the id
inline constexpr const char* kDictionary = "data-corvane-dict";
// 16-bit colours that "#rrggbb" in fill / stroke would round.
inline constexpr const char* kFill = "data-corvane-fill";
inline constexpr const char* kStroke = "data-corvane-stroke";

// On <path>: one character per anchor ('1' corner, '0' smooth), subpaths
// separated by spaces; an anchor-less member of a compound path is "-" (open)
// or "=" (closed).
inline constexpr const char* kCorners = "data-corvane-corners";
// On <path>: open subpaths whose end handles stand off their anchors:
// "index in.x in.y out.x out.y" records (SVG space) separated by ';'.
inline constexpr const char* kEnds = "data-corvane-ends";
// On <path>: the path is a compound path, one member per subpath.
inline constexpr const char* kCompound = "data-corvane-compound";
// On a compound <path>: per member, what differs from the compound path
// (paint, flags, name, dictionary) as fields; members separated by ' ',
// "-" for none.
inline constexpr const char* kMembers = "data-corvane-members";

// On <image>: "placed" or "raster".
inline constexpr const char* kImageKind = "data-corvane-image";

}  // namespace host::svg::attr
