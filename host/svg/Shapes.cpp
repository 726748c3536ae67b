#include "host/svg/Shapes.h"

#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

// The quarter ellipse from `from` to `to` around the corner point `corner`
// of their bounding box: each handle points from its end towards the corner.
CubicPiece QuarterArc(SvgPoint from, SvgPoint corner, SvgPoint to) {
  return {from + kQuarterArcHandle * (corner - from), to + kQuarterArcHandle * (corner - to), to};
}

}  // namespace

Subpath RectOutline(double x, double y, double width, double height, double rx, double ry) {
  const double right = x + width, bottom = y + height;
  Subpath s;
  s.closed = true;
  if (rx <= 0 || ry <= 0) {
    s.start = {x, y};
    s.pieces = {LinePiece({x, y}, {right, y}), LinePiece({right, y}, {right, bottom}),
                LinePiece({right, bottom}, {x, bottom}), LinePiece({x, bottom}, {x, y})};
    return s;
  }
  const SvgPoint topStart{x + rx, y}, topEnd{right - rx, y};
  const SvgPoint rightStart{right, y + ry}, rightEnd{right, bottom - ry};
  const SvgPoint bottomStart{right - rx, bottom}, bottomEnd{x + rx, bottom};
  const SvgPoint leftStart{x, bottom - ry}, leftEnd{x, y + ry};
  s.start = topStart;
  s.pieces = {LinePiece(topStart, topEnd),         QuarterArc(topEnd, {right, y}, rightStart),
              LinePiece(rightStart, rightEnd),     QuarterArc(rightEnd, {right, bottom}, bottomStart),
              LinePiece(bottomStart, bottomEnd),   QuarterArc(bottomEnd, {x, bottom}, leftStart),
              LinePiece(leftStart, leftEnd),       QuarterArc(leftEnd, {x, y}, topStart)};
  return s;
}

Subpath EllipseOutline(SvgPoint c, double rx, double ry) {
  const SvgPoint east{c.h + rx, c.v}, south{c.h, c.v + ry}, west{c.h - rx, c.v}, north{c.h, c.v - ry};
  Subpath s;
  s.start = east;
  s.closed = true;
  s.pieces = {QuarterArc(east, {east.h, south.v}, south), QuarterArc(south, {west.h, south.v}, west),
              QuarterArc(west, {west.h, north.v}, north), QuarterArc(north, {east.h, north.v}, east)};
  return s;
}

Subpath PolyOutline(const std::vector<SvgPoint>& points, bool closed) {
  Subpath s;
  if (points.empty()) return s;
  s.start = points.front();
  s.closed = closed;
  for (std::size_t i = 1; i < points.size(); ++i) s.pieces.push_back(LinePiece(points[i - 1], points[i]));
  return s;
}

std::vector<SvgPoint> ParsePoints(std::string_view text) {
  Scanner scan(text);
  std::vector<double> numbers;
  scan.SkipSpace();
  while (!scan.AtEnd()) {
    numbers.push_back(scan.Number());
    if (scan.SkipSeparator() && scan.AtEnd()) scan.Fail("expected a number after ','");
  }
  if (numbers.size() % 2 != 0) scan.Fail("odd number of coordinates");
  std::vector<SvgPoint> points;
  for (std::size_t i = 0; i < numbers.size(); i += 2) points.push_back({numbers[i], numbers[i + 1]});
  return points;
}

}  // namespace host::svg
