// What the tools ask of the current document and view: whether new art can
// be created, the ruler unit lengths are rounded and labelled in, and the
// view's zoom.
#pragma once

#include "geometry/units.h"
#include "hostcall/SuiteSet.h"

namespace Tools {

// Whether new art can be created now: the host reports an insertion point and that place is
// editable (its layer visible and unlocked). The guard before a gesture that will create art.
// Never raises: any failure means no.
bool CanCreateArt(ai::SuiteSet& suites);

// The document's ruler unit (document suite), mapped by UnitCodeFromRulerUnits. When the
// document cannot report it, the application integer preference "rulerType" (no section) is
// mapped by UnitCodeFromRulerTypePreference; when that cannot be read either, Points.
// Never raises: a suite the host cannot provide counts as a failed read.
geom::UnitCode CurrentUnitCode(ai::SuiteSet& suites);

// The zoom of the current document view (view 0). 1 when the host cannot report it, and when
// it reports a zoom that is not finite and positive, which no length can be rounded at.
// Never raises.
double CurrentViewZoom(ai::SuiteSet& suites);

}  // namespace Tools
