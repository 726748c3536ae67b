#include <cstring>

#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/CoADM.h"

namespace QMDM {
namespace {

const ADMNotifierSuite kNotifier = {
    [](ADMNotifierRef n) -> ADMItemRef { return n ? n->item : nullptr; },
    [](ADMNotifierRef n) -> ADMDialogRef { return n ? n->dialog : nullptr; },
    [](ADMNotifierRef n, const char* type) -> ADMBoolean {
      return n && n->type && type && std::strcmp(n->type, type) == 0;
    },
    [](ADMNotifierRef n) -> const char* { return n ? n->type : nullptr; },
};

}  // namespace

const ADMNotifierSuite& NotifierSuite() { return kNotifier; }

}  // namespace QMDM
