// Measurements on cubic pieces: exact bounds, nearest points, winding.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "host/model/Cubic.h"

namespace host::model {
namespace {

double DenseNearestDistance(const Cubic& c, Point p) {
  constexpr int kSamples = 20000;
  double best = 1e300;
  for (int i = 0; i <= kSamples; ++i) best = std::min(best, Distance(Evaluate(c, double(i) / kSamples), p));
  return best;
}

// The bounds must contain every point of the curve and be touched by it on
// each side; checked against dense sampling on random pieces.
TEST(CubicBounds, AreTightOnRandomPieces) {
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> coord(-100, 100);
  for (int n = 0; n < 500; ++n) {
    const Cubic c{{coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
    const Rect r = Bounds(c);
    Rect sampled{1e300, -1e300, -1e300, 1e300};
    for (int i = 0; i <= 20000; ++i) {
      const Point q = Evaluate(c, i / 20000.0);
      sampled = {std::min(sampled.left, q.h), std::max(sampled.top, q.v), std::max(sampled.right, q.h),
                 std::min(sampled.bottom, q.v)};
    }
    const double slack = 1e-3;  // what 20 000 samples can miss at an extreme
    EXPECT_LE(r.left, sampled.left + 1e-9);
    EXPECT_GE(r.left, sampled.left - slack);
    EXPECT_GE(r.right, sampled.right - 1e-9);
    EXPECT_LE(r.right, sampled.right + slack);
    EXPECT_GE(r.top, sampled.top - 1e-9);
    EXPECT_LE(r.top, sampled.top + slack);
    EXPECT_LE(r.bottom, sampled.bottom + 1e-9);
    EXPECT_GE(r.bottom, sampled.bottom - slack);
  }
}

// Pieces that loop or fold back bring a point near two parts of the curve;
// the nearest one must be found, and the reported point must be B(t).
TEST(CubicNearest, FindsTheGlobalNearestPointOnRandomPieces) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> coord(-100, 100);
  for (int n = 0; n < 500; ++n) {
    const Cubic c{{coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}, {coord(rng), coord(rng)}};
    const Point p{coord(rng), coord(rng)};
    const NearestPoint near = Nearest(c, p);
    // Never worse than dense sampling (which can only overestimate the true
    // minimum), so the right valley was found and polished.
    EXPECT_LE(near.distance, DenseNearestDistance(c, p) + 1e-7) << "case " << n;
    EXPECT_NEAR(Distance(near.point, Evaluate(c, near.t)), 0, 1e-12);
    EXPECT_GE(near.t, 0);
    EXPECT_LE(near.t, 1);
  }
}

TEST(Winding, NonZeroCountsDirectionOfNestedOutlines) {
  auto square = [](double lo, double hi, bool clockwise) {
    std::vector<Segment> s;
    const Point corners[] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
    for (const Point& p : corners) s.push_back({p, p, p, true, 0});
    if (clockwise) std::reverse(s.begin(), s.end());
    return s;
  };
  const auto outer = square(0, 100, false), sameWay = square(25, 75, false), otherWay = square(25, 75, true);
  EXPECT_EQ(WindingNumber({&outer}, {10, 10}), 1);
  EXPECT_EQ(WindingNumber({&outer}, {110, 10}), 0);
  EXPECT_EQ(WindingNumber({&outer, &sameWay}, {50, 50}), 2);
  EXPECT_EQ(WindingNumber({&outer, &otherWay}, {50, 50}), 0);  // a hole
  EXPECT_EQ(WindingNumber({&outer, &otherWay}, {10, 50}), 1);
}

}  // namespace
}  // namespace host::model
