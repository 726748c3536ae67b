// Selection of art, derived from where it is really kept.
//
// A path keeps its selection per segment (the sdk's kSegment...Selected
// states), so a path never disagrees with its anchors:
//   selected        some segment is in a state other than not-selected
//   fully selected  it has segments and every anchor is point-selected
// A group or compound path is selected when a member is, and fully selected
// when it has members and all of them are fully selected.  Placed and raster
// art keep one flag, which answers both questions.  Consequently an empty path
// or an empty group is never selected.
#pragma once

#include <vector>

#include "host/model/Document.h"

namespace host::model {

bool IsSelected(const Document& doc, ArtId id);
bool IsFullySelected(const Document& doc, ArtId id);
// Selecting a path point-selects all its anchors, deselecting clears every
// segment; containers pass it on to all their members.
void SetSelected(Document& doc, ArtId id, bool on);
void DeselectAll(Document& doc);
// The topmost selected objects, front to back: a fully selected group or
// compound path is listed instead of its members; layer groups are never
// listed themselves.
std::vector<ArtId> SelectedArt(const Document& doc);

}  // namespace host::model
