// What the tools need to know about the current document and view to round and label lengths:
// its ruler unit and the current view's zoom.
#pragma once

#include "geometry/units.h"
#include "plugin/SuiteSet.h"

namespace geom::hostpath {

// The document's ruler unit (document suite), mapped by UnitCodeFromRulerUnits. When the
// document cannot report it, the application integer preference "rulerType" (no section) is
// mapped by UnitCodeFromRulerTypePreference; when that cannot be read either, Points.
// Never raises: a suite the host cannot provide counts as a failed read.
UnitCode CurrentUnitCode(ai::SuiteSet& suites);

// The zoom of the current document view (view 0). 1 when the host cannot report it, and when
// it reports a zoom that is not finite and positive, which no length can be rounded at.
// Never raises.
double CurrentViewZoom(ai::SuiteSet& suites);

}  // namespace geom::hostpath
