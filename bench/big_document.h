// Generated documents for the benchmarks on the stand-in host: `paths` small
// closed paths in rows of 200, 20 pt apart, on the current layer; every
// second one a smooth round shape through four anchors, the others squares.
#pragma once

#include "host/model/Document.h"
#include "sdk/Corvane.h"

namespace bench {

inline constexpr int kRow = 200;
inline constexpr double kPitch = 20;

inline void AddGrid(host::model::Document& d, int paths) {
  using host::model::Point;
  const host::model::ArtId layer = d.layer(d.currentLayer()).group;
  constexpr double k = 5 * 0.5523;  // handle length of a quarter circle of radius 5
  for (int i = 0; i < paths; ++i) {
    const double x = kPitch * (i % kRow), y = kPitch * (i / kRow);
    const host::model::ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, layer});
    host::model::Art& art = d.art(id);
    if (i % 2) {
      const Point c{x + 5, y + 5};
      const Point out[] = {{0, -5}, {5, 0}, {0, 5}, {-5, 0}};
      for (const Point o : out) {
        const Point tangent{-o.v / 5 * k, o.h / 5 * k};
        art.segments.push_back({c + o, c + o - tangent, c + o + tangent, false});
      }
    } else {
      for (const Point p : {Point{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}})
        art.segments.push_back({p, p, p, true});
    }
    art.closed = true;
  }
}

// Just above the bottom of path i, within the host's hit tolerance at 100 %.
inline AIRealPoint NearPath(int i) {
  return {kPitch * (i % kRow) + 5, kPitch * (i / kRow) + 0.5};
}

}  // namespace bench
