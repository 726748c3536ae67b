// Anchors written back as path data, the inverse of SegmentsFromOutline.
//
// A piece whose handles both sit on their anchors is written "L", any other
// "C".  A closed path ends in "Z"; its closing piece is written out before the
// "Z" unless it is a straight line between distinct points, so that reading
// the data again yields the same anchors: the reader drops the end point of
// an explicit closing piece as a duplicate of the first anchor.
//
// Coordinates are printed as the shortest text that reads back exactly.
#pragma once

#include <string>
#include <vector>

#include "host/model/Primitives.h"

namespace host::svg {

// Appends one subpath ("M ..."), preceded by a space when `d` is not empty.
// Nothing for a path without anchors.
void AppendSubpathData(std::string& d, const std::vector<model::Segment>& segments, bool closed);

}  // namespace host::svg
