#include <cstring>
#include <string>

#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"
#include "QMDM/ImplCommon/UnitText.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"

namespace QMDM {
namespace {

const ADMBasicSuite kBasic = {
    [] {},
    [](float points, char* text, int32_t capacity, ADMUnits units, int32_t precision) {
      if (!text || capacity <= 0) return;
      const std::string s = FormatLength(points, units, precision);
      const std::size_t n = std::min(s.size(), static_cast<std::size_t>(capacity) - 1);
      std::memcpy(text, s.data(), n);
      text[n] = '\0';
    },
    [](const char* text, float* points, ADMUnits units) {
      const std::optional<double> v = ParseLength(text ? text : "", units);
      if (v && points) *points = static_cast<float>(*v);
      return v.has_value();
    },
    [](int32_t id) { ai::Check(ai::Suites().Platform().SetSystemCursor(id)); },
    [](const char*, char*, int32_t) -> bool { QMDM_NOT_IMPLEMENTED("StandardGetFileDialog"); },
    [](ADMRGBColor*) -> bool { QMDM_NOT_IMPLEMENTED("ChooseColor"); },
    [](int32_t, int32_t) { QMDM_NOT_IMPLEMENTED("SetToolTipDelays"); },
    [](ADMBoolean) { QMDM_NOT_IMPLEMENTED("ShowToolTip"); },
};

}  // namespace

const ADMBasicSuite& BasicSuite() { return kBasic; }

}  // namespace QMDM
