// New path art made by a gesture, all or nothing: either the finished path
// stands in the document, selected alone, or nothing of it does.
#pragma once

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

// Creates a path with the given segments at the host's insertion point, open or closed, and
// makes it the only selected art. Returns null, creating nothing, when the insertion point is
// not editable. Every host call is checked: when one fails after the art exists, the art is
// disposed of again and the host's error propagates, so no half-made path
// stays behind (art that was selected before may have been deselected by then). The segments
// are written as given; the path takes whatever paint the host gives new art. Raises PARM,
// before anything is created, for an empty list or one longer than a host path can be.
AIArtHandle NewPathArt(ai::SuiteSet& suites, const SegmentList& segments, bool closed);

// The part of NewPathArt that every way of making a path shares: the path at the host's
// insertion point with the given segments and closed flag, the selection left alone. Null,
// creating nothing, when the insertion point is not editable; when a host call fails after
// the art exists, the art is disposed of again and the host's error propagates. Raises PARM,
// before anything is created, for an empty list or one longer than a host path can be.
AIArtHandle NewShapedPathArt(ai::SuiteSet& suites, const SegmentList& segments, bool closed);

// Disposes of art made earlier in the same gesture, on a way out that already carries an
// error: a refusal here is ignored so that the first error is the one reported.
void DisposeArtQuietly(ai::SuiteSet& suites, AIArtHandle art) noexcept;

}  // namespace geom::hostpath
