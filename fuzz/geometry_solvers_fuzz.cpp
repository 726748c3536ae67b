// The geometry solvers on any finite inputs: no non-finite output, and every
// result meets its own contract.
//   Circumcircle: the three points lie on the circle (relative to its size),
//   where they are distinct enough for the circle to be well defined.
//   NormalRoots / TangentRoots: parameters in [0, 1] at which the condition
//   holds within the convergence bound the solver promises.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "geometry/construction.h"
#include "geometry/point_piece_solver.h"

namespace {

// Reads doubles from the input; the harness needs 12 of them.
class Doubles {
 public:
  Doubles(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Next(double& out) {
    if (size_ < sizeof out) return false;
    std::memcpy(&out, data_, sizeof out);
    data_ += sizeof out;
    size_ -= sizeof out;
    return std::isfinite(out) && std::abs(out) < 1e6;  // document coordinates
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
};

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Doubles in(data, size);
  geom::Point q[5];
  for (geom::Point& p : q)
    if (!in.Next(p.h) || !in.Next(p.v)) return 0;
  double t0 = 0;
  if (!in.Next(t0)) return 0;

  if (const std::optional<geom::Circle> c = geom::Circumcircle(q[0], q[1], q[2])) {
    Require(std::isfinite(c->centre.h) && std::isfinite(c->centre.v) && std::isfinite(c->radius));
    // Points closer than a thousandth of a point leave the circle ill-defined:
    // only its finiteness is promised then.
    const double closest = std::min({std::hypot(q[0].h - q[1].h, q[0].v - q[1].v),
                                     std::hypot(q[1].h - q[2].h, q[1].v - q[2].v),
                                     std::hypot(q[2].h - q[0].h, q[2].v - q[0].v)});
    if (closest > 1e-3 && c->radius < 1e7) {
      for (int i = 0; i < 3; ++i) {
        const double off = std::hypot(q[i].h - c->centre.h, q[i].v - c->centre.v) - c->radius;
        Require(std::abs(off) <= 1e-6 * (c->radius + 1));
      }
    }
  }

  const geom::PointPieceSolver solver{geom::Bezier(q[0], q[1], q[2], q[3]), q[4]};
  for (const double t : geom::NormalRoots(solver, t0)) {
    Require(std::isfinite(t) && t >= 0 && t <= 1);
    Require(std::abs(solver.Normal(t)) < 1e-5);
  }
  for (const double t : geom::TangentRoots(solver, t0)) {
    Require(std::isfinite(t) && t >= 0 && t <= 1);
    Require(std::abs(solver.Tangent(t)) < 1e-5);
  }
  return 0;
}
