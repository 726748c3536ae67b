// "AI Matching Art Suite": the selection as a list, and clearing it.
#include "host/model/Selection.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

AIErr AIAPI GetSelectedArt(AIArtHandle* buffer, int32_t capacity, int32_t* count) {
  return SuiteCall(kAIMatchingArtSuite, "GetSelectedArt", [&] {
    int32_t& outCount = Ref(count, "count");
    if (capacity < 0 || (capacity > 0 && !buffer)) Fail(kBadParameterErr, "no room for the selection");
    const std::vector<model::ArtId> selected = model::SelectedArt(Doc());
    for (std::size_t i = 0; i < selected.size() && i < static_cast<std::size_t>(capacity); ++i)
      buffer[i] = model::ArtHandle(selected[i]);
    outCount = static_cast<int32_t>(selected.size());
    return kNoErr;
  });
}

AIErr AIAPI DeselectAll() {
  return SuiteCall(kAIMatchingArtSuite, "DeselectAll", [&] {
    model::DeselectAll(Doc());
    return kNoErr;
  });
}

const AIMatchingArtSuite kTable = {GetSelectedArt, DeselectAll};

}  // namespace

const AIMatchingArtSuite& MatchingArtSuite() { return kTable; }

}  // namespace host::suites
