// "AI Path Suite": the segments, closed flag and segment selection of paths.
#include <algorithm>
#include <limits>
#include <vector>

#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

using model::ArtType;
using model::Segment;

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIPathSuite, function, std::forward<Body>(body));
}

// Segment counts travel as 16-bit numbers.
constexpr std::size_t kMaxSegments = std::numeric_limits<int16_t>::max();

std::vector<Segment>& SegmentsOf(AIArtHandle path) { return ArtOf(path, ArtType::Path).segments; }
const std::vector<Segment>& SeenSegmentsOf(AIArtHandle path) { return SeenArt(path, ArtType::Path).segments; }

// first .. first + count - 1 must lie in 0 .. size - 1.
void RequireRange(const std::vector<Segment>& segments, int16_t first, int16_t count) {
  if (first < 0 || count < 0 || static_cast<std::size_t>(first) + static_cast<std::size_t>(count) > segments.size())
    Fail(kIndexRangeErr, "segments " + std::to_string(first) + "+" + std::to_string(count) + " of " +
                             std::to_string(segments.size()));
}

// Records from the plug-in; non-finite coordinates would poison bounds, hit
// tests and saved files, so they are refused before anything changes.
std::vector<Segment> Incoming(const AIPathSegment* records, int16_t count, int16_t selection) {
  if (count > 0 && !records) Fail(kBadParameterErr, "segments is null");
  std::vector<Segment> out;
  out.reserve(static_cast<std::size_t>(std::max<int16_t>(count, 0)));
  for (int16_t i = 0; i < count; ++i) {
    const Segment s = model::FromSdk(records[i], selection);
    if (!IsFinite(s.p) || !IsFinite(s.in) || !IsFinite(s.out))
      Fail(kBadParameterErr, "segment " + std::to_string(i) + " has a non-finite coordinate");
    out.push_back(s);
  }
  return out;
}

AIErr AIAPI GetPathSegmentCount(AIArtHandle path, int16_t* count) {
  return Call("GetPathSegmentCount", [&] {
    Ref(count, "count") = static_cast<int16_t>(SeenSegmentsOf(path).size());
    return kNoErr;
  });
}

// New segments copy the last one's geometry but start unselected: selection
// records what the user picked, and nobody picked these.
AIErr AIAPI SetPathSegmentCount(AIArtHandle path, int16_t count) {
  return Call("SetPathSegmentCount", [&] {
    std::vector<Segment>& segments = SegmentsOf(path);
    if (count < 0) Fail(kBadParameterErr, "negative segment count");
    Segment filler = segments.empty() ? Segment{} : segments.back();
    filler.selection = kSegmentNotSelected;
    segments.resize(static_cast<std::size_t>(count), filler);
    return kNoErr;
  });
}

AIErr AIAPI GetPathSegments(AIArtHandle path, int16_t first, int16_t count, AIPathSegment* out) {
  return Call("GetPathSegments", [&] {
    const std::vector<Segment>& segments = SeenSegmentsOf(path);
    RequireRange(segments, first, count);
    if (count > 0 && !out) Fail(kBadParameterErr, "segments is null");
    for (int16_t i = 0; i < count; ++i) out[i] = model::ToSdk(segments[static_cast<std::size_t>(first + i)]);
    return kNoErr;
  });
}

// Rewriting a segment keeps its selection state.
AIErr AIAPI SetPathSegments(AIArtHandle path, int16_t first, int16_t count, const AIPathSegment* in) {
  return Call("SetPathSegments", [&] {
    std::vector<Segment>& segments = SegmentsOf(path);
    RequireRange(segments, first, count);
    const std::vector<Segment> incoming = Incoming(in, count, kSegmentNotSelected);
    for (int16_t i = 0; i < count; ++i) {
      Segment& target = segments[static_cast<std::size_t>(first + i)];
      const int16_t selection = target.selection;
      target = incoming[static_cast<std::size_t>(i)];
      target.selection = selection;
    }
    return kNoErr;
  });
}

AIErr AIAPI InsertPathSegments(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* in) {
  return Call("InsertPathSegments", [&] {
    std::vector<Segment>& segments = SegmentsOf(path);
    if (index < 0 || static_cast<std::size_t>(index) > segments.size())
      Fail(kIndexRangeErr, "insert at " + std::to_string(index) + " of " + std::to_string(segments.size()));
    if (count < 0 || segments.size() + static_cast<std::size_t>(count) > kMaxSegments)
      Fail(kBadParameterErr, "cannot insert " + std::to_string(count) + " segments");
    const std::vector<Segment> incoming = Incoming(in, count, kSegmentNotSelected);
    segments.insert(segments.begin() + index, incoming.begin(), incoming.end());
    return kNoErr;
  });
}

AIErr AIAPI DeletePathSegments(AIArtHandle path, int16_t index, int16_t count) {
  return Call("DeletePathSegments", [&] {
    std::vector<Segment>& segments = SegmentsOf(path);
    RequireRange(segments, index, count);
    segments.erase(segments.begin() + index, segments.begin() + index + count);
    return kNoErr;
  });
}

AIErr AIAPI GetPathClosed(AIArtHandle path, AIBoolean* closed) {
  return Call("GetPathClosed", [&] {
    Ref(closed, "closed") = Flag(SeenArt(path, ArtType::Path).closed);
    return kNoErr;
  });
}

AIErr AIAPI SetPathClosed(AIArtHandle path, AIBoolean closed) {
  return Call("SetPathClosed", [&] {
    ArtOf(path, ArtType::Path).closed = closed != 0;
    return kNoErr;
  });
}

AIErr AIAPI GetPathSegmentSelected(AIArtHandle path, int16_t index, int16_t* selected) {
  return Call("GetPathSegmentSelected", [&] {
    int16_t& out = Ref(selected, "selected");
    const std::vector<Segment>& segments = SeenSegmentsOf(path);
    RequireRange(segments, index, 1);
    out = segments[static_cast<std::size_t>(index)].selection;
    return kNoErr;
  });
}

AIErr AIAPI SetPathSegmentSelected(AIArtHandle path, int16_t index, int16_t selected) {
  return Call("SetPathSegmentSelected", [&] {
    std::vector<Segment>& segments = SegmentsOf(path);
    RequireRange(segments, index, 1);
    if (selected < kSegmentNotSelected || selected > kSegmentInAndOutSelected)
      Fail(kBadParameterErr, "unknown segment selection state " + std::to_string(selected));
    segments[static_cast<std::size_t>(index)].selection = selected;
    return kNoErr;
  });
}

const AIPathSuite kTable = {
    GetPathSegmentCount, SetPathSegmentCount,   GetPathSegments,       SetPathSegments,
    InsertPathSegments,  DeletePathSegments,    GetPathClosed,         SetPathClosed,
    GetPathSegmentSelected, SetPathSegmentSelected,
};

}  // namespace

const AIPathSuite& PathSuite() { return kTable; }

}  // namespace host::suites
