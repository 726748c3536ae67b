#include "geometry/host/new_circle_path.h"

#include <limits>
#include <optional>
#include <vector>

#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

// Writes the circle into the new art; raises the host's code when any step is refused (the
// caller then removes the art, so no half-made path stays behind).
void ShapeAsClosedPath(ai::SuiteSet& suites, AIArtHandle art, const SegmentList& circle) {
  std::vector<AIPathSegment> raw;
  raw.reserve(circle.size());
  for (const Segment& s : circle) raw.push_back(ToHost(s));
  const auto count = static_cast<int16_t>(raw.size());
  const AIPathSuite& path = suites.Path();
  ai::Check(path.SetPathClosed(art, true));
  ai::Check(path.SetPathSegmentCount(art, count));
  ai::Check(path.SetPathSegments(art, 0, count, raw.data()));
}

// Selecting is presentation, not content: a refusal leaves a complete circle that is merely
// not selected, so these results are deliberately not checked.
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
  const AIArtSuite& artSuite = suites.Art();
  InsertionPoint at;
  AIBoolean editable = false;
  ai::Check(artSuite.GetInsertionPoint(&at.prep, &at.paintOrder, &editable));
  if (!editable) return nullptr;
  AIArtHandle art = nullptr;
  ai::Check(artSuite.NewArt(kPathArt, at.paintOrder, at.prep, &art));
  if (!art) ai::ThrowBadParameter();
  try {
    ShapeAsClosedPath(suites, art, circle);
  } catch (...) {
    artSuite.DisposeArt(art);
    throw;
  }
  SelectAlone(suites, art, deselectOthers);
  return art;
}

}  // namespace geom::hostpath
