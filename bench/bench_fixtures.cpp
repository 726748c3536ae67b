#include "bench_fixtures.h"

#include <cmath>

namespace bench {

geom::Bezier RandomCubic(std::mt19937& rng) {
  std::uniform_real_distribution<double> u(0, 100);
  return geom::Bezier({u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)});
}

geom::SegmentList WavyPath(int pieces, double base, std::mt19937& rng) {
  std::uniform_real_distribution<double> noise(-6, 6), phase(0, 6.283), handle(4, 9);
  const double phi = phase(rng);
  geom::SegmentList path;
  for (int i = 0; i <= pieces; ++i) {
    const geom::Point p{20.0 * i + noise(rng), base + 30 * std::sin(0.35 * i + phi) + noise(rng)};
    const double slope = 30 * 0.35 * std::cos(0.35 * i + phi) / 20 + noise(rng) / 20;
    const geom::Point dir = geom::Unit({1, slope});
    path.push_back({p, p - handle(rng) * dir, p + handle(rng) * dir, false});
  }
  return path;
}

}  // namespace bench
