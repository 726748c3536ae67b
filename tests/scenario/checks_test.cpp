// The script's checks against a host document set up by hand, so that each
// check is seen both holding and failing with a message that names what was
// expected and what was found.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "apps/script/Checks.h"
#include "apps/script/PrefAccess.h"
#include "host/model/Document.h"
#include "host/model/Selection.h"
#include "tests/scenario/Process.h"

namespace cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Optional;

// A circle of radius 50 about SVG (100, 100) = artwork (100, -100), drawn as
// four quarter arcs, and an open line whose anchors lie off that circle.
constexpr const char* kCircleAndLineSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"300\" height=\"200\">\n"
    "  <path d=\"M 150 100 C 150 127.6 127.6 150 100 150 C 72.4 150 50 127.6 50 100"
    " C 50 72.4 72.4 50 100 50 C 127.6 50 150 72.4 150 100 Z\"/>\n"
    "  <path d=\"M 200 20 L 280 20\"/>\n"
    "</svg>\n";

class Checks : public ::testing::Test {
 protected:
  Checks() : host_(Options()) {
    scenario::WriteFile(dir_ / "doc.svg", kCircleAndLineSvg);
    host_.OpenDocument(dir_ / "doc.svg");
  }
  host::HostOptions Options() const {
    host::HostOptions options;
    options.preferencesFile = dir_ / "preferences.ini";
    return options;
  }
  // The paths in id order: the circle, then the line.
  host::model::ArtId PathId(std::size_t index) const {
    std::vector<host::model::ArtId> paths;
    for (const auto& [id, art] : host_.document().arts()) {
      if (art.type() == host::model::ArtType::Path) paths.push_back(id);
    }
    return paths.at(index);
  }
  void Select(std::size_t index) { host::model::SetSelected(host_.document(), PathId(index), true); }
  CheckResult Count(cmd::ExpectCount::What what, int64_t n) { return Check(host_, cmd::ExpectCount{what, n}); }
  CheckResult OnCircle(double r, double tol) {
    return Check(host_, cmd::ExpectAnchorsOnCircle{{100, -100}, r, tol});
  }

  scenario::TempDir dir_;
  host::Host host_;
};

TEST_F(Checks, CountsPathsClosedPathsAndSelection) {
  using What = cmd::ExpectCount::What;
  EXPECT_EQ(Count(What::Paths, 2), std::nullopt);
  EXPECT_EQ(Count(What::ClosedPaths, 1), std::nullopt);
  EXPECT_EQ(Count(What::Selected, 0), std::nullopt);
  EXPECT_THAT(Count(What::Paths, 3), Optional(std::string("expected paths: 3, found 2")));
  EXPECT_THAT(Count(What::UndoDepth, 1), Optional(std::string("expected undo steps: 1, found 0")));
  Select(0);
  EXPECT_EQ(Count(What::Selected, 1), std::nullopt);
}

TEST_F(Checks, AnchorsOnCircleLooksAtTheSelectedPathsOnly) {
  EXPECT_THAT(OnCircle(50, 1e-9), Optional(HasSubstr("found no selected path")));
  Select(0);
  EXPECT_EQ(OnCircle(50, 1e-9), std::nullopt);
  EXPECT_THAT(OnCircle(50.5, 0.4),
              Optional(std::string("expected every anchor of the selected paths within 0.4 of the circle at "
                                   "(100, -100) with radius 50.5, found anchor 1 at (150, -100) off by 0.5")));
  EXPECT_EQ(OnCircle(50.5, 0.5), std::nullopt) << "the tolerance is inclusive";
  Select(1);
  EXPECT_THAT(OnCircle(50, 1e-9), Optional(HasSubstr("found anchor 1 at (200, -20)")));
}

TEST_F(Checks, ToolAndCursorBeforeThePluginActs) {
  EXPECT_EQ(Check(host_, cmd::ExpectTool{std::nullopt}), std::nullopt);
  EXPECT_THAT(Check(host_, cmd::ExpectTool{"QM Orient"}),
              Optional(std::string("expected the chosen tool \"QM Orient\", found none")));
  EXPECT_EQ(Check(host_, cmd::ExpectCursor{cmd::ExpectCursor::Kind::Unset, 0, ""}), std::nullopt);
  EXPECT_THAT(Check(host_, cmd::ExpectCursor{cmd::ExpectCursor::Kind::ImageId, 16004, ""}),
              Optional(std::string("expected a cursor whose name ends in 16004, found no cursor set")));
}

TEST_F(Checks, PreferencesCompareTypeAndValue) {
  const PrefValue real{.type = PrefType::Real, .integer = 0, .real = 2.5};
  const PrefValue integer{.type = PrefType::Integer, .integer = 3, .real = 0};
  EXPECT_THAT(Check(host_, cmd::ExpectPref{"Corvane", "K", integer}),
              Optional(std::string("expected preference Corvane K int 3, found no value")));
  PutPref(host_, "Corvane", "K", real);
  EXPECT_THAT(Check(host_, cmd::ExpectPref{"Corvane", "K", integer}),
              Optional(std::string("expected preference Corvane K int 3, found real 2.5")));
  EXPECT_EQ(Check(host_, cmd::ExpectPref{"Corvane", "K", real}), std::nullopt);
  PutPref(host_, kHostPrefSection, "K", integer);
  EXPECT_EQ(Check(host_, cmd::ExpectPref{kHostPrefSection, "K", integer}), std::nullopt);
  EXPECT_EQ(Check(host_, cmd::ExpectPref{"Corvane", "K", real}), std::nullopt) << "sections are apart";
}

TEST_F(Checks, NoLeaksComparesWithWhatWasHeldBefore) {
  const Holdings before = HoldingsOf(host_);
  EXPECT_EQ(Check(host_, cmd::ExpectNoLeaks{}, before), std::nullopt);
  const Holdings fewer{before.suites - 1, before.hitRecords, before.dictionaries};
  EXPECT_THAT(Check(host_, cmd::ExpectNoLeaks{}, fewer),
              Optional(HasSubstr(std::to_string(before.suites) + " suite acquisitions instead of " +
                                 std::to_string(before.suites - 1))));
}

}  // namespace
}  // namespace cli
