// The one error the geometry core raises.
#pragma once

#include <stdexcept>

namespace geom {

// Raised for bad arguments: a piece index outside the path, an empty point list, a sub-path that
// would run past the end of an open path. Every function that can raise it says so in its
// contract. The plug-in maps it to its bad-parameter host code; the engines that must not raise
// (FindTangentCircle) catch it and report "no result".
class ParameterError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

}  // namespace geom
