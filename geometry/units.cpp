#include "geometry/units.h"

#include <cmath>

#include "geometry/tolerances.h"

namespace geom {

UnitCode UnitCodeFromRulerUnits(int hostRulerUnits) {
  switch (hostRulerUnits) {
    case 1: return UnitCode::Inches;
    case 2: return UnitCode::Centimetres;
    case 3: return UnitCode::Points;
    case 4: return UnitCode::Picas;
    case 5: return UnitCode::Millimetres;
    case 6: return UnitCode::Pixels;
    case 7: return UnitCode::Q;
    default: return UnitCode::None;
  }
}

UnitCode UnitCodeFromRulerTypePreference(std::optional<int> rulerType) {
  if (!rulerType) return UnitCode::Points;
  switch (*rulerType) {
    case 0: return UnitCode::Inches;
    case 1: return UnitCode::Millimetres;
    case 3: return UnitCode::Picas;
    case 4: return UnitCode::Centimetres;
    case 5: return UnitCode::Q;
    case 6: return UnitCode::Pixels;
    case 7: return UnitCode::None;
    default: return UnitCode::Points;
  }
}

double PointsPerUnit(UnitCode unit) {
  switch (unit) {
    case UnitCode::Inches: return 72.0;
    case UnitCode::Millimetres: return 72.0 / 25.4;
    case UnitCode::Centimetres: return 72.0 / 2.54;
    case UnitCode::Q:
    case UnitCode::Ha: return 72.0 / 25.4 / 4;
    default: return 1.0;
  }
}

double SnapLength(double lengthPoints, double zoom, UnitCode unit) {
  const double perUnit = PointsPerUnit(unit);
  const double twoPixels = tol::kSnapScreenPixels / zoom / perUnit;
  for (double step : tol::kSnapSteps) {
    if (step > twoPixels) return std::floor(lengthPoints / perUnit / step + 0.5) * step * perUnit;
  }
  return lengthPoints;
}

}  // namespace geom
