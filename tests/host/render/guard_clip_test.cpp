// The clipping that keeps far geometry within cairo's range: checked by the
// properties it promises, not by its arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "host/render/GuardClip.h"
#include "host/render/Utf8.h"

namespace host::render {
namespace {

const Box kBox{0, 0, 100, 80};

// Winding number of a closed polygon around p (crossings of the ray to +x).
int Winding(const std::vector<DevicePoint>& polygon, DevicePoint p) {
  int w = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const DevicePoint a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y && b.y > p.y && side > 0) ++w;
    if (a.y > p.y && b.y <= p.y && side < 0) --w;
  }
  return w;
}

TEST(GuardClip, ClippedPolygonsKeepTheWindingOfEveryPointInside) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> far(-400, 500), inside(0.5, 79.5);
  for (int round = 0; round < 2000; ++round) {
    std::vector<DevicePoint> polygon(3 + round % 6);
    for (DevicePoint& p : polygon) p = {far(random), far(random)};
    const std::vector<DevicePoint> clipped = ClipPolygon(polygon, kBox);
    for (const DevicePoint& p : clipped) ASSERT_TRUE(kBox.Contains(p)) << "round " << round;
    for (int probe = 0; probe < 20; ++probe) {
      const DevicePoint p{inside(random) * 1.25, inside(random)};
      ASSERT_EQ(Winding(clipped, p), Winding(polygon, p)) << "round " << round << " at (" << p.x << ", " << p.y << ")";
    }
  }
}

TEST(GuardClip, SegmentsKeepTheirPartInsideTheBox) {
  struct Case {
    const char* name;
    DevicePoint a, b;
    std::optional<SegmentSpan> expected;
  };
  const Case cases[] = {
      {"inside", {10, 10}, {90, 70}, SegmentSpan{0, 1}},
      {"across", {-100, 40}, {200, 40}, SegmentSpan{1.0 / 3, 2.0 / 3}},
      {"leaving", {50, 40}, {50, 120}, SegmentSpan{0, 0.5}},
      {"outside, parallel to an edge", {-10, -5}, {200, -5}, std::nullopt},
      {"outside, passing a corner", {90, -20}, {130, 20}, std::nullopt},
      {"a point inside", {5, 5}, {5, 5}, SegmentSpan{0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<SegmentSpan> got = ClipSegment(c.a, c.b, kBox);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (!got) continue;
    EXPECT_NEAR(got->t0, c.expected->t0, 1e-12);
    EXPECT_NEAR(got->t1, c.expected->t1, 1e-12);
  }
}

DevicePoint Bezier(DevicePoint p0, const DevicePath::Piece& c, double t) {
  const double s = 1 - t;
  const double w0 = s * s * s, w1 = 3 * s * s * t, w2 = 3 * s * t * t, w3 = t * t * t;
  return {w0 * p0.x + w1 * c.c1.x + w2 * c.c2.x + w3 * c.end.x, w0 * p0.y + w1 * c.c1.y + w2 * c.c2.y + w3 * c.end.y};
}

double DistanceToPolyline(DevicePoint p, const std::vector<DevicePoint>& line) {
  double best = INFINITY;
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const DevicePoint a = line[i], b = line[i + 1];
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    best = std::min(best, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
  }
  return best;
}

// Inside the box the chords follow the curve within the flatness; the curve
// here reaches billions of pixels out, as a huge construction circle does.
TEST(GuardClip, FlattenedCurvesFollowTheCurveInsideTheBox) {
  constexpr double kR = 1e9;
  constexpr double kHandle = 0.5522847498307936;
  struct Case {
    const char* name;
    DevicePoint from;
    DevicePath::Piece piece;
  };
  const Case cases[] = {
      {"small curve", {10, 70}, {true, {10, 10}, {90, 10}, {90, 70}}},
      // Centre (50 + R, 40), radius R = 10^9: from its leftmost point upwards.
      {"quarter of a huge circle",
       {50, 40},
       {true, {50, 40 - kHandle * kR}, {50 + kR - kHandle * kR, 40 - kR}, {50 + kR, 40 - kR}}},
      {"curve from far away through the box", {-3e9, 3e9}, {true, {0, 0}, {100, 80}, {3e9, -3e9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DevicePoint> line{c.from};
    FlattenPiece(c.from, c.piece, kBox, line);
    ASSERT_LT(line.size(), 10000u) << "subdivided only where the box is";
    EXPECT_EQ(line.back().x, c.piece.end.x);
    EXPECT_EQ(line.back().y, c.piece.end.y);
    int checked = 0;
    for (int i = 0; i <= 200000; ++i) {
      const DevicePoint p = Bezier(c.from, c.piece, i / 200000.0);
      if (!kBox.Contains(p)) continue;
      ++checked;
      EXPECT_LE(DistanceToPolyline(p, line), kFlatnessPx + 1e-6) << "t = " << i / 200000.0;
    }
    EXPECT_GT(checked, 0) << "the case must pass through the box";
  }
}

TEST(Utf8, MalformedBytesBecomeQuestionMarks) {
  struct Case {
    const char* name;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"ASCII", "12.5 mm", "12.5 mm"},
      {"two, three and four bytes", "\xc2\xb0 \xe2\x80\x93 \xf0\x9f\x98\x80", "\xc2\xb0 \xe2\x80\x93 \xf0\x9f\x98\x80"},
      {"stray continuation", "a\x80z", "a?z"},
      {"cut short at the end", "ab\xe2\x80", "ab??"},
      {"overlong slash", "\xc0\xaf", "??"},
      {"overlong three-byte", "\xe0\x80\xaf", "???"},
      {"surrogate", "\xed\xa0\x80", "???"},
      {"past U+10FFFF", "\xf4\x90\x80\x80", "????"},
      {"platform byte (GBK lead)", "\xb0\xa1", "??"},
  };
  for (const Case& c : cases) EXPECT_EQ(WellFormedUtf8(c.in), c.out) << c.name;
}

}  // namespace
}  // namespace host::render
