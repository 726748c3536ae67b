#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/CoADM.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"

namespace QMDM {
namespace {

CoADMDrawer& Dr(ADMDrawerRef drawer) {
  if (!drawer) throw QMDMParameterException("QMDM: no drawer");
  return *drawer;
}

const ADMDrawerSuite kDrawer = {
    [](ADMDrawerRef d, ADMRect* rect) {
      if (rect) *rect = Dr(d).BoundsRect();
    },
    [](ADMDrawerRef d, ADMRGBColor color) { Dr(d).SetRGBColor(color); },
    [](ADMDrawerRef d, const ADMRect* rect) {
      if (rect) Dr(d).FillRect(*rect);
    },
    [](ADMDrawerRef d, int32_t x1, int32_t y1, int32_t x2, int32_t y2) { Dr(d).DrawLine(x1, y1, x2, y2); },
    [](ADMDrawerRef, const char*, int32_t, int32_t) { QMDM_NOT_IMPLEMENTED("DrawText"); },
    [](ADMDrawerRef, void*, int32_t, int32_t) { QMDM_NOT_IMPLEMENTED("DrawADMImage"); },
};

}  // namespace

const ADMDrawerSuite& DrawerSuite() { return kDrawer; }

}  // namespace QMDM
