// Ruler units and the rounding of dragged lengths.
#pragma once

#include <optional>

namespace geom {

// The plug-in's code for a ruler unit (the unit enumeration of its dialog layer). Measurement
// labels are formatted in this unit and dragged lengths are rounded in it.
enum class UnitCode : int {
  None = 0,
  Points = 1,
  Inches = 2,
  Millimetres = 3,
  Centimetres = 4,
  Picas = 5,
  Q = 8,
  Pixels = 10,
  // H (ha): the quarter millimetre Japanese typesetting measures spacing in, as Q measures type.
  Ha = 12,
};

// The host's document ruler unit value mapped to a UnitCode: 1 inches, 2 centimetres, 3 points,
// 4 picas, 5 millimetres, 6 pixels, 7 Q; any other value gives None.
UnitCode UnitCodeFromRulerUnits(int hostRulerUnits);

// The application preference "rulerType" mapped to a UnitCode, used when the document cannot
// report its ruler units: 0 inches, 1 millimetres, 3 picas, 4 centimetres, 5 Q, 6 pixels,
// 7 None; any other value, or no value (failed read), gives Points.
UnitCode UnitCodeFromRulerTypePreference(std::optional<int> rulerType);

// Document points per unit, for rounding lengths and for measurement labels alike, so that a
// rounded length reads as a round number: 72 per inch, 72/25.4 per millimetre, 72/2.54 per
// centimetre, a quarter of a millimetre per Q and per Ha. Picas round as points (1, not 12;
// labels split picas themselves); points, pixels and codes without a length (None, percent,
// degrees, anything unknown) use 1.
double PointsPerUnit(UnitCode unit);

// A length in points rounded to the first step of kSnapSteps (in units of `unit`) that is
// longer than two screen pixels at view zoom `zoom`. When no step is that long (extreme zoom-out)
// the length is returned unchanged.
double SnapLength(double lengthPoints, double zoom, UnitCode unit);

}  // namespace geom
