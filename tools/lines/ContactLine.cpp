#include "tools/lines/ContactLine.h"

#include <algorithm>

#include "geometry/host/new_path_art.h"
#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace Tools {

GestureEdits::~GestureEdits() {
  if (committed_) return;
  for (auto it = before_.rbegin(); it != before_.rend(); ++it) it->RestoreQuietly(suites_);
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) geom::hostpath::DisposeArtQuietly(suites_, *it);
}

void GestureEdits::WillRewrite(AIArtHandle path) {
  if (std::any_of(before_.begin(), before_.end(), [&](const auto& kept) { return kept.art() == path; })) return;
  before_.push_back(geom::hostpath::PathSnapshot::Take(suites_, path));
}

AIArtHandle NewTwoAnchorLine(ai::SuiteSet& suites, int16_t paintOrder, AIArtHandle prep, geom::Point a, geom::Point b,
                             GestureEdits& edits) {
  AIArtHandle line = nullptr;
  ai::Check(suites.Art().NewArt(kPathArt, paintOrder, prep, &line));
  if (!line) ai::ThrowBadParameter();
  edits.Created(line);
  geom::hostpath::WriteSegments(suites, line, {geom::Segment{a, a, a, true}, geom::Segment{b, b, b, true}});
  return line;
}

void SelectOnly(ai::SuiteSet& suites, AIArtHandle art) {
  ai::Check(suites.MatchingArt().DeselectAll());
  ai::Check(suites.Art().SetArtUserAttr(art, kArtSelected, kArtSelected));
}

}  // namespace Tools
