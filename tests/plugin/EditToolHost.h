// What the path-editing tools' tests share: paths with handles, gestures as
// step tables, and angles between handle directions.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "tests/plugin/ToolHost.h"

namespace plugin_test {

// The path-editing tools' host: ToolHost with their paths (AddPath).
using EditToolHost = ToolHost;

// A press at a, drags in n even steps to b (all with the same keys), and the
// release at b.
inline std::vector<Step> DragSteps(host::model::Point a, host::model::Point b, uint16_t modifiers = 0, int n = 6) {
  std::vector<Step> steps{{Ev::Move, a, modifiers}, {Ev::Down, a, modifiers}};
  for (int i = 1; i <= n; ++i)
    steps.push_back({Ev::Drag, {a.h + (b.h - a.h) * i / n, a.v + (b.v - a.v) * i / n}, modifiers});
  steps.push_back({Ev::Up, b, modifiers});
  return steps;
}

inline host::model::Point Minus(host::model::Point a, host::model::Point b) { return {a.h - b.h, a.v - b.v}; }
inline double Norm(host::model::Point a) { return std::hypot(a.h, a.v); }

// The angle between two directions, in radians (0 when they point the same way).
inline double AngleBetween(host::model::Point a, host::model::Point b) {
  return std::abs(std::atan2(a.h * b.v - a.v * b.h, a.h * b.h + a.v * b.v));
}

// Anchors and handles without the selection state.
inline bool SameGeometry(const host::model::Segment& a, const host::model::Segment& b) {
  return a.p == b.p && a.in == b.in && a.out == b.out && a.corner == b.corner;
}

inline bool SameGeometry(const std::vector<host::model::Segment>& a, const std::vector<host::model::Segment>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!SameGeometry(a[i], b[i])) return false;
  return true;
}

}  // namespace plugin_test
