// The entry, icon, image, list, tracker and Windows-host tables: nothing the
// plug-in's dialogs use, so every operation reports itself not implemented.
#include "QMDM/ADMSuites.h"
#include "QMDM/ImplCommon/QMDMExceptions.h"

namespace QMDM {
namespace {

const ADMEntrySuite kEntry = {
    [](void*) -> void* { QMDM_NOT_IMPLEMENTED("ADMEntrySuite::Create"); },
    [](void*, const char*) { QMDM_NOT_IMPLEMENTED("ADMEntrySuite::SetText"); },
};
const ADMIconSuite kIcon = {
    [](SPPluginRef, const char*, int32_t, int32_t) -> void* { QMDM_NOT_IMPLEMENTED("ADMIconSuite::GetFromResource"); },
    [](void*) { QMDM_NOT_IMPLEMENTED("ADMIconSuite::Destroy"); },
};
const ADMImageSuite kImage = {
    [](int32_t, int32_t, int32_t) -> void* { QMDM_NOT_IMPLEMENTED("ADMImageSuite::Create"); },
    [](void*) { QMDM_NOT_IMPLEMENTED("ADMImageSuite::Destroy"); },
};
const ADMListSuite kList = {
    [](void*, int32_t) -> void* { QMDM_NOT_IMPLEMENTED("ADMListSuite::InsertEntry"); },
    [](void*) -> int32_t { QMDM_NOT_IMPLEMENTED("ADMListSuite::NumberOfEntries"); },
};
const ADMTrackerSuite kTracker = {
    [](void*, int32_t*, int32_t*) { QMDM_NOT_IMPLEMENTED("ADMTrackerSuite::GetPoint"); },
    [](void*) { QMDM_NOT_IMPLEMENTED("ADMTrackerSuite::Abort"); },
};
const ADMWinHostSuite kWinHost = {
    [](void*) { QMDM_NOT_IMPLEMENTED("ADMWinHostSuite::SetWindowsMessageHook"); },
    [](void*) { QMDM_NOT_IMPLEMENTED("ADMWinHostSuite::RemoveWindowsMessageHook"); },
};

}  // namespace

const ADMEntrySuite& EntrySuite() { return kEntry; }
const ADMIconSuite& IconSuite() { return kIcon; }
const ADMImageSuite& ImageSuite() { return kImage; }
const ADMListSuite& ListSuite() { return kList; }
const ADMTrackerSuite& TrackerSuite() { return kTracker; }
const ADMWinHostSuite& WinHostSuite() { return kWinHost; }

}  // namespace QMDM
