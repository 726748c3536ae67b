// Adding a finished circle to the document, the way every circle tool does it.
#pragma once

#include "geometry/segment_list.h"
#include "plugin/SuiteSet.h"

namespace geom::hostpath {

// Whether new art can be created now: the host reports an insertion point and that place is
// editable (its layer visible and unlocked). The tools' guard before a gesture that will
// create art. Never raises: any failure means no.
bool CanCreateArt(ai::SuiteSet& suites);

// Creates a closed path with the given segments at the host's insertion point and returns it,
// fully selected and with its centre point visible; when deselectOthers is set everything else
// is deselected first. Returns null, creating nothing, when the insertion point cannot be
// obtained or is not editable, or when the host refuses the new art: that is not an error.
// The segments are written as given (a circle builder has already rounded them). The path
// takes whatever paint the host gives new art.
// Once the art exists, the steps that shape and select it are not checked: a refusal leaves
// the art as far as it got. Raises PARM, before anything is created, for an empty list or one
// longer than a host path can be, which would otherwise leave an empty path in the document.
AIArtHandle NewCirclePath(ai::SuiteSet& suites, const SegmentList& circle, bool deselectOthers);

}  // namespace geom::hostpath
