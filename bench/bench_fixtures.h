// Seeded inputs shared by the benchmarks.
#pragma once

#include <random>
#include <vector>

#include "geometry/bezier.h"
#include "geometry/segment_list.h"

namespace bench {

// A random cubic with control points in [0, 100]^2.
geom::Bezier RandomCubic(std::mt19937& rng);

// An open wavy path of `pieces` smooth pieces running left to right, 20 pt per piece, its
// anchors on a sine of amplitude 30 around height `base` with some noise, handles along the
// local direction.
geom::SegmentList WavyPath(int pieces, double base, std::mt19937& rng);

}  // namespace bench
