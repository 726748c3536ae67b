// Reading and writing a document path through the host's path suite.
//
// A host path is an ordered list of segments plus a closed flag; piece i runs from segment i to
// segment i + 1, and the closing piece of a closed path from the last segment back to segment 0
// (segment_list.h). These functions read only what they are asked for: the numeric searches
// call GetPiece once per piece they look at, so a path is never copied whole to scan it.
//
// Every function takes the suite set of the current host call (or a local one) and raises
// ai::Error carrying the host's code when a host call fails, and ai::Error(kBadParameterErr)
// ('PARM') where its contract says so. Segments read from the host are copied unchanged;
// callers round what they compute (RoundToSingle) before it is written.
#pragma once

#include <cstdint>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

Segment FromHost(const AIPathSegment& s);
AIPathSegment ToHost(const Segment& s);

// PARM unless art is a path (art type kPathArt); a null art is PARM without asking the host.
void RequirePath(ai::SuiteSet& suites, AIArtHandle art);

// The host's segment count of the art, asked without checking the art type.
int16_t SegmentCount(ai::SuiteSet& suites, AIArtHandle art);
// The same after RequirePath.
int16_t PathSegmentCount(ai::SuiteSet& suites, AIArtHandle art);

bool PathClosed(ai::SuiteSet& suites, AIArtHandle art);

// Pieces of a path: the segment count when closed, one less when open (never negative).
// PARM unless art is a path.
int CountPieces(ai::SuiteSet& suites, AIArtHandle art);

// Piece i of a path. PARM unless 0 <= i < CountPieces. An inner piece is read with one host
// segment read (segments i and i + 1); the closing piece of a closed path with two (segment i,
// then segment 0).
Bezier GetPiece(ai::SuiteSet& suites, AIArtHandle art, int i);

// Segment `index`, or `count` segments from `first`, in one host read each (no read for
// count 0). The host checks the range.
Segment ReadSegment(ai::SuiteSet& suites, AIArtHandle art, int16_t index);
SegmentList ReadSegments(ai::SuiteSet& suites, AIArtHandle art, int16_t first, int16_t count);
// All segments of the art: the count, then one read from index 0.
SegmentList ReadSegments(ai::SuiteSet& suites, AIArtHandle art);

// Makes the path's segments those of the list: sets the segment count to the list size, then
// writes every segment from index 0 in one call. The closed flag is left as it is. PARM, with
// the path untouched, when the list is empty or longer than a host path can be (32767).
void WriteSegments(ai::SuiteSet& suites, AIArtHandle art, const SegmentList& segments);

// Anchor selection (segment selection state kSegmentPointSelected). Each raises PARM unless
// art is a path; a path without segments has no selected anchor.
int SelectedAnchorCount(ai::SuiteSet& suites, AIArtHandle art);
bool FirstAnchorSelected(ai::SuiteSet& suites, AIArtHandle art);
bool LastAnchorSelected(ai::SuiteSet& suites, AIArtHandle art);

}  // namespace geom::hostpath
