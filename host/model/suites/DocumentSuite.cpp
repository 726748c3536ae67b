// "AI Document Suite": ruler units, redraw requests, the document dictionary.
#include "host/model/RefTable.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIDocumentSuite, function, std::forward<Body>(body));
}

AIErr AIAPI GetDocumentRulerUnits(int16_t* units) {
  return Call("GetDocumentRulerUnits", [&] {
    Ref(units, "units") = Doc().rulerUnits();
    return kNoErr;
  });
}

// The stand-in draws nothing on its own; it counts the requests so that a
// test can see that one was made.
AIErr AIAPI RedrawDocument() {
  return Call("RedrawDocument", [&] {
    Doc();
    Active().CountRedraw();
    return kNoErr;
  });
}

AIErr AIAPI GetDictionary(AIDictionaryRef* dictionary) {
  return Call("GetDictionary", [&] {
    AIDictionaryRef& out = Ref(dictionary, "dictionary");
    Doc();
    out = ToHandle<AIDictionaryRef>(Active().dictionaryRefs().Add(model::DictionaryTarget{}));
    return kNoErr;
  });
}

const AIDocumentSuite kTable = {GetDocumentRulerUnits, RedrawDocument, GetDictionary};

}  // namespace

const AIDocumentSuite& DocumentSuite() { return kTable; }

}  // namespace host::suites
