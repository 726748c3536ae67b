// Adding a finished circle to the document, the way every circle tool does it.
#pragma once

#include <optional>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

// Where new art goes: the host's insertion point (the art it is placed relative to and how).
struct InsertionPoint {
  AIArtHandle prep = nullptr;
  int16_t paintOrder = 0;
};

// The insertion point when the host reports one and that place is editable (its layer
// visible and unlocked); nothing otherwise. Never raises: any failure means nothing.
std::optional<InsertionPoint> EditableInsertionPoint(ai::SuiteSet& suites);

// Creates a closed path with the given segments at the host's insertion point and returns it,
// fully selected and with its centre point visible; when deselectOthers is set everything else
// is deselected first. Returns null, creating nothing, when the insertion point is not editable
// (a locked or hidden layer): that is not an error.
// Any refusal by the host on the way to a complete path (the art suite, the insertion point, the
// new art, the path suite, the closed flag, the segment count or the segments) raises the host's
// code, and art already made is removed first: the document then holds either the whole circle
// or nothing of it. Selecting it afterwards is not checked: a refusal there leaves a complete,
// unselected circle.
// The segments are written as given (a circle builder has already rounded them). The path
// takes whatever paint the host gives new art. Raises PARM, before anything is created, for an
// empty list or one longer than a host path can be.
AIArtHandle NewCirclePath(ai::SuiteSet& suites, const SegmentList& circle, bool deselectOthers);

}  // namespace geom::hostpath
