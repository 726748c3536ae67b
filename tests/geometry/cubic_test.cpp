#include "geometry/cubic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace geom {
namespace {

struct CubicCase {
  const char* name;
  double a, b, c, d;
  std::vector<double> roots;  // reference values, each listed once per returned copy
  double eps;
};

double Evaluate(const CubicCase& k, double x) { return ((k.a * x + k.b) * x + k.c) * x + k.d; }

double Scale(const CubicCase& k) { return std::abs(k.a) + std::abs(k.b) + std::abs(k.c) + std::abs(k.d); }

// The case itself must be right before it can judge the solver.
void ExpectReferenceRootsSolveTheCubic(const CubicCase& k) {
  for (double r : k.roots) EXPECT_NEAR(Evaluate(k, r), 0, 1e-12 * Scale(k)) << "reference root " << r;
}

void ExpectSameRoots(std::vector<double> got, std::vector<double> want, double eps) {
  std::sort(got.begin(), got.end());
  std::sort(want.begin(), want.end());
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], eps);
}

TEST(SolveCubic, NamedCasesAgreeWithIndependentReferenceRoots) {
  const double s17 = std::sqrt(17.0);
  const CubicCase cases[] = {
      {"three roots 10x^3 - 20x^2 - 30x + 40", 10, -20, -30, 40, {1, (1 + s17) / 2, (1 - s17) / 2}, 1e-12},
      {"spread roots (x+3)(x-0.5)(x-7)", 1, -4.5, -19, 10.5, {-3, 0.5, 7}, 1e-12},
      {"negative leading coefficient -2(x-1)(x-2)(x-3)", -2, 12, -22, 12, {1, 2, 3}, 1e-12},
      {"zero root x^3 - x", 1, 0, -1, 0, {-1, 0, 1}, 1e-12},
      {"double root (x-1)^2 (x+2)", 1, 0, -3, 2, {1, 1, -2}, 1e-7},
      {"triple root (x-2)^3", 1, -6, 12, -8, {2}, 1e-12},
      {"triple root at zero x^3", 3, 0, 0, 0, {0}, 0},
      {"one real root x^3 + x + 1", 1, 0, 1, 1, {-0.68232780382801932737}, 1e-12},
      {"one real root x^3 - 1", 1, 0, 0, -1, {1}, 1e-12},
      {"one negative real root x^3 + 8", 1, 0, 0, 8, {-2}, 1e-12},
  };
  for (const CubicCase& k : cases) {
    SCOPED_TRACE(k.name);
    ExpectReferenceRootsSolveTheCubic(k);
    ExpectSameRoots(SolveCubic(k.a, k.b, k.c, k.d), k.roots, k.eps);
  }
}

TEST(SolveCubic, GivesNoRootsForNonCubicsAndNonFiniteInput) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(SolveCubic(nan, 1, 2, 3).empty());
  EXPECT_TRUE(SolveCubic(1, nan, 2, 3).empty());
  EXPECT_TRUE(SolveCubic(1, 2, 3, nan).empty());
  EXPECT_TRUE(SolveCubic(inf, 1, 2, 3).empty());
  EXPECT_TRUE(SolveCubic(0, 1, -3, 2).empty());  // a quadratic
  EXPECT_TRUE(SolveCubic(0, 0, 0, 0).empty());
}

TEST(SolveCubic, FindsEverySeparatedRootOfRandomCubics) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> root(-2, 2), lead(-50, 50);
  for (int i = 0; i < 10000; ++i) {
    std::vector<double> r = {root(rng), root(rng), root(rng)};
    std::sort(r.begin(), r.end());
    const double k = lead(rng);
    if (std::abs(k) < 0.1 || r[1] - r[0] < 0.05 || r[2] - r[1] < 0.05) continue;
    const double a = k, b = -k * (r[0] + r[1] + r[2]), c = k * (r[0] * r[1] + r[0] * r[2] + r[1] * r[2]),
                 d = -k * r[0] * r[1] * r[2];
    ExpectSameRoots(SolveCubic(a, b, c, d), r, 1e-9);
  }
}

}  // namespace
}  // namespace geom
