// Reading paths, picking them and writing them back through the stand-in host's suites, on
// real documents. Picks come from the host's own hit test at points computed from the
// geometry, so the plug-in's piece numbering is checked against the host's.
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "geometry/host/art_piece_source.h"
#include "geometry/host/path_access.h"
#include "geometry/host/path_pick.h"
#include "geometry/tangent_circle.h"
#include "hostcall/Error.h"
#include "tests/plugin/HostDocument.h"

namespace plugin_test {
namespace {

namespace hp = geom::hostpath;
using geom::Bezier;
using geom::PieceRef;
using geom::Point;
using geom::SegmentList;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

// Runs f and expects it to raise ai::Error with `code`.
template <class F>
void ExpectHostError(F&& f, AIErr code) {
  try {
    f();
    ADD_FAILURE() << "nothing was raised";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), code) << e.what();
  }
}

void ExpectNear(Point a, Point b, double eps) {
  EXPECT_LE(geom::Distance(a, b), eps) << "(" << a.h << ", " << a.v << ") vs (" << b.h << ", " << b.v << ")";
}

void ExpectSameControls(const Bezier& a, const Bezier& b) {
  for (int i = 0; i < 4; ++i) EXPECT_EQ(a.P(i), b.P(i)) << "control point " << i;
}

using PathModelTest = HostDocumentTest;

// ---- pieces ----------------------------------------------------------------------------------

TEST_F(PathModelTest, CountPiecesOfOpenClosedAndOneAnchorPaths) {
  struct Case {
    const char* name;
    SegmentList segments;
    bool closed;
    int pieces;
  };
  const geom::Segment lone{{50, 50}, {40, 60}, {60, 60}, false};
  const Case cases[] = {
      {"open, four anchors", FourAnchorPath(), false, 3},
      {"closed, four anchors", FourAnchorPath(), true, 4},
      {"closed, one anchor", {lone}, true, 1},
      {"open, one anchor", {lone}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(hp::CountPieces(suites(), AddPath(c.segments, c.closed)), c.pieces);
  }
  ExpectHostError([&] { hp::CountPieces(suites(), AddGroup()); }, kBadParameterErr);
  ExpectHostError([&] { hp::CountPieces(suites(), nullptr); }, kBadParameterErr);
}

TEST_F(PathModelTest, GetPieceReadsTwoSegmentsOnceOrTheClosingPairTwice) {
  const SegmentList s = FourAnchorPath();
  const AIArtHandle art = AddPath(s, true);
  const auto reads = [&] { return host_.faults().CallCount(kAIPathSuite, "GetPathSegments"); };

  int before = reads();
  ExpectSameControls(hp::GetPiece(suites(), art, 1), Bezier(s[1].p, s[1].out, s[2].in, s[2].p));
  EXPECT_EQ(reads() - before, 1);

  before = reads();
  ExpectSameControls(hp::GetPiece(suites(), art, 3), Bezier(s[3].p, s[3].out, s[0].in, s[0].p));
  EXPECT_EQ(reads() - before, 2);

  for (int outside : {-1, 4}) ExpectHostError([&] { hp::GetPiece(suites(), art, outside); }, kBadParameterErr);
  ExpectHostError([&] { hp::GetPiece(suites(), AddPath(s, false), 3); }, kBadParameterErr);
}

TEST_F(PathModelTest, HostErrorsArriveWithTheHostsCode) {
  const AIArtHandle art = AddPath(FourAnchorPath(), false);
  host_.faults().Fail(kAIPathSuite, "GetPathSegments", kInjected);
  ExpectHostError([&] { hp::GetPiece(suites(), art, 0); }, kInjected);
  ExpectHostError([&] { hp::ReadSegments(suites(), art); }, kInjected);
}

// ---- reading and writing segments -----------------------------------------------------------

TEST_F(PathModelTest, ReadSegmentsCopiesThePathUnchanged) {
  // Coordinates that single precision cannot hold must come back exactly.
  SegmentList s = FourAnchorPath();
  s[2].p = {300.1234567890123, 99.98765432101};
  s[2].corner = true;
  const AIArtHandle art = AddPath(s, false);
  EXPECT_EQ(hp::ReadSegments(suites(), art), s);
  EXPECT_EQ(hp::ReadSegment(suites(), art, 2), s[2]);
  EXPECT_EQ(hp::ReadSegments(suites(), art, 1, 2), SegmentList(s.begin() + 1, s.begin() + 3));
  EXPECT_TRUE(hp::ReadSegments(suites(), art, 0, 0).empty());
}

TEST_F(PathModelTest, WriteSegmentsReplacesTheSegmentsAndKeepsTheClosedFlag) {
  const SegmentList four = FourAnchorPath();
  const SegmentList two(four.begin(), four.begin() + 2);
  const AIArtHandle art = AddPath(two, true);

  hp::WriteSegments(suites(), art, four);
  EXPECT_EQ(SegmentsOf(art), four);
  EXPECT_TRUE(ArtOf(art).closed);

  hp::WriteSegments(suites(), art, two);
  EXPECT_EQ(SegmentsOf(art), two);
  EXPECT_TRUE(ArtOf(art).closed);
}

TEST_F(PathModelTest, WritingAnEmptyListIsRefusedAndLeavesThePathAlone) {
  const AIArtHandle art = AddPath(FourAnchorPath(), false);
  const host::model::Document before = doc();
  ExpectHostError([&] { hp::WriteSegments(suites(), art, {}); }, kBadParameterErr);
  EXPECT_TRUE(doc() == before);
}

TEST_F(PathModelTest, SelectedAnchorQueries) {
  struct Case {
    const char* name;
    std::array<int16_t, 4> states;
    int count;
    bool first, last;
  };
  const Case cases[] = {
      {"ends selected", {kSegmentPointSelected, 0, kSegmentInSelected, kSegmentPointSelected}, 2, true, true},
      {"handles only at the ends",
       {kSegmentOutSelected, kSegmentPointSelected, kSegmentPointSelected, kSegmentInAndOutSelected}, 2, false, false},
      {"nothing", {0, 0, 0, 0}, 0, false, false},
  };
  const AIArtHandle art = AddPath(FourAnchorPath(), false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::size_t i = 0; i < 4; ++i) ArtOf(art).segments[i].selection = c.states[i];
    EXPECT_EQ(hp::SelectedAnchorCount(suites(), art), c.count);
    EXPECT_EQ(hp::FirstAnchorSelected(suites(), art), c.first);
    EXPECT_EQ(hp::LastAnchorSelected(suites(), art), c.last);
  }
  const AIArtHandle group = AddGroup();
  ExpectHostError([&] { hp::SelectedAnchorCount(suites(), group); }, kBadParameterErr);
  ExpectHostError([&] { hp::FirstAnchorSelected(suites(), group); }, kBadParameterErr);
  ExpectHostError([&] { hp::LastAnchorSelected(suites(), group); }, kBadParameterErr);
}

