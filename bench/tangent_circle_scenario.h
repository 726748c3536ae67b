// The tangent-circle benchmarks' scene: two wavy open paths of N pieces, 45 pt apart, and 60
// seeded queries (picks, radius, guess), each with the exhaustive reference's nearest circle.
// Made once per size and kept.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "geometry/piece_source.h"
#include "geometry/tangent_circle.h"

namespace bench {

struct TangentQuery {
  geom::PieceRef pick1, pick2;
  double r;
  geom::Point guess;
  std::optional<geom::Point> reference;
};

struct TangentScenario {
  std::unique_ptr<geom::InMemoryPath> first, second;
  std::vector<TangentQuery> queries;
};

const TangentScenario& TangentScenarioFor(int pieces);

}  // namespace bench
