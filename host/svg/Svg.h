// SVG in and out for the host's documents.
//
// Coordinates map exactly: an SVG user-space point (x, y) (y down) is the
// artwork point (x, -y) (y up).  Negation is exact in floating point, so a
// document saved and opened again has the very same coordinates.
//
// Reading any SVG:
//   - every top-level <g> is a layer (the last in the file is the frontmost);
//     its title is the host's own data-corvane-layer attribute, else an
//     inkscape:label, else its id, else "Layer N".  Drawable elements outside
//     any top-level <g> go to one default layer.  display="none" on a layer
//     hides it; sodipodi:insensitive="true" locks it.
//   - path, rect (rounded corners as quarter-ellipse cubics), circle and
//     ellipse (four smooth cubics), line, polyline, polygon become paths; a
//     path with several subpaths becomes a compound path with one member per
//     subpath; g and a become groups; <use> is read as a group holding a
//     copy of what it refers to.  Elements the model cannot hold (text,
//     defs, style, images of other programs, anything masked, filtered,
//     clipped or with markers, and a <use> of such) are kept as their XML
//     text in their container and written back where they stood, with the
//     transform that was in force there; the root's xmlns: declarations go
//     with them.
//   - transforms are applied to the coordinates, and stroke widths scaled by
//     the transform's mean scale sqrt(|det|).  fill, stroke, stroke-width and
//     color come from presentation attributes or the style attribute (which
//     wins) and inherit through groups; display="none" hides art.
//   - the viewBox gives the artboard: left = x, top = -y, right = x + width,
//     bottom = top - height.  Without one, width and height (in px, pt, pc,
//     mm, cm or in, converted to user units) give an artboard with its
//     top-left corner at the origin.  The unit of width gives the ruler units.
//   - an element's id becomes the art's name.
//
// Writing produces a file that reads back as an equal document (tree, ids
// aside) and that writes again byte for byte identically.  Not kept: the
// selection (of segments, and of placed and raster art), which is transient.
// host/svg/Attributes.h lists what the host writes beyond plain SVG.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace host::model {
class Document;
}

namespace host::svg {

// Reads an SVG file.  Throws HostError(kFileErr) whose message names the
// file, the position and the problem: "<file>:<line>:<offset>: attribute d:
// expected a number", where the offset counts characters from 0 inside the
// named attribute's value; "<file>:<line>: ..." for problems of a whole
// element or of the XML; "<file>: ..." for a file that cannot be read.
// Nothing is returned on failure.
// notes, when given, receives what the person who opened the file should
// hear: elements kept as they are, paint read as a fallback colour.
model::Document ReadSvg(const std::filesystem::path& file, std::vector<std::string>* notes = nullptr);
model::Document ParseSvg(const std::string& text, const std::string& nameForMessages,
                         std::vector<std::string>* notes = nullptr);

// Writes atomically (a temporary file renamed over the target), so a failure
// never leaves a half-written file.  Throws HostError(kFileErr) naming the file.
// A document with a coordinate, stroke width or image matrix that is not
// finite cannot be written: the file could not be read back.
void WriteSvg(const model::Document& document, const std::filesystem::path& file);
// Throws HostError(kFileErr) for the same documents WriteSvg refuses.
std::string FormatSvg(const model::Document& document);

}  // namespace host::svg
