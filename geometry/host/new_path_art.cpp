#include "geometry/host/new_path_art.h"

#include <limits>

#include "geometry/host/new_circle_path.h"
#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

AIArtHandle NewShapedPathArt(ai::SuiteSet& suites, const SegmentList& segments, bool closed) {
  if (segments.empty() || segments.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max()))
    ai::ThrowBadParameter();
  InsertionPoint at;
  AIBoolean editable = false;
  ai::Check(suites.Art().GetInsertionPoint(&at.prep, &at.paintOrder, &editable));
  if (!editable) return nullptr;
  AIArtHandle art = nullptr;
  ai::Check(suites.Art().NewArt(kPathArt, at.paintOrder, at.prep, &art));
  if (!art) ai::ThrowBadParameter();
  try {
    WriteSegments(suites, art, segments);
    if (closed) ai::Check(suites.Path().SetPathClosed(art, true));
  } catch (...) {
    DisposeArtQuietly(suites, art);
    throw;
  }
  return art;
}

AIArtHandle NewPathArt(ai::SuiteSet& suites, const SegmentList& segments, bool closed) {
  const AIArtHandle art = NewShapedPathArt(suites, segments, closed);
  if (!art) return nullptr;
  try {
    // Selecting comes last: a failure before it leaves the old selection alone.
    ai::Check(suites.MatchingArt().DeselectAll());
    ai::Check(suites.Art().SetArtUserAttr(art, kArtSelected, kArtSelected));
  } catch (...) {
    DisposeArtQuietly(suites, art);
    throw;
  }
  return art;
}

void DisposeArtQuietly(ai::SuiteSet& suites, AIArtHandle art) noexcept {
  try {
    if (art && suites.TryAcquire(ai::SuiteSet::Suite::Art)) suites.Art().DisposeArt(art);
  } catch (...) {
    // Already on an error's way out.
  }
}

}  // namespace geom::hostpath
