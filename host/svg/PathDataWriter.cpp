#include "host/svg/PathDataWriter.h"

#include "host/svg/Outline.h"
#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

void AppendPoint(std::string& d, model::Point p) {
  const SvgPoint s = ToSvg(p);
  d += ' ';
  AppendNumber(d, s.h);
  d += ' ';
  AppendNumber(d, s.v);
}

bool IsStraight(const model::Segment& from, const model::Segment& to) { return from.out == from.p && to.in == to.p; }

void AppendPiece(std::string& d, const model::Segment& from, const model::Segment& to) {
  if (IsStraight(from, to)) {
    d += " L";
  } else {
    d += " C";
    AppendPoint(d, from.out);
    AppendPoint(d, to.in);
  }
  AppendPoint(d, to.p);
}

}  // namespace

void AppendSubpathData(std::string& d, const std::vector<model::Segment>& segments, bool closed) {
  if (segments.empty()) return;
  if (!d.empty()) d += ' ';
  d += 'M';
  AppendPoint(d, segments.front().p);
  for (std::size_t i = 1; i < segments.size(); ++i) AppendPiece(d, segments[i - 1], segments[i]);
  if (!closed) return;
  const model::Segment& last = segments.back();
  const model::Segment& first = segments.front();
  if (!IsStraight(last, first) || last.p == first.p) AppendPiece(d, last, first);
  d += " Z";
}

}  // namespace host::svg
