#include "geometry/host/new_circle_path.h"

#include <limits>
#include <optional>
#include <vector>

#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

// The shaping and selecting steps after the art exists: their results are deliberately not
// checked, so a suite the host cannot provide just skips its step.
void ShapeAsClosedPath(ai::SuiteSet& suites, AIArtHandle art, const SegmentList& circle) {
  if (!suites.TryAcquire(ai::SuiteSet::Suite::Path)) return;
  std::vector<AIPathSegment> raw;
  raw.reserve(circle.size());
  for (const Segment& s : circle) raw.push_back(ToHost(s));
  const auto count = static_cast<int16_t>(raw.size());
  const AIPathSuite& path = suites.Path();
  path.SetPathClosed(art, true);
  path.SetPathSegmentCount(art, count);
  path.SetPathSegments(art, 0, count, raw.data());
}

void SelectAlone(ai::SuiteSet& suites, AIArtHandle art, bool deselectOthers) {
  if (deselectOthers && suites.TryAcquire(ai::SuiteSet::Suite::MatchingArt)) suites.MatchingArt().DeselectAll();
  suites.Art().SetArtUserAttr(art, kArtFullySelected, kArtFullySelected);
  suites.Art().SetArtCenterPointVisible(art, true);
}

}  // namespace

std::optional<InsertionPoint> EditableInsertionPoint(ai::SuiteSet& suites) {
  if (!suites.TryAcquire(ai::SuiteSet::Suite::Art)) return std::nullopt;
  InsertionPoint at;
  AIBoolean editable = false;
  if (suites.Art().GetInsertionPoint(&at.prep, &at.paintOrder, &editable) != kNoErr || !editable)
    return std::nullopt;
  return at;
}

AIArtHandle NewCirclePath(ai::SuiteSet& suites, const SegmentList& circle, bool deselectOthers) {
  if (circle.empty() || circle.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max()))
    ai::ThrowBadParameter();
  const std::optional<InsertionPoint> at = EditableInsertionPoint(suites);
  if (!at) return nullptr;
  AIArtHandle art = nullptr;
  if (suites.Art().NewArt(kPathArt, at->paintOrder, at->prep, &art) != kNoErr || !art) return nullptr;
  ShapeAsClosedPath(suites, art, circle);
  SelectAlone(suites, art, deselectOthers);
  return art;
}

}  // namespace geom::hostpath
