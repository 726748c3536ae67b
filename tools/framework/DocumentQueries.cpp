#include "tools/framework/DocumentQueries.h"

#include <cmath>
#include <optional>

#include "geometry/host/new_circle_path.h"
#include "hostcall/Error.h"

namespace Tools {

namespace {

constexpr const char* kRulerTypeKey = "rulerType";

std::optional<int> DocumentRulerUnits(ai::SuiteSet& suites) {
  if (!suites.TryAcquire(ai::SuiteSet::Suite::Document)) return std::nullopt;
  int16_t units = 0;
  if (suites.Document().GetDocumentRulerUnits(&units) != kNoErr) return std::nullopt;
  return units;
}

std::optional<int> RulerTypePreference(ai::SuiteSet& suites) {
  if (!suites.TryAcquire(ai::SuiteSet::Suite::Preference)) return std::nullopt;
  int32_t value = 0;
  // The key belongs to the application, not to the plug-in: no section.
  if (suites.Preference().GetIntegerPreference(nullptr, kRulerTypeKey, &value) != kNoErr) return std::nullopt;
  return value;
}

}  // namespace

bool CanCreateArt(ai::SuiteSet& suites) { return geom::hostpath::EditableInsertionPoint(suites).has_value(); }

geom::UnitCode CurrentUnitCode(ai::SuiteSet& suites) {
  if (const std::optional<int> units = DocumentRulerUnits(suites)) return geom::UnitCodeFromRulerUnits(*units);
  return geom::UnitCodeFromRulerTypePreference(RulerTypePreference(suites));
}

double CurrentViewZoom(ai::SuiteSet& suites) {
  constexpr double kUnreported = 1;
  if (!suites.TryAcquire(ai::SuiteSet::Suite::DocumentView)) return kUnreported;
  const AIDocumentViewSuite& views = suites.DocumentView();
  AIDocumentViewHandle view = nullptr;
  double zoom = 0;
  if (views.GetNthDocumentView(0, &view) != kNoErr || views.GetDocumentViewZoom(view, &zoom) != kNoErr)
    return kUnreported;
  return std::isfinite(zoom) && zoom > 0 ? zoom : kUnreported;
}

}  // namespace Tools
