// A workspace with its document suites registered, driven through the C
// tables the way a plug-in would, with a fault injector in force.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "host/core/FaultInjector.h"
#include "host/core/SuiteCall.h"
#include "host/core/SuiteRegistry.h"
#include "host/model/Document.h"
#include "host/model/Workspace.h"
#include "sdk/Corvane.h"

namespace host::test {

inline constexpr int kViewWidth = 800;
inline constexpr int kViewHeight = 600;

// A corner anchor with retracted handles.
AIPathSegment Corner(double h, double v);
// A smooth anchor with handles at p - d and p + d.
AIPathSegment Smooth(double h, double v, double dh, double dv);

class SuiteTest : public ::testing::Test {
 protected:
  SuiteTest();
  ~SuiteTest() override;

  template <class Suite>
  const Suite* Acquire(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(registry.Acquire(name, version, &table), kNoErr) << name;
    acquired_.push_back({name, version});
    return static_cast<const Suite*>(table);
  }

  // A path at the insertion point with the segments; fails the test on error.
  AIArtHandle NewPath(const std::vector<AIPathSegment>& segments, bool closed = false);
  // Makes the view show artwork 1:1 with (0, 0) at the view's top-left pixel
  // scaled by zoom.
  void ShowOrigin(double zoom);
  model::Document& doc() { return workspace.document(); }

  FaultInjector faults;
  SuiteRegistry registry{faults};
  Workspace workspace{kViewWidth, kViewHeight};
  const AIArtSuite* art = nullptr;
  const AIPathSuite* path = nullptr;
  const AIMatchingArtSuite* matching = nullptr;
  const AIHitTestSuite* hits = nullptr;
  const AILayerSuite* layers = nullptr;
  const AIDocumentSuite* document = nullptr;
  const AIDictionarySuite* dictionary = nullptr;
  const AITransformArtSuite* transform = nullptr;
  const AIRasterSuite* raster = nullptr;
  const AIPlacedSuite* placed = nullptr;
  const AIShapeConstructionSuite* shapes = nullptr;
  const AIDocumentViewSuite* views = nullptr;
  const AICursorSnapSuite* snap = nullptr;

 private:
  std::vector<std::pair<const char*, int32_t>> acquired_;
};

}  // namespace host::test
