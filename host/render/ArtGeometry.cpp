#include "host/render/ArtGeometry.h"

#include "host/model/Cubic.h"

namespace host::render {

void AddPathOutline(DevicePath& out, const model::Art& path, const model::View& view) {
  if (path.segments.empty()) return;
  out.MoveTo(ToDevice(view, path.segments.front().p));
  const int pieces = model::PieceCount(path.segments, path.closed);
  for (int i = 0; i < pieces; ++i) {
    const model::Cubic c = model::PieceOf(path.segments, i);
    out.CurveTo(ToDevice(view, c.p1), ToDevice(view, c.p2), ToDevice(view, c.p3));
  }
  if (path.closed) out.Close();
}

std::array<DevicePoint, 4> ImageCorners(const model::Art& art, const model::View& view) {
  const double w = art.image.width, h = art.image.height;
  auto corner = [&](double x, double y) { return ToDevice(view, model::Apply(art.matrix, {x, y})); };
  return {corner(0, 0), corner(w, 0), corner(w, h), corner(0, h)};
}

}  // namespace host::render
