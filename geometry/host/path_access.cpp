#include "geometry/host/path_access.h"

#include <limits>

#include "geometry/host/host_point.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

bool AnchorSelected(ai::SuiteSet& suites, AIArtHandle art, int16_t index) {
  int16_t state = kSegmentNotSelected;
  ai::Check(suites.Path().GetPathSegmentSelected(art, index, &state));
  return state == kSegmentPointSelected;
}

}  // namespace

Segment FromHost(const AIPathSegment& s) { return {FromHost(s.p), FromHost(s.in), FromHost(s.out), s.corner != 0}; }

AIPathSegment ToHost(const Segment& s) {
  return {ToHost(s.p), ToHost(s.in), ToHost(s.out), static_cast<AIBoolean>(s.corner)};
}

void RequirePath(ai::SuiteSet& suites, AIArtHandle art) {
  if (!art) ai::ThrowBadParameter();
  int16_t type = kUnknownArt;
  ai::Check(suites.Art().GetArtType(art, &type));
  if (type != kPathArt) ai::ThrowBadParameter();
}

int16_t SegmentCount(ai::SuiteSet& suites, AIArtHandle art) {
  int16_t count = 0;
  ai::Check(suites.Path().GetPathSegmentCount(art, &count));
  return count;
}

int16_t PathSegmentCount(ai::SuiteSet& suites, AIArtHandle art) {
  RequirePath(suites, art);
  return SegmentCount(suites, art);
}

bool PathClosed(ai::SuiteSet& suites, AIArtHandle art) {
  AIBoolean closed = false;
  ai::Check(suites.Path().GetPathClosed(art, &closed));
  return closed != 0;
}

int CountPieces(ai::SuiteSet& suites, AIArtHandle art) {
  const int16_t count = PathSegmentCount(suites, art);
  return geom::CountPieces(count, PathClosed(suites, art));
}

Bezier GetPiece(ai::SuiteSet& suites, AIArtHandle art, int i) {
  const int16_t count = PathSegmentCount(suites, art);
  if (i < 0 || i >= geom::CountPieces(count, PathClosed(suites, art))) ai::ThrowBadParameter();
  const auto index = static_cast<int16_t>(i);
  AIPathSegment ends[2];
  if (i < count - 1) {
    ai::Check(suites.Path().GetPathSegments(art, index, 2, ends));
  } else {
    ai::Check(suites.Path().GetPathSegments(art, index, 1, &ends[0]));
    ai::Check(suites.Path().GetPathSegments(art, 0, 1, &ends[1]));
  }
  return Bezier(FromHost(ends[0].p), FromHost(ends[0].out), FromHost(ends[1].in), FromHost(ends[1].p));
}

Segment ReadSegment(ai::SuiteSet& suites, AIArtHandle art, int16_t index) {
  AIPathSegment s{};
  ai::Check(suites.Path().GetPathSegments(art, index, 1, &s));
  return FromHost(s);
}

SegmentList ReadSegments(ai::SuiteSet& suites, AIArtHandle art, int16_t first, int16_t count) {
  if (count < 0) ai::ThrowBadParameter();
  std::vector<AIPathSegment> raw(static_cast<std::size_t>(count));
  if (count > 0) ai::Check(suites.Path().GetPathSegments(art, first, count, raw.data()));
  SegmentList list;
  list.reserve(raw.size());
  for (const AIPathSegment& s : raw) list.push_back(FromHost(s));
  return list;
}

SegmentList ReadSegments(ai::SuiteSet& suites, AIArtHandle art) {
  return ReadSegments(suites, art, 0, SegmentCount(suites, art));
}

void WriteSegments(ai::SuiteSet& suites, AIArtHandle art, const SegmentList& segments) {
  if (segments.empty() || segments.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max()))
    ai::ThrowBadParameter();
  std::vector<AIPathSegment> raw;
  raw.reserve(segments.size());
  for (const Segment& s : segments) raw.push_back(ToHost(s));
  const auto count = static_cast<int16_t>(raw.size());
  const AIPathSuite& path = suites.Path();
  ai::Check(path.SetPathSegmentCount(art, count));
  ai::Check(path.SetPathSegments(art, 0, count, raw.data()));
}

int SelectedAnchorCount(ai::SuiteSet& suites, AIArtHandle art) {
  const int16_t count = PathSegmentCount(suites, art);
  int selected = 0;
  for (int16_t i = 0; i < count; ++i) selected += AnchorSelected(suites, art, i) ? 1 : 0;
  return selected;
}

bool FirstAnchorSelected(ai::SuiteSet& suites, AIArtHandle art) {
  return PathSegmentCount(suites, art) > 0 && AnchorSelected(suites, art, 0);
}

bool LastAnchorSelected(ai::SuiteSet& suites, AIArtHandle art) {
  const int16_t count = PathSegmentCount(suites, art);
  return count > 0 && AnchorSelected(suites, art, static_cast<int16_t>(count - 1));
}

}  // namespace geom::hostpath
