#include "host/render/DevicePath.h"

#include <cmath>

namespace host::render {

namespace {

// The handle length, as a fraction of the radius, of the cubic quarter that
// best matches a quarter circle: 4/3 (sqrt 2 - 1).
constexpr double kQuarterArcHandle = 0.5522847498307936;

}  // namespace

DevicePath::Subpath& DevicePath::Open() {
  if (subpaths_.empty()) subpaths_.emplace_back();
  if (subpaths_.back().closed) subpaths_.push_back(Subpath{subpaths_.back().start, {}, false});
  return subpaths_.back();
}

void DevicePath::MoveTo(DevicePoint p) { subpaths_.push_back(Subpath{p, {}, false}); }

void DevicePath::LineTo(DevicePoint p) { Open().pieces.push_back(Piece{false, {}, {}, p}); }

void DevicePath::CurveTo(DevicePoint c1, DevicePoint c2, DevicePoint end) {
  Open().pieces.push_back(Piece{true, c1, c2, end});
}

void DevicePath::Close() {
  if (!subpaths_.empty()) subpaths_.back().closed = true;
}

void AddEllipse(DevicePath& path, DevicePoint corner, DevicePoint oppositeCorner) {
  const double cx = (corner.x + oppositeCorner.x) / 2, cy = (corner.y + oppositeCorner.y) / 2;
  const double rx = std::abs(oppositeCorner.x - corner.x) / 2, ry = std::abs(oppositeCorner.y - corner.y) / 2;
  const double hx = rx * kQuarterArcHandle, hy = ry * kQuarterArcHandle;
  path.MoveTo({cx + rx, cy});
  path.CurveTo({cx + rx, cy + hy}, {cx + hx, cy + ry}, {cx, cy + ry});
  path.CurveTo({cx - hx, cy + ry}, {cx - rx, cy + hy}, {cx - rx, cy});
  path.CurveTo({cx - rx, cy - hy}, {cx - hx, cy - ry}, {cx, cy - ry});
  path.CurveTo({cx + hx, cy - ry}, {cx + rx, cy - hy}, {cx + rx, cy});
  path.Close();
}

}  // namespace host::render
