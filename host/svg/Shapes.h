// The basic shapes as outlines in their own user space.
//
// Each starts where SVG says its outline starts and runs in SVG's direction
// (clockwise on screen): a rectangle from its top-left corner (or the end of
// the top-left rounding), an ellipse from its rightmost point.  Quarter
// ellipses are single cubics with handles of kQuarterArcHandle times the
// radius, the usual four-piece circle.
#pragma once

#include <string_view>
#include <vector>

#include "host/svg/Outline.h"

namespace host::svg {

// 4/3 (sqrt(2) - 1): the handle length, as a fraction of the radius, of the
// cubic that best follows a quarter circle (it meets the circle at its middle).
inline constexpr double kQuarterArcHandle = 0.55228474983079339840;

// rx and ry already resolved (an absent one equals the other) and clamped to
// half the width and height.  Zero radii give four corners.
Subpath RectOutline(double x, double y, double width, double height, double rx, double ry);
Subpath EllipseOutline(SvgPoint centre, double rx, double ry);
Subpath PolyOutline(const std::vector<SvgPoint>& points, bool closed);

// The points attribute of polyline and polygon.  Throws SyntaxError for a
// malformed number or an odd count of coordinates.
std::vector<SvgPoint> ParsePoints(std::string_view text);

}  // namespace host::svg
