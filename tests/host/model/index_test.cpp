// The indexed hit test and snapping against a scan of every path, over
// seeded random documents that keep changing between queries: the same hit
// (art, part, segment, t, point) and the same snapped point every time.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "host/model/Cubic.h"
#include "host/model/Document.h"
#include "host/model/HitTest.h"
#include "host/model/Snapping.h"
#include "random_document.h"

namespace host::test {
namespace {

using model::ArtId;
using model::Document;
using model::Point;

// The hit test of every path in paint order: a hit test scoped to a layer
// group walks its whole subtree.
model::Hit HitByScan(const Document& doc, Point p, int32_t request, double tolerance) {
  for (const model::Layer& layer : doc.layers()) {
    const model::Hit h = model::HitTest(doc, layer.group, p, request, tolerance);
    if (h.hit) return h;
  }
  return {};
}

// Snapping to every visible path's anchors, handle ends, midpoints and
// outline, nearest first within each rank, ties to the first offered.
Point SnapByScan(const Document& doc, Point p, std::string_view control, double tolerance) {
  std::optional<Point> point, line;
  double pointDistance = 0, lineDistance = 0;
  auto offer = [&](std::optional<Point>& best, double& bestDistance, Point q) {
    const double d = model::Distance(q, p);
    if (d <= tolerance && (!best || d < bestDistance)) {
      best = q;
      bestDistance = d;
    }
  };
  auto has = [&](char letter) { return control.find(letter) != std::string_view::npos; };
  model::ForEachArtFrontToBack(doc, [&](ArtId id) {
    const model::Art& a = doc.art(id);
    if (a.type() != model::ArtType::Path) return;
    for (ArtId at : doc.Lineage(id))
      if (doc.art(at).hidden) return;
    if (!doc.layer(doc.LayerOf(id)).visible) return;
    for (const model::Segment& s : a.segments) {
      if (has('A')) offer(point, pointDistance, s.p);
      if (has('T')) {
        if (s.in != s.p) offer(point, pointDistance, s.in);
        if (s.out != s.p) offer(point, pointDistance, s.out);
      }
    }
    for (int i = 0; i < model::PieceCount(a.segments, a.closed); ++i) {
      const model::Cubic c = model::PieceOf(a.segments, i);
      // A piece lies within the box of its control points.
      const model::Rect box = model::Union(model::Union({c.p0.h, c.p0.v, c.p0.h, c.p0.v}, {c.p1.h, c.p1.v, c.p1.h, c.p1.v}),
                                           model::Union({c.p2.h, c.p2.v, c.p2.h, c.p2.v}, {c.p3.h, c.p3.v, c.p3.h, c.p3.v}));
      if (p.h < box.left - tolerance || p.h > box.right + tolerance || p.v < box.bottom - tolerance ||
          p.v > box.top + tolerance)
        continue;
      if (has('M')) offer(point, pointDistance, model::Evaluate(c, 0.5));
      if (has('F')) offer(line, lineDistance, model::Nearest(c, p).point);
    }
  });
  return point ? *point : line ? *line : p;
}

void ExpectSameHit(const model::Hit& got, const model::Hit& want, const char* what) {
  ASSERT_EQ(got.hit, want.hit) << what;
  if (!want.hit) return;
  EXPECT_EQ(got.art, want.art) << what;
  EXPECT_EQ(got.part, want.part) << what;
  EXPECT_EQ(got.segment, want.segment) << what;
  EXPECT_EQ(got.t, want.t) << what;
  EXPECT_TRUE(got.point == want.point) << what;
}

TEST(ArtIndex, HitTestsAndSnapsMatchAScanOfEveryPathAsTheDocumentChanges) {
  int hits = 0, snaps = 0;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    Document doc;
    RandomDocument random(doc, seed);
    random.Populate(seed % 2 ? 300 : 40, seed % 2 ? 2000 : 300);
    for (int round = 0; round < 16; ++round) {
      for (int q = 0; q < 25; ++q) {
        const Point p = random.Probe();
        // Now and then a tolerance of a zoomed-out view, which meets many paths.
        const double tolerance = q % 8 == 7 ? 150 : 0.25 + (random.rng()() % 100) / 10.0;
        for (int32_t request : {kSegmentOrCurveHitRequest, kAllHitRequest}) {
          const model::Hit want = HitByScan(doc, p, request, tolerance);
          ExpectSameHit(model::HitTest(doc, model::kNoId, p, request, tolerance), want, "hit");
          hits += want.hit;
        }
        for (std::string_view control : {"A", "ATMF", "F", "M"}) {
          const Point want = SnapByScan(doc, p, control, tolerance);
          const Point got = model::Snap(doc, p, control, {}, {true, tolerance});
          EXPECT_TRUE(got == want) << "snap " << control << " seed " << seed;
          snaps += !(want == p);
        }
        if (::testing::Test::HasFailure()) return;
      }
      // Changes between queries, and now and then a step taken back.
      model::Changes changes;
      doc.RecordChanges(&changes);
      for (int i = 0; i < 3; ++i) random.Edit();
      doc.RecordChanges(nullptr);
      if (round % 4 == 3) doc.Revert(std::move(changes));
    }
  }
  // The probes are meant to find things often, or the comparison shows little.
  EXPECT_GT(hits, 1000);
  EXPECT_GT(snaps, 1000);
}

}  // namespace
}  // namespace host::test