// ---- picks ------------------------------------------------------------------------------------

TEST_F(PathModelTest, PickToPieceRefAgreesWithTheHostsHitNumbering) {
  struct Case {
    const char* name;
    bool closed;
    int anchor;   // >= 0: pick this anchor
    int piece;    // otherwise: pick the middle of this piece
    PieceRef expected;
  };
  const Case cases[] = {
      {"open, first anchor", false, 0, -1, {0, 0}},
      {"open, inner anchor", false, 2, -1, {2, 0}},
      {"open, last anchor ends the last piece", false, 3, -1, {2, 1}},
      {"open, first piece", false, -1, 0, {0, 0.5}},
      {"open, last piece", false, -1, 2, {2, 0.5}},
      {"closed, first anchor", true, 0, -1, {0, 0}},
      {"closed, last anchor ends the piece before the closing one", true, 3, -1, {2, 1}},
      {"closed, first piece", true, -1, 0, {0, 0.5}},
      {"closed, closing piece", true, -1, 3, {3, 0.5}},
  };
  const SegmentList s = FourAnchorPath();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host_.NewDocument();
    const AIArtHandle art = AddPath(s, c.closed);
    const Point at = c.anchor >= 0 ? s[static_cast<std::size_t>(c.anchor)].p
                                   : geom::PieceOf(s, c.piece).At(0.5);
    const hp::PathPick pick = hp::HitTestPaths(suites(), at);
    ASSERT_TRUE(pick.valid);
    EXPECT_EQ(pick.art, art);
    EXPECT_EQ(pick.partType, c.anchor >= 0 ? kSegmentPart : kCurvePart);

    const PieceRef ref = hp::PickToPieceRef(suites(), pick);
    EXPECT_EQ(ref.piece, c.expected.piece);
    EXPECT_NEAR(ref.t, c.expected.t, 1e-6);
    // The position the plug-in names is the point the host hit.
    ExpectNear(hp::GetPiece(suites(), art, ref.piece).At(ref.t), pick.hitPoint, 1e-6);
  }
}

