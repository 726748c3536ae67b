// Inserting anchors into document paths where created lines meet them, through the stand-in
// host's path suite. The shape checks compare the new pieces with the matching parameter
// ranges of the original piece: the cut keeps the curve apart from single-precision rounding.
#include <vector>

#include "geometry/host/path_split.h"
#include "hostcall/Error.h"
#include "tests/plugin/HostDocument.h"

namespace plugin_test {
namespace {

namespace hp = geom::hostpath;
using geom::Bezier;
using geom::PieceRef;
using geom::Point;
using geom::SegmentList;

// pt. Coordinates up to a few hundred points rounded to single precision move by about 2e-5;
// two successive cuts of one piece stay well inside this.
constexpr double kSingleRoundingSlack = 1e-4;

// The part [a, b] of an original piece that a new piece must retrace.
struct Retrace {
  int newPiece;
  double a, b;
};

class PathSplitTest : public HostDocumentTest {
 protected:
  // Every retraced new piece follows `original` over its range.
  void ExpectRetraces(AIArtHandle art, const Bezier& original, const std::vector<Retrace>& parts) {
    const SegmentList now = SegmentsOf(art);
    for (const Retrace& part : parts) {
      SCOPED_TRACE("new piece " + std::to_string(part.newPiece));
      const Bezier piece = geom::PieceOf(now, part.newPiece);
      for (double u = 0; u <= 1; u += 0.125) {
        const Point expected = original.At(part.a + (part.b - part.a) * u);
        EXPECT_LE(geom::Distance(piece.At(u), expected), kSingleRoundingSlack) << "at u = " << u;
      }
    }
  }

  // The anchor at `index` is the smooth anchor put in at `p`.
  void ExpectNewAnchor(AIArtHandle art, int index, Point p) {
    const geom::Segment s = SegmentsOf(art).at(static_cast<std::size_t>(index));
    EXPECT_EQ(s.p, geom::RoundToSingle(p));
    EXPECT_FALSE(s.corner);
  }
};

TEST_F(PathSplitTest, InsertAnchorAtCutsAPieceInPlace) {
  struct Case {
    const char* name;
    bool closed;
    int k;
    double t;
    int anchorIndex;              // where the new anchor ends up
    std::vector<Retrace> halves;  // the two new pieces
    std::vector<std::pair<int, int>> kept;  // (new index, old index) of anchors whose points stay
  };
  const Case cases[] = {
      {"open path, inner piece", false, 1, 0.3, 2, {{1, 0, 0.3}, {2, 0.3, 1}}, {{0, 0}, {1, 1}, {3, 2}, {4, 3}}},
      {"closed path, closing piece", true, 3, 0.6, 0, {{4, 0, 0.6}, {0, 0.6, 1}}, {{1, 0}, {2, 1}, {3, 2}, {4, 3}}},
  };
  const SegmentList s = FourAnchorPath();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AIArtHandle art = AddPath(s, c.closed);
    const Bezier original = geom::PieceOf(s, c.k);
    const Point p = original.At(c.t);

    ASSERT_TRUE(hp::InsertAnchorAt(suites(), art, c.k, c.t, p));

    const SegmentList now = SegmentsOf(art);
    ASSERT_EQ(now.size(), s.size() + 1);
    EXPECT_EQ(ArtOf(art).closed, c.closed);
    ExpectNewAnchor(art, c.anchorIndex, p);
    ExpectRetraces(art, original, c.halves);
    for (auto [newIndex, oldIndex] : c.kept) {
      EXPECT_EQ(now[static_cast<std::size_t>(newIndex)].p, s[static_cast<std::size_t>(oldIndex)].p);
      EXPECT_EQ(now[static_cast<std::size_t>(newIndex)].corner, s[static_cast<std::size_t>(oldIndex)].corner);
    }
  }
}

TEST_F(PathSplitTest, NothingIsInsertedOnAnExistingAnchor) {
  const SegmentList s = FourAnchorPath();
  const AIArtHandle art = AddPath(s, true);
  for (double t : {0.0, 5e-7, 1 - 5e-7, 1.0}) {
    SCOPED_TRACE(t);
    const host::model::Document before = doc();
    EXPECT_FALSE(hp::InsertAnchorAt(suites(), art, 3, t, geom::PieceOf(s, 3).At(t)));
    EXPECT_TRUE(doc() == before);
  }
}

TEST_F(PathSplitTest, APieceOutsideThePathIsRefusedUntouched) {
  const AIArtHandle open = AddPath(FourAnchorPath(), false);
  const AIArtHandle group = AddGroup();
  const host::model::Document before = doc();
  struct Case {
    const char* name;
    AIArtHandle art;
    int k;
  };
  const Case cases[] = {{"before the first piece", open, -1}, {"the closing piece of an open path", open, 3},
                        {"not a path", group, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      hp::InsertAnchorAt(suites(), c.art, c.k, 0.5, {0, 0});
      ADD_FAILURE() << "accepted";
    } catch (const ai::Error& e) {
      EXPECT_EQ(e.code(), kBadParameterErr);
    }
  }
  EXPECT_TRUE(doc() == before);
}

TEST_F(PathSplitTest, TwoContactsOnOnePieceKeepTheShape) {
  struct Case {
    const char* name;
    bool closed;
    int k;
    double t1, t2;
    int anchor1, anchor2;  // where the anchors at t1 and t2 end up
    std::vector<Retrace> thirds;
  };
  const Case cases[] = {
      {"open path, inner piece", false, 1, 0.3, 0.7, 2, 3, {{1, 0, 0.3}, {2, 0.3, 0.7}, {3, 0.7, 1}}},
      {"later contact first", false, 1, 0.7, 0.3, 3, 2, {{1, 0, 0.3}, {2, 0.3, 0.7}, {3, 0.7, 1}}},
      {"closed path, closing piece", true, 3, 0.3, 0.7, 0, 1, {{5, 0, 0.3}, {0, 0.3, 0.7}, {1, 0.7, 1}}},
      // The first cut goes in at index 0, so the half before it now starts at anchor 4.
      {"closed path, closing piece, later contact first", true, 3, 0.7, 0.3, 1, 0,
       {{5, 0, 0.3}, {0, 0.3, 0.7}, {1, 0.7, 1}}},
  };
  const SegmentList s = FourAnchorPath();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AIArtHandle art = AddPath(s, c.closed);
    const Bezier original = geom::PieceOf(s, c.k);
    const hp::PathContact first{art, {c.k, c.t1}, original.At(c.t1)};
    const hp::PathContact second{art, {c.k, c.t2}, original.At(c.t2)};

    const hp::ContactSplits done = hp::InsertAnchorsAtContacts(suites(), first, second);

    EXPECT_TRUE(done.first);
    EXPECT_TRUE(done.second);
    ASSERT_EQ(SegmentsOf(art).size(), s.size() + 2);
    ExpectNewAnchor(art, c.anchor1, first.point);
    ExpectNewAnchor(art, c.anchor2, second.point);
    ExpectRetraces(art, original, c.thirds);
  }
}

