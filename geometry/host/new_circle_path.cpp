#include "geometry/host/new_circle_path.h"

#include <optional>

#include "geometry/host/new_path_art.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

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
  const AIArtHandle art = NewShapedPathArt(suites, circle, true);
  if (art) SelectAlone(suites, art, deselectOthers);
  return art;
}

}  // namespace geom::hostpath