TEST_F(PathModelTest, TheAnchorOfAOneAnchorClosedPathEndsItsOnePiece) {
  const AIArtHandle art = AddPath({{{50, 50}, {20, 90}, {80, 90}, false}}, true);
  const hp::PathPick pick = hp::HitTestPaths(suites(), {50, 50});
  ASSERT_TRUE(pick.valid);
  ASSERT_EQ(pick.art, art);
  EXPECT_EQ(hp::PickToPieceRef(suites(), pick), (PieceRef{0, 1}));
}

TEST_F(PathModelTest, PickToPieceRefRefusesWhatIsNotAPathPosition) {
  const AIArtHandle open1 = AddPath({{{50, 50}, {50, 50}, {50, 50}, true}}, false);
  const AIArtHandle path = AddPath(FourAnchorPath(), false);
  struct Case {
    const char* name;
    hp::PathPick pick;
  };
  const Case cases[] = {
      {"invalid pick", {false, kSegmentPart, 0, path, {}, 0}},
      {"handle part", {true, kInHandlePart, 1, path, {}, 0}},
      {"fill part", {true, kFillPart, 1, path, {}, 0}},
      {"segment beyond the path", {true, kSegmentPart, 4, path, {}, 0}},
      {"one-anchor open path", {true, kSegmentPart, 0, open1, {}, 0}},
      {"not a path", {true, kSegmentPart, 0, AddGroup(), {}, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectHostError([&] { hp::PickToPieceRef(suites(), c.pick); }, kBadParameterErr);
    EXPECT_FALSE(hp::PickFrame(suites(), c.pick).has_value());
  }
}

TEST_F(PathModelTest, HitTestPathsReleasesEveryHitReference) {
  const SegmentList s = FourAnchorPath();
  AddPath(s, false);
  EXPECT_FALSE(hp::HitTestPaths(suites(), {500, 600}).valid);
  EXPECT_EQ(host_.LiveHitRefs(), 0);
  EXPECT_TRUE(hp::HitTestPaths(suites(), s[1].p).valid);
  EXPECT_EQ(host_.LiveHitRefs(), 0);

  for (const char* failing : {"IsHit", "GetHitData"}) {
    SCOPED_TRACE(failing);
    host_.faults().Fail(kAIHitTestSuite, failing, kInjected);
    ExpectHostError([&] { hp::HitTestPaths(suites(), s[1].p); }, kInjected);
    EXPECT_EQ(host_.LiveHitRefs(), 0);
    host_.faults().Clear();
  }
  host_.faults().Fail(kAIHitTestSuite, "HitTest", kInjected);
  ExpectHostError([&] { hp::HitTestPaths(suites(), s[1].p); }, kInjected);
  EXPECT_EQ(host_.LiveHitRefs(), 0);
}

TEST_F(PathModelTest, ASecondPickMustLeaveTheEarlierArtAndSegment) {
  const SegmentList s = FourAnchorPath();
  const AIArtHandle first = AddPath(s, false);
  SegmentList shifted = s;
  for (geom::Segment& seg : shifted) {
    seg.p.v += 300, seg.in.v += 300, seg.out.v += 300;
  }
  const AIArtHandle second = AddPath(shifted, false);
  const hp::PathPick earlier = hp::HitTestPaths(suites(), geom::PieceOf(s, 1).At(0.5));
  ASSERT_TRUE(earlier.valid);
  ASSERT_EQ(earlier.art, first);

  struct Case {
    const char* name;
    Point at;
    bool valid;
  };
  const Case cases[] = {
      {"same art, same segment", geom::PieceOf(s, 1).At(0.3), false},
      {"same art, another segment", geom::PieceOf(s, 2).At(0.5), true},
      {"another art, same segment index", geom::PieceOf(shifted, 1).At(0.5), true},
      {"nothing", {500, 300}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(hp::HitTestPaths(suites(), c.at, earlier).valid, c.valid);
  }
  EXPECT_EQ(hp::HitTestPaths(suites(), geom::PieceOf(shifted, 1).At(0.5), earlier).art, second);
  // Without an earlier pick nothing is rejected.
  EXPECT_TRUE(hp::HitTestPaths(suites(), geom::PieceOf(s, 1).At(0.3), hp::PathPick{}).valid);
  EXPECT_EQ(host_.LiveHitRefs(), 0);
}

TEST_F(PathModelTest, PickFrameGivesThePointAndUnitTangentAndNormal) {
  const SegmentList s = FourAnchorPath();
  AddPath(s, true);
  const Bezier closing = geom::PieceOf(s, 3);
  const hp::PathPick pick = hp::HitTestPaths(suites(), closing.At(0.5));
  const std::optional<hp::PathFrame> frame = hp::PickFrame(suites(), pick);
  ASSERT_TRUE(frame.has_value());
  ExpectNear(frame->point, closing.At(0.5), 1e-6);
  EXPECT_NEAR(geom::Length(frame->tangent), 1, 1e-12);
  EXPECT_NEAR(geom::Cross(frame->tangent, closing.Derivative(0.5)), 0, 1e-9);
  EXPECT_GT(geom::Dot(frame->tangent, closing.Derivative(0.5)), 0);
  EXPECT_EQ(frame->normal, geom::TurnLeft(frame->tangent));

  EXPECT_FALSE(hp::PickFrame(suites(), hp::PathPick{}).has_value());
}

TEST_F(PathModelTest, PickFrameIsNotOkWhereTheTangentVanishes) {
  // A straight piece with retracted handles has B'(0) = 0: an anchor pick at its start.
  AddPath({{{100, 300}, {100, 300}, {100, 300}, true}, {{200, 300}, {200, 300}, {200, 300}, true}}, false);
  const hp::PathPick pick = hp::HitTestPaths(suites(), {100, 300});
  ASSERT_TRUE(pick.valid);
  EXPECT_EQ(hp::PickToPieceRef(suites(), pick), (PieceRef{0, 0}));
  EXPECT_FALSE(hp::PickFrame(suites(), pick).has_value());
  // Its middle has a tangent.
  EXPECT_TRUE(hp::PickFrame(suites(), hp::HitTestPaths(suites(), {150, 300})).has_value());
}

// ---- the host as a piece source ---------------------------------------------------------------

TEST_F(PathModelTest, ArtPieceSourceFindsTheSameTangentCircleAsAnInMemoryPath) {
  const SegmentList curve = FourAnchorPath();
  const SegmentList line = {{{80, 220}, {80, 220}, {80, 220}, true}, {{330, 220}, {330, 220}, {330, 220}, true}};
  const AIArtHandle curveArt = AddPath(curve, true);
  const AIArtHandle lineArt = AddPath(line, false);
  const hp::ArtPieceSource hostCurve(suites(), curveArt), hostLine(suites(), lineArt);
  const geom::InMemoryPath memCurve(curve, true), memLine(line, false);

  struct Case {
    const char* name;
    PieceRef pick1, pick2;
    bool samePath;
    double r;
    Point guess;
  };
  const Case cases[] = {
      {"curve and line", {0, 0.5}, {0, 0.4}, false, 40, {150, 185}},
      {"two segments of one path", {0, 0.5}, {2, 0.5}, true, 30, {240, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const geom::PieceSource& host2 = c.samePath ? static_cast<const geom::PieceSource&>(hostCurve) : hostLine;
    const geom::PieceSource& mem2 = c.samePath ? static_cast<const geom::PieceSource&>(memCurve) : memLine;
    geom::TangentCircle fromHost, fromMemory;
    const bool foundHost = geom::FindTangentCircle(hostCurve, c.pick1, host2, c.pick2, c.r, c.guess, fromHost);
    const bool foundMemory = geom::FindTangentCircle(memCurve, c.pick1, mem2, c.pick2, c.r, c.guess, fromMemory);
    ASSERT_TRUE(foundMemory);
    ASSERT_EQ(foundHost, foundMemory);
    EXPECT_EQ(fromHost.art1, curveArt);
    EXPECT_EQ(fromHost.art2, c.samePath ? curveArt : lineArt);
    EXPECT_EQ(fromHost.piece1, fromMemory.piece1);
    EXPECT_EQ(fromHost.piece2, fromMemory.piece2);
    EXPECT_EQ(fromHost.t1, fromMemory.t1);
    EXPECT_EQ(fromHost.t2, fromMemory.t2);
    EXPECT_EQ(fromHost.centre, fromMemory.centre);
  }
}

TEST_F(PathModelTest, ArtPieceSourceReadsThePathAsItIsNow) {
  SegmentList s = FourAnchorPath();
  const AIArtHandle art = AddPath(s, false);
  const hp::ArtPieceSource source(suites(), art);
  EXPECT_EQ(source.CountPieces(), 3);
  ExpectSameControls(source.GetPiece(0), geom::PieceOf(s, 0));

  s[1].p = {205, 155};
  ArtOf(art).segments[1].p = {205, 155};
  ArtOf(art).closed = true;
  EXPECT_EQ(source.CountPieces(), 4);
  ExpectSameControls(source.GetPiece(0), geom::PieceOf(s, 0));
  EXPECT_EQ(source.Identity(), static_cast<const void*>(art));
}

}  // namespace
}  // namespace plugin_test