TEST_F(PathSplitTest, TheSecondContactIsReaddressedOnlyAfterACutOnItsPath) {
  const SegmentList s = FourAnchorPath();
  struct Case {
    const char* name;
    bool closed, samePath;
    PieceRef c1, c2;
    bool inserted1;
    int anchor2;  // where the second contact's anchor ends up on its path
  };
  const Case cases[] = {
      // The cut on the closing piece puts its anchor at 0 and moves piece 1 to 2.
      {"closing piece, then a later piece", true, true, {3, 0.5}, {1, 0.5}, true, 3},
      {"a later piece, then an earlier one", false, true, {2, 0.5}, {0, 0.5}, true, 1},
      {"first contact on an anchor", false, true, {1, 1e-7}, {1, 0.5}, false, 2},
      {"two paths", false, false, {0, 0.5}, {1, 0.5}, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AIArtHandle art1 = AddPath(s, c.closed);
    const AIArtHandle art2 = c.samePath ? art1 : AddPath(s, c.closed);
    const hp::PathContact first{art1, c.c1, geom::PieceOf(s, c.c1.piece).At(c.c1.t)};
    const hp::PathContact second{art2, c.c2, geom::PieceOf(s, c.c2.piece).At(c.c2.t)};

    const hp::ContactSplits done = hp::InsertAnchorsAtContacts(suites(), first, second);

    EXPECT_EQ(done.first, c.inserted1);
    EXPECT_TRUE(done.second);
    ExpectNewAnchor(art2, c.anchor2, second.point);
    const std::size_t expectedCount = s.size() + (c.samePath && c.inserted1 ? 2 : 1);
    EXPECT_EQ(SegmentsOf(art2).size(), expectedCount);
  }
}

}  // namespace
}  // namespace plugin_test
