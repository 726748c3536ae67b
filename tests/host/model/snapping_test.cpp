// The cursor snap suite: letters, custom constraints, smart guides.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "suite_fixture.h"

namespace host::test {
namespace {

class SnappingTest : public SuiteTest {
 protected:
  void SetUp() override {
    ShowOrigin(1);
    // Straight pieces; only the middle anchor's out-handle is pulled out.
    const AIPathSegment middle{{100, 0}, {100, 0}, {100, 20}, 1};
    NewPath({Corner(0, 0), middle, Corner(100, 100)});
  }
  AIRealPoint Track(AIRealPoint p, const char* control) {
    AIDocumentViewHandle view = nullptr;
    EXPECT_EQ(views->GetNthDocumentView(0, &view), kNoErr);
    AIRealPoint out{-1, -1};
    EXPECT_EQ(snap->Track(view, &p, nullptr, control, &out), kNoErr);
    return out;
  }
  void Constrain(std::vector<AICursorConstraint> constraints) {
    ASSERT_EQ(snap->SetCustom(static_cast<int32_t>(constraints.size()), constraints.data()), kNoErr);
  }
};

void ExpectAt(AIRealPoint got, AIRealPoint want, const std::string& name) {
  EXPECT_NEAR(got.h, want.h, 1e-9) << name;
  EXPECT_NEAR(got.v, want.v, 1e-9) << name;
}

TEST_F(SnappingTest, PathLettersNeedSmartGuides) {
  struct Case {
    std::string name;
    AIRealPoint from;
    const char* control;
    AIRealPoint off;  // smart guides off
    AIRealPoint on;   // smart guides on
  };
  const Case cases[] = {
      {"Anchor", {2, 1}, "A", {2, 1}, {0, 0}},
      {"HandleEnd", {101, 22}, "T", {101, 22}, {100, 20}},
      {"Midpoint", {51, 2}, "M", {51, 2}, {50, 0}},
      {"Outline", {40, 3}, "F", {40, 3}, {40, 0}},
      {"AnchorBeforeOutline", {1, 3}, "FA", {1, 3}, {0, 0}},
      {"OutsideFourPixels", {50, 5}, "ATFM", {50, 5}, {50, 5}},
      {"LetterNotAsked", {2, 1}, "TM v", {2, 1}, {2, 1}},
  };
  for (const Case& c : cases) {
    workspace.SetSmartGuides(false);
    ExpectAt(Track(c.from, c.control), c.off, c.name + " off");
    workspace.SetSmartGuides(true);
    ExpectAt(Track(c.from, c.control), c.on, c.name + " on");
  }
}

TEST_F(SnappingTest, CustomConstraintsApplyWithVEvenWithoutSmartGuides) {
  char label[] = "tangent";
  Constrain({{kLinearConstraintAbs, 0, {200, 200}, 45.0f, label}, {kPointConstraint, 0, {300, 302.5}, 0, "axis"}});
  std::strcpy(label, "changed");
  EXPECT_STREQ(workspace.CustomConstraints()[0].label, "tangent");

  ExpectAt(Track({252, 248}, "v"), {250, 250}, "onto the line");
  ExpectAt(Track({252, 248}, "A"), {252, 248}, "not without v");
  // Near both the line and the point: the point wins although the line is nearer.
  ExpectAt(Track({302, 301.5}, "v"), {300, 302.5}, "point before line");
}

TEST_F(SnappingTest, ClearCustomEmptiesTheConstraints) {
  Constrain({{kPointConstraint, 0, {300, 300}, 0, nullptr}});
  ExpectAt(Track({301, 301}, "v"), {300, 300}, "set");
  ASSERT_EQ(snap->ClearCustom(), kNoErr);
  EXPECT_TRUE(workspace.CustomConstraints().empty());
  ExpectAt(Track({301, 301}, "v"), {301, 301}, "cleared");
}

TEST_F(SnappingTest, ToleranceIsFourViewPixels) {
  Constrain({{kPointConstraint, 0, {300, 300}, 0, nullptr}});
  ExpectAt(Track({303.9, 300}, "v"), {300, 300}, "3.9 px");
  ExpectAt(Track({304.1, 300}, "v"), {304.1, 300}, "4.1 px");
  ShowOrigin(2);
  ExpectAt(Track({301.9, 300}, "v"), {300, 300}, "3.8 px at 200 %");
  ExpectAt(Track({302.1, 300}, "v"), {302.1, 300}, "4.2 px at 200 %");
}

}  // namespace
}  // namespace host::test
