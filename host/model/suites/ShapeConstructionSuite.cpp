// "AI Shape Construction Suite": ellipses at the insertion point.
#include "host/model/Shapes.h"
#include "host/model/suites/Placement.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

// centered: corner1 is the centre and corner2 a corner of the rectangle.
// The new path has the default style and is not selected.
AIErr AIAPI NewPointPointOval(const AIRealPoint* corner1, const AIRealPoint* corner2, AIBoolean reversed,
                              AIBoolean centered, int32_t /*reserved*/, AIArtHandle* newArt) {
  return SuiteCall(kAIShapeConstructionSuite, "NewPointPointOval", [&] {
    Ref(newArt, "newArt") = nullptr;
    const model::Point a = model::FromSdk(Ref(corner1, "corner1"));
    const model::Point b = model::FromSdk(Ref(corner2, "corner2"));
    if (!IsFinite(a) || !IsFinite(b)) Fail(kBadParameterErr, "oval corner is not finite");
    const model::Point from = centered ? a * 2.0 - b : a;
    model::Document& doc = Doc();
    const model::Placement where = InsertionPoint(doc);
    RequireEditable(doc, where, model::ArtType::Path);
    const model::ArtId id = doc.NewArt(model::ArtType::Path, where);
    model::Art& oval = doc.art(id);
    oval.segments = model::OvalSegments(from, b, reversed != 0);
    oval.closed = true;
    *newArt = model::ArtHandle(id);
    return kNoErr;
  });
}

const AIShapeConstructionSuite kTable = {NewPointPointOval};

}  // namespace

const AIShapeConstructionSuite& ShapeConstructionSuite() { return kTable; }

}  // namespace host::suites
