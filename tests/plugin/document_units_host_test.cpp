// The current ruler unit and view zoom, read from the stand-in host's document, view and
// preferences, with the host's calls failing where the fallbacks must take over.
#include <optional>
#include <string>

#include "tools/framework/DocumentQueries.h"
#include "host/runtime/Preferences.h"
#include "tests/plugin/HostDocument.h"

namespace plugin_test {
namespace {

using geom::UnitCode;
using Tools::CurrentUnitCode;
using Tools::CurrentViewZoom;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

class DocumentUnitsTest : public HostDocumentTest {
 protected:
  void SetRulerType(int32_t value) {
    host_.preferences().PutInteger(host::Preferences::kHostSection, "rulerType", value);
  }
  void FailRulerUnits() { host_.faults().Fail(kAIDocumentSuite, "GetDocumentRulerUnits", kInjected); }
};

TEST_F(DocumentUnitsTest, DocumentRulerUnitsGiveTheUnitCode) {
  struct Case {
    const char* name;
    int16_t hostUnits;
    UnitCode expected;
  };
  const Case cases[] = {
      {"inches", kInchesUnits, UnitCode::Inches},       {"centimetres", kCentimetersUnits, UnitCode::Centimetres},
      {"points", kPointsUnits, UnitCode::Points},       {"picas", kPicasUnits, UnitCode::Picas},
      {"millimetres", kMillimetersUnits, UnitCode::Millimetres}, {"pixels", kPixelsUnits, UnitCode::Pixels},
      {"Q", kQUnits, UnitCode::Q},                      {"unknown host value", 42, UnitCode::None},
  };
  // A preference that disagrees with every case: it must not be consulted while the document answers.
  SetRulerType(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc().SetRulerUnits(c.hostUnits);
    EXPECT_EQ(CurrentUnitCode(suites()), c.expected);
  }
}

TEST_F(DocumentUnitsTest, RulerTypePreferenceIsUsedWhenTheDocumentCannotAnswer) {
  struct Case {
    const char* name;
    std::optional<int32_t> rulerType;  // nothing: the read fails
    UnitCode expected;
  };
  const Case cases[] = {
      {"inches", 0, UnitCode::Inches},
      {"millimetres", 1, UnitCode::Millimetres},
      {"picas", 3, UnitCode::Picas},
      {"pixels", 6, UnitCode::Pixels},
      {"unlisted value", 2, UnitCode::Points},
      {"failed read", std::nullopt, UnitCode::Points},
  };
  doc().SetRulerUnits(kCentimetersUnits);
  FailRulerUnits();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.rulerType) {
      SetRulerType(*c.rulerType);
    } else {
      host_.faults().Fail(kAIPreferenceSuite, "GetIntegerPreference", kInjected);
    }
    EXPECT_EQ(CurrentUnitCode(suites()), c.expected);
  }
}

TEST_F(DocumentUnitsTest, ViewZoomIsTheCurrentViewsAndOneWhenUnreported) {
  host_.SetZoom(4);
  EXPECT_EQ(CurrentViewZoom(suites()), 4);
  host_.faults().Fail(kAIDocumentViewSuite, "GetDocumentViewZoom", kInjected);
  EXPECT_EQ(CurrentViewZoom(suites()), 1);
  host_.faults().Clear();
  host_.faults().Fail(kAIDocumentViewSuite, "GetNthDocumentView", kInjected);
  EXPECT_EQ(CurrentViewZoom(suites()), 1);
}

}  // namespace
}  // namespace plugin_test
