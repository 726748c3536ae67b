// Outlines as the reader first sees them: subpaths of cubic pieces in SVG
// user space (y down), before any transform or mapping into the document.
//
// Every drawing command becomes cubic pieces: a line keeps its handles on its
// anchors (c1 = start, c2 = end), a quadratic becomes the identical cubic, an
// arc becomes pieces of at most a quarter turn each.
#pragma once

#include <vector>

#include "host/model/Primitives.h"

namespace host::svg {

// Here h is SVG x and v is SVG y (down).
using SvgPoint = model::Point;

struct CubicPiece {
  SvgPoint c1;
  SvgPoint c2;
  SvgPoint end;
  friend bool operator==(const CubicPiece&, const CubicPiece&) = default;
};

struct Subpath {
  SvgPoint start;
  std::vector<CubicPiece> pieces;
  bool closed = false;
  friend bool operator==(const Subpath&, const Subpath&) = default;
};

inline CubicPiece LinePiece(SvgPoint from, SvgPoint to) { return {from, to, to}; }

// The one mapping between SVG user space (y down) and artwork (y up).
// Negation is exact, so the mapping loses nothing in either direction.
inline model::Point ToArtwork(SvgPoint p) { return {p.h, -p.v}; }
inline SvgPoint ToSvg(model::Point p) { return {p.h, -p.v}; }

}  // namespace host::svg
